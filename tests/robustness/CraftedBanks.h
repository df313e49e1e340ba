// Banks that no tool would write but anyone can: raw pdta tables whose ranges overlap, so that
// a few bytes of index stand for billions of steps or for thousands of fully named kits.
#pragma once

#include "tests/support/SoundFontWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace robustness {

class CRawTable {
public:
    CRawTable& U16(std::uint32_t v)
    {
        m_bytes.push_back(static_cast<std::uint8_t>(v));
        m_bytes.push_back(static_cast<std::uint8_t>(v >> 8));
        return *this;
    }
    CRawTable& U32(std::uint32_t v) { return U16(v & 0xFFFF).U16(v >> 16); }
    CRawTable& Name(const std::string& name)
    {
        for (std::size_t i = 0; i < 20; ++i)
            m_bytes.push_back(i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0);
        return *this;
    }
    CRawTable& Preset(const std::string& name, std::uint16_t preset, std::uint16_t bank, std::uint16_t bag)
    {
        return Name(name).U16(preset).U16(bank).U16(bag).U32(0).U32(0).U32(0);
    }
    CRawTable& Instrument(const std::string& name, std::uint16_t bag) { return Name(name).U16(bag); }
    CRawTable& Bag(std::uint16_t gen) { return U16(gen).U16(0); }
    CRawTable& Gen(std::uint16_t oper, std::uint16_t amount) { return U16(oper).U16(amount); }
    CRawTable& Sample(const std::string& name)
    {
        Name(name).U32(0).U32(0).U32(0).U32(0).U32(22050);
        m_bytes.push_back(60);
        m_bytes.push_back(0);
        return U16(0).U16(1);
    }
    std::vector<std::uint8_t> Bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

struct RawTables {
    CRawTable phdr, pbag, pgen, inst, ibag, igen, shdr;
};

inline std::vector<std::uint8_t> BuildRawBank(const RawTables& t)
{
    using sftest::Chunk;
    std::vector<std::uint8_t> ifil = {2, 0, 1, 0};
    sftest::RiffNode riff = sftest::List(
        "sfbk",
        {sftest::List("INFO", {Chunk("ifil", ifil), Chunk("INAM", sftest::ToBytes(std::string("Crafted\0", 8)))}),
         sftest::List("sdta", {Chunk("smpl", {})}),
         sftest::List("pdta", {Chunk("phdr", t.phdr.Bytes()), Chunk("pbag", t.pbag.Bytes()), Chunk("pgen", t.pgen.Bytes()),
                               Chunk("inst", t.inst.Bytes()), Chunk("ibag", t.ibag.Bytes()), Chunk("igen", t.igen.Bytes()),
                               Chunk("shdr", t.shdr.Bytes())})},
        "RIFF");
    return sftest::Serialize(riff);
}

inline constexpr std::uint16_t kOperInstrument = 41;
inline constexpr std::uint16_t kOperKeyRange = 43;
inline constexpr std::uint16_t kOperSampleId = 53;

// About 1 MB: kit 0 names key 36 "Kick" honestly; then `hogKits` kits whose every other preset
// zone plays one instrument whose every other zone spans the whole generator table, naming
// nothing, so the walk would take about hogKits/2 * 25,000 * 25,000 * 50,000 steps.
inline std::vector<std::uint8_t> BuildOverlappingBank(std::uint16_t hogKits = 10000)
{
    constexpr std::uint16_t kZones = 50000;      // ibag and pbag records of the hog
    constexpr std::uint16_t kGenerators = 50000; // igen records every full zone spans
    RawTables t;
    t.shdr.Sample("Kick").Sample("EOS");
    // Instrument 0: one zone (key 36, sample 0) in igen 0..1; instrument 1: zones 1..kZones.
    t.inst.Instrument("Good", 0).Instrument("Hog", 1).Instrument("EOI", kZones + 1);
    t.ibag.Bag(0);
    for (std::uint32_t z = 0; z <= kZones; ++z)
        t.ibag.Bag(z % 2 == 0 ? 2 : kGenerators);
    t.igen.Gen(kOperKeyRange, 36 | 36 << 8).Gen(kOperSampleId, 0);
    for (std::uint32_t g = 2; g < kGenerators; ++g)
        t.igen.Gen(0, 0);
    // Preset zone 0 plays instrument 0; the hog's zones alternate between [1, 2) and [2, 1).
    t.pgen.Gen(kOperInstrument, 0).Gen(kOperInstrument, 1).Gen(0, 0);
    t.pbag.Bag(0);
    for (std::uint32_t b = 1; b <= kZones; ++b)
        t.pbag.Bag(b % 2 == 1 ? 1 : 2);
    t.phdr.Preset("Good Kit", 0, 128, 0);
    for (std::uint32_t k = 1; k <= hogKits; ++k)
        t.phdr.Preset("Hog " + std::to_string(k), static_cast<std::uint16_t>(k), 128, k % 2 == 1 ? 1 : kZones);
    t.phdr.Preset("EOP", 0, 0, kZones);
    return BuildRawBank(t);
}

// `kits` drum kits, each costing only its 38-byte header; with `named`, every other kit has all
// 128 keys named with 20-byte names (the bag indices alternate, so half the kits share one zone).
inline std::vector<std::uint8_t> BuildManyKitsBank(std::uint32_t kits, bool named)
{
    RawTables t;
    t.shdr.Sample("Twenty Byte Name 001").Sample("EOS");
    t.inst.Instrument("All Keys", 0).Instrument("EOI", 1);
    t.ibag.Bag(0).Bag(2);
    t.igen.Gen(kOperKeyRange, 0 | 127 << 8).Gen(kOperSampleId, 0).Gen(0, 0);
    t.pbag.Bag(0).Bag(1);
    t.pgen.Gen(kOperInstrument, 0).Gen(0, 0);
    for (std::uint32_t k = 0; k < kits; ++k)
        t.phdr.Preset("Kit " + std::to_string(k), static_cast<std::uint16_t>(k), 128, named ? k % 2 : 1);
    t.phdr.Preset("EOP", 0, 0, 1);
    return BuildRawBank(t);
}

} // namespace robustness
