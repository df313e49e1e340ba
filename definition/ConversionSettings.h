// What a conversion needs besides the bank: the player, the two names and the two groupings.
#pragma once

#include "platform/CString.h"

// The SoundFont player that will play the bank decides how a bank number becomes MSB and LSB.
enum PlayerKind : int {
    kPlayerTiMidityGS = 0,
    kPlayerTiMidityXG = 1,
    kPlayerSfz = 2,
};

// Whether the 128 program numbers stand in one map or in maps of 8 or 16.
enum MapGrouping : int {
    kMapGroupingOne = 0,
    kMapGroupingBy8 = 1,
    kMapGroupingBy16 = 2,
};

struct ConversionSettings {
    int m_nPlayer = kPlayerTiMidityGS;
    CString m_strMapName;
    CString m_strModuleName;
    int m_nToneMapMode = kMapGroupingOne;
    int m_nDrumMapMode = kMapGroupingOne;
};
