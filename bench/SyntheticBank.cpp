#include "bench/SyntheticBank.h"

#include "tests/support/SoundFontWriter.h"

#include <cstdio>
#include <map>
#include <memory>

namespace bench {

namespace {

using sftest::instrument;
using sftest::keyRange;
using sftest::sampleID;

constexpr int kKit = 0;     // instrument: one zone per key, each with its own sample
constexpr int kMelodic = 1; // instrument: one zone over the whole keyboard

// Names of 16 to 20 bytes, as real banks have them, so that every copy of a name reaches the heap.
std::string Numbered(const char* format, int n)
{
    char name[21];
    std::snprintf(name, sizeof name, format, n);
    return name;
}

sftest::Bank Describe(int presets)
{
    sftest::Bank bank;
    bank.info.name = Numbered("Synthetic %05d", presets);
    for (int key = 0; key < 128; ++key)
        bank.samples.push_back({Numbered("Kit Key %03d Sample", key)});
    bank.samples.push_back({"Melodic Tone Sample"});

    sftest::Instrument kit{"Kit", {}};
    for (int key = 0; key < 128; ++key) {
        const auto k = static_cast<std::uint8_t>(key);
        kit.zones.push_back({keyRange(k, k), sampleID(static_cast<std::uint16_t>(key))});
    }
    bank.instruments.push_back(std::move(kit));
    bank.instruments.push_back({"Melodic", {{keyRange(0, 127), sampleID(128)}}});

    // Melodic presets fill program numbers 0 to 127 bank after bank (skipping bank 128); kits
    // share the program numbers, many kits to a number, as the preset table allows.
    const int melodic = (presets + 1) / 2;
    for (int i = 0; i < presets; ++i) {
        const bool isKit = i >= melodic;
        const int n = isKit ? i - melodic : i;
        int bankNumber = isKit ? 128 : n / 128;
        if (!isKit && bankNumber >= 128)
            ++bankNumber;
        bank.presets.push_back({Numbered(isKit ? "Synthetic Kit %05d" : "Synthetic Tone %05d", n),
                                static_cast<std::uint16_t>(n % 128), static_cast<std::uint16_t>(bankNumber),
                                {{instrument(isKit ? kKit : kMelodic)}}});
    }
    return bank;
}

} // namespace

const std::string& SyntheticBankPath(int presets)
{
    static std::map<int, std::unique_ptr<sftest::TempFile>> files;
    std::unique_ptr<sftest::TempFile>& file = files[presets];
    if (!file)
        file = std::make_unique<sftest::TempFile>(sftest::Build(Describe(presets)));
    return file->Path();
}

} // namespace bench
