// A loaded SoundFont 2 bank: its name and its presets in ascending order of preset number, then
// bank number, every drum kit with a name for each key. Loaded once, read-only afterwards.
#pragma once

#include "platform/CString.h"
#include "soundfont/CPresetEntry.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class CSoundFont {
public:
    CSoundFont() = default;
    virtual ~CSoundFont() = default;
    CSoundFont(const CSoundFont&) = delete;
    CSoundFont& operator=(const CSoundFont&) = delete;

    // Reads the bank at `path`; true when at least one preset was read. Shows its own message
    // when the file does not open or the file layer fails; every other rejection is silent.
    bool Load(const CString& path);

    CString GetName() const { return m_strName; }
    // Index of the first entry with preset number `preset` that is (or is not) a drum kit; -1 when none.
    int FindPreset(std::uint16_t preset, bool isDrum) const;
    CPresetEntry* GetPreset(int index) const { return m_presets[static_cast<std::size_t>(index)].get(); }
    int GetPresetCount() const { return static_cast<int>(m_presets.size()); }

    // A fixed-length name field: its bytes up to the first zero, or all of them.
    static CString FieldToString(const char* field, std::size_t length);

    // How many zones and generators naming the keys of all kits of one bank may visit. Crafted banks can make
    // zone ranges overlap so that the walk would take billions of steps; past this, the keys named
    // so far stand. Real banks use a tiny fraction of it.
    static constexpr std::uint64_t kKeyNamingBudget = 16'000'000;
    // How much of that budget the last Load spent.
    std::uint64_t GetKeyNamingVisits() const { return m_nKeyNamingVisits; }

    CString m_strName;
    // Sorted by ComparePresets, as Load leaves it; FindPreset relies on that order.
    std::vector<std::unique_ptr<CPresetEntry>> m_presets;

private:
    std::uint64_t m_nKeyNamingVisits = 0;
};

// True when `a` sorts before `b`: by preset number, then bank number.
bool ComparePresets(const CPresetEntry* a, const CPresetEntry* b);
