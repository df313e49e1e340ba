// Builds the instrument list and the drum-set list of a definition file from a loaded bank:
// maps of program numbers, each PC with its bank variations, each drum kit with its key names.
#pragma once

#include "definition/ConversionSettings.h"
#include "platform/CString.h"
#include "soundfont/CSoundFont.h"

#include <cstdint>

// The bank-select bytes the sequencer sends for one preset.
struct BankSelect {
    int m_nLsb;
    int m_nMsb;
};

// What the player makes of a bank number: GS maps it to MSB, XG and sfz to LSB, and each has
// its own MSB for drum kits.
BankSelect BankSelectFor(int player, std::uint16_t bank, bool isDrum);

class CMapListBuilder {
public:
    // Holds both for the length of one export; neither is changed.
    CMapListBuilder(const CSoundFont& bank, const ConversionSettings& settings)
        : m_bank(bank), m_settings(settings)
    {
    }

    // The whole text of one list, for a MapGrouping `mode`.
    CString BuildMapList(int mode, bool drums) const;

    // The PC element of program `pc` (0 to 127) at `level`, or nothing when the bank has none.
    void WriteTonePC(CString& out, int& level, int pc) const;
    void WriteDrumPC(CString& out, int& level, int pc) const;

private:
    void WritePrograms(CString& out, int& level, int first, int last, bool drums) const;

    const CSoundFont& m_bank;
    const ConversionSettings& m_settings;
};
