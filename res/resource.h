// Identifiers shared by Quintaro.rc and the code that uses its resources.
#pragma once

#define IDD_ABOUTBOX 100
#define IDD_CONVERTER_DIALOG 102
#define IDR_MAINFRAME 128

// Controls of the converter dialog, in the order of their numbers (not of the template).
#define IDC_SOUNDFONT_PATH 1000
#define IDC_BROWSE 1001
#define IDC_PLAYER_TIMIDITY_GS 1002
#define IDC_PLAYER_SFZ 1003
#define IDC_STEP2_TEXT 1004
#define IDC_STEP3_TEXT 1005
#define IDC_MODULE_NAME 1006
#define IDC_MAP_NAME 1007
#define IDC_STEP4_TEXT 1008
#define IDC_EXPORT 1009
#define IDC_PLAYER_TIMIDITY_XG 1010
#define IDC_TONE_MAP_MODE 1012
#define IDC_DRUM_MAP_MODE 1013

#ifndef IDC_STATIC
#define IDC_STATIC (-1)
#endif
