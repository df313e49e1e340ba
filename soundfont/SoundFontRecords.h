// The records of a bank's pdta tables as they lie in the file: little-endian and packed, so a
// table is read straight into an array of them.
#pragma once

#include <cstdint>

static_assert(__BYTE_ORDER__ == __ORDER_LITTLE_ENDIAN__, "the tables are read in place");

#pragma pack(push, 1)

struct sfPresetHeader {
    char achPresetName[20];
    std::uint16_t wPreset;
    std::uint16_t wBank;
    std::uint16_t wPresetBagNdx;
    std::uint32_t dwLibrary;
    std::uint32_t dwGenre;
    std::uint32_t dwMorphology;
};

struct sfPresetBag {
    std::uint16_t wGenNdx;
    std::uint16_t wModNdx;
};

// Both pgen and igen records.
struct sfGenList {
    std::uint16_t sfGenOper;
    union {
        struct {
            std::uint8_t byLo;
            std::uint8_t byHi;
        } ranges;
        std::uint16_t wAmount;
    } genAmount;
};

struct sfInst {
    char achInstName[20];
    std::uint16_t wInstBagNdx;
};

struct sfInstBag {
    std::uint16_t wInstGenNdx;
    std::uint16_t wInstModNdx;
};

struct sfSample {
    char achSampleName[20];
    std::uint32_t dwStart;
    std::uint32_t dwEnd;
    std::uint32_t dwStartloop;
    std::uint32_t dwEndloop;
    std::uint32_t dwSampleRate;
    std::uint8_t byOriginalKey;
    std::int8_t chCorrection;
    std::uint16_t wSampleLink;
    std::uint16_t sfSampleType;
};

#pragma pack(pop)

static_assert(sizeof(sfPresetHeader) == 38);
static_assert(sizeof(sfPresetBag) == 4);
static_assert(sizeof(sfGenList) == 4);
static_assert(sizeof(sfInst) == 22);
static_assert(sizeof(sfInstBag) == 4);
static_assert(sizeof(sfSample) == 46);

// The generators that matter here, by their number in sfGenOper.
enum SoundFontGenerator : std::uint16_t {
    kGenInstrument = 41,
    kGenKeyRange = 43,
    kGenSampleId = 53,
};
