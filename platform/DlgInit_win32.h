// The initialisation data of a dialog template (resource type 240, "DLGINIT"): the items that go
// into its list and combo boxes before the first data exchange. The records are
// {WORD control id, WORD message, DWORD byte count, bytes}, closed by a WORD 0; the messages are the
// 16-bit ones (0x0401 LB_ADDSTRING, 0x0403 CB_ADDSTRING), the strings bytes of the ANSI code page.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include <windows.h>

inline constexpr WORD RT_DLGINIT_ID = 240;

struct DlgInitItem {
    int nIDC;
    UINT message; // already the current message: LB_ADDSTRING or CB_ADDSTRING
    std::string text;
};

// The items of a data block, in order. Records of other messages are passed over; a record that
// runs past the end of the block ends the list.
std::vector<DlgInitItem> ParseDlgInit(const void* pData, std::size_t size);

// Adds the items of template `nIDTemplate`'s data, if it has any, to the controls of `hDlg`.
void ExecuteDlgInit(HWND hDlg, HINSTANCE hInstance, UINT nIDTemplate);
