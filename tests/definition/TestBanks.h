// Small banks described preset by preset, written with the SoundFont writer and read back with
// CSoundFont::Load, so that the table has exactly the order (and the kits the key names) that a
// real load produces.
#pragma once

#include "soundfont/CSoundFont.h"
#include "tests/support/SoundFontWriter.h"

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace deftest {

struct TestPreset {
    std::string name;
    std::uint16_t preset = 0;
    std::uint16_t bank = 0;
    // For a kit: the keys that a zone names, each by the name of the sample it plays.
    std::vector<std::pair<std::uint8_t, std::string>> keys;
};

inline sftest::Bank DescribeBank(const std::vector<TestPreset>& presets, const std::string& name)
{
    sftest::Bank bank;
    bank.info.name = name;
    for (const TestPreset& wanted : presets) {
        sftest::Preset preset{wanted.name, wanted.preset, wanted.bank, {}};
        if (!wanted.keys.empty()) {
            sftest::Instrument kit{wanted.name, {}};
            for (const auto& [key, keyName] : wanted.keys) {
                kit.zones.push_back({sftest::keyRange(key, key),
                                     sftest::sampleID(static_cast<std::uint16_t>(bank.samples.size()))});
                bank.samples.push_back({keyName});
            }
            preset.zones.push_back({sftest::instrument(static_cast<std::uint16_t>(bank.instruments.size()))});
            bank.instruments.push_back(std::move(kit));
        }
        bank.presets.push_back(std::move(preset));
    }
    return bank;
}

inline std::unique_ptr<CSoundFont> LoadBank(const std::vector<TestPreset>& presets, const std::string& name = "Test Bank")
{
    const sftest::TempFile file(sftest::Build(DescribeBank(presets, name)));
    auto bank = std::make_unique<CSoundFont>();
    if (!bank->Load(CString(file.Path())))
        throw std::runtime_error("the test bank did not load");
    return bank;
}

// The bank of the worked example, given out of table order so that only Load's sorting puts it right.
inline std::unique_ptr<CSoundFont> WorkedExampleBank()
{
    return LoadBank({
        {"Str & Pad", 48, 0, {}},
        {"Std Kit", 0, 128, {{36, "Kick"}, {38, "Snare"}}},
        {"Piano 1 Wide", 0, 8, {}},
        {"Piano 1", 0, 0, {}},
    });
}

} // namespace deftest
