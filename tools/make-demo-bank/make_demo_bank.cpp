// Writes the small demo bank shipped in examples/: a few melodic presets with bank variations and one
// drum kit of stereo samples, all silent. Its layout is what a real bank looks like, so the converter
// can be tried on it and synthesizers load it.
//   make-demo-bank OUTFILE

#include "tests/support/SoundFontWriter.h"

#include <cstdint>
#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using sftest::gen;
using sftest::instrument;
using sftest::keyRange;
using sftest::Sample;
using sftest::SampleType;
using sftest::sampleID;
using sftest::Zone;

constexpr int kPanLeft = -500;   // 0.1 % units: hard left
constexpr int kPanRight = 500;
constexpr int kLoop = 1;         // sampleModes: loop continuously

struct DrumSound {
    const char* name;            // stereo pair "<name>(L)" / "<name>(R)"
    std::uint8_t lo;
    std::uint8_t hi;
    int exclusiveClass;          // 0: none; hi-hats choke each other
};

const DrumSound kDrums[] = {
    {"Kick", 35, 36, 0},
    {"Snare", 38, 38, 0},
    {"Snare", 40, 40, 0},
    {"Hi-Hat Closed", 42, 42, 1},
    {"Hi-Hat Pedal", 44, 44, 1},
    {"Hi-Hat Open", 46, 46, 1},
    {"Crash Cymbal", 49, 49, 0},
    {"Ride Cymbal", 51, 51, 0},
};

std::uint16_t AddSample(sftest::Bank& bank, Sample sample)
{
    bank.samples.push_back(std::move(sample));
    return static_cast<std::uint16_t>(bank.samples.size() - 1);
}

// Adds a stereo pair and returns the index of its left half; the right half follows it.
std::uint16_t AddStereoPair(sftest::Bank& bank, const std::string& name, std::uint8_t key)
{
    const auto left = static_cast<std::uint16_t>(bank.samples.size());
    AddSample(bank, {name + "(L)", 64, 22050, key, SampleType::Left, static_cast<std::uint16_t>(left + 1)});
    AddSample(bank, {name + "(R)", 64, 22050, key, SampleType::Right, left});
    return left;
}

std::uint16_t AddInstrument(sftest::Bank& bank, std::string name, std::vector<Zone> zones)
{
    bank.instruments.push_back({std::move(name), std::move(zones)});
    return static_cast<std::uint16_t>(bank.instruments.size() - 1);
}

std::vector<Zone> DrumKitZones(sftest::Bank& bank)
{
    // The global zone: a short release for every drum.
    std::vector<Zone> zones = {{gen(sftest::kGenReleaseVolEnv, -2400)}};
    std::string previous;
    std::uint16_t left = 0;
    for (const DrumSound& drum : kDrums) {
        if (drum.name != previous)
            left = AddStereoPair(bank, drum.name, drum.lo);
        previous = drum.name;
        for (int side = 0; side < 2; ++side) {
            Zone zone = {keyRange(drum.lo, drum.hi), gen(sftest::kGenPan, side == 0 ? kPanLeft : kPanRight)};
            if (drum.exclusiveClass != 0)
                zone.push_back(gen(sftest::kGenExclusiveClass, drum.exclusiveClass));
            zone.push_back(sampleID(static_cast<std::uint16_t>(left + side)));
            zones.push_back(zone);
        }
    }
    // One mono sound among the pairs, as real kits have.
    const std::uint16_t clap = AddSample(bank, {"Hand Clap", 64, 22050, 39});
    zones.push_back({keyRange(39, 39), sampleID(clap)});
    return zones;
}

sftest::Bank DemoBank()
{
    sftest::Bank bank;
    bank.info.name = "Quintaro Demo";
    bank.info.extra = {{"ICOP", "Public domain"}, {"ISFT", "make-demo-bank"}};

    const std::uint16_t piano = AddSample(bank, {"Piano C4", 64, 22050, 60});
    const std::uint16_t wide = AddStereoPair(bank, "Piano Wide", 60);
    const std::uint16_t bright = AddSample(bank, {"Bright Piano C4", 64, 22050, 60});
    const std::uint16_t strings = AddSample(bank, {"Strings C4", 64, 22050, 60});
    const std::uint16_t pad = AddSample(bank, {"Pad C4", 64, 22050, 60});
    const std::uint16_t square = AddSample(bank, {"Square A4", 64, 22050, 69});

    const Zone full = {keyRange(0, 127)};
    auto play = [&full](std::vector<sftest::Generator> more) {
        Zone zone = full;
        zone.insert(zone.end(), more.begin(), more.end());
        return zone;
    };
    const std::uint16_t iPiano = AddInstrument(bank, "Piano", {play({sampleID(piano)})});
    const std::uint16_t iWide = AddInstrument(bank, "Piano Wide",
        {play({gen(sftest::kGenPan, kPanLeft), sampleID(wide)}),
         play({gen(sftest::kGenPan, kPanRight), sampleID(static_cast<std::uint16_t>(wide + 1))})});
    const std::uint16_t iBright = AddInstrument(bank, "Bright Piano", {play({sampleID(bright)})});
    const std::uint16_t iStrings = AddInstrument(bank, "Strings",
        {play({gen(sftest::kGenSampleModes, kLoop), sampleID(strings)})});
    const std::uint16_t iPad = AddInstrument(bank, "Pad",
        {play({gen(sftest::kGenSampleModes, kLoop), sampleID(pad)})});
    const std::uint16_t iSquare = AddInstrument(bank, "Square",
        {play({gen(sftest::kGenSampleModes, kLoop), sampleID(square)})});
    const std::uint16_t iKit = AddInstrument(bank, "Standard Kit", DrumKitZones(bank));

    bank.presets = {
        {"Piano 1", 0, 0, {{instrument(iPiano)}}},
        {"Piano 1 Wide", 0, 8, {{instrument(iWide)}}},
        {"Bright Piano", 1, 0, {{instrument(iBright)}}},
        {"Str & Pad", 48, 0,
         {{instrument(iStrings)}, {gen(sftest::kGenInitialAttenuation, 30), instrument(iPad)}}},
        {"Slow Strings", 48, 1, {{gen(sftest::kGenAttackVolEnv, 1200), instrument(iStrings)}}},
        {"Square Lead", 80, 0, {{instrument(iSquare)}}},
        // The global zone first: a little quieter for the whole kit.
        {"Standard Kit", 0, 128, {{gen(sftest::kGenInitialAttenuation, 20)},
                                  {keyRange(27, 87), instrument(iKit)}}},
    };
    return bank;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-demo-bank OUTFILE\n");
        return 2;
    }
    try {
        const sftest::Bytes bytes = sftest::Build(DemoBank());
        std::ofstream out(argv[1], std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::fprintf(stderr, "make-demo-bank: cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "make-demo-bank: %s\n", e.what());
        return 1;
    }
    return 0;
}
