// One preset of a loaded bank. A drum kit (bank 128) carries a name for each of the 128 MIDI
// keys, empty where no zone names the key; any other preset carries none.
#pragma once

#include "platform/CString.h"

#include <cstdint>
#include <vector>

constexpr std::uint16_t kDrumBank = 128;
constexpr int kKeyCount = 128;

class CPresetEntry {
public:
    CPresetEntry(CString name, std::uint16_t preset, std::uint16_t bank)
        : m_strName(std::move(name)), m_wPreset(preset), m_wBank(bank)
    {
        if (bank == kDrumBank)
            m_keyNames.resize(kKeyCount);
    }

    bool IsDrumKit() const { return m_wBank == kDrumBank; }

    CString m_strName;
    std::uint16_t m_wPreset;
    std::uint16_t m_wBank;
    std::vector<CString> m_keyNames;
};
