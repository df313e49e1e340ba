// Builds small SoundFont 2 banks in memory, for tests and for the demo bank, including banks that are
// broken on purpose. A `Bank` describes samples, instruments, presets and INFO; `Layout` turns it into
// an editable chunk tree with every bag and generator index filled in; `Serialize` writes the bytes.
//
//   sftest::Bank bank;
//   bank.info.name = "Test Bank";                                    // INAM; unset = no INAM chunk
//   bank.samples = {{"Kick(L)"}, {"Kick(R)"}};
//   bank.instruments = {{"Kit", {{sftest::keyRange(36, 36), sftest::sampleID(0)}}}};
//   bank.presets = {{"Standard", 0, 128, {{sftest::instrument(0)}}}};
//
//   sftest::RiffNode riff = sftest::Layout(bank);                    // RIFF 'sfbk' and its lists
//   sftest::SetField(riff, sftest::kPbagGenNdx, 0, 999);              // break an index after layout
//   riff.At("pdta/phdr").declaredSize = 1000;                        // ckSize beyond the data
//   riff.Remove("pdta/shdr");                                        // drop a sub-chunk
//   std::vector<std::uint8_t> bytes = sftest::Serialize(riff);
//   bytes.resize(bytes.size() - 10);                                 // truncate anywhere
//   sftest::TempFile file(bytes);                                    // file.Path() until destroyed
//
// Paths name children by list type for lists ("pdta", "INFO", "sdta") and by id otherwise ("phdr").
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace sftest {

using Bytes = std::vector<std::uint8_t>;

// ---- Description -------------------------------------------------------------------------------

// Generator numbers of the SoundFont 2 standard that banks of the tests commonly carry.
inline constexpr std::uint16_t kGenPan = 17;
inline constexpr std::uint16_t kGenAttackVolEnv = 34;
inline constexpr std::uint16_t kGenReleaseVolEnv = 38;
inline constexpr std::uint16_t kGenInstrument = 41;
inline constexpr std::uint16_t kGenKeyRange = 43;
inline constexpr std::uint16_t kGenInitialAttenuation = 48;
inline constexpr std::uint16_t kGenSampleID = 53;
inline constexpr std::uint16_t kGenSampleModes = 54;
inline constexpr std::uint16_t kGenExclusiveClass = 57;

struct Generator {
    std::uint16_t oper = 0;
    std::uint16_t amount = 0;
};

Generator keyRange(std::uint8_t lo, std::uint8_t hi);
Generator instrument(std::uint16_t index);
Generator sampleID(std::uint16_t index);
// Any generator; a signed amount is stored as its two's complement.
Generator gen(std::uint16_t oper, int amount);

// One zone: its generators in file order. A zone without instrument/sampleID is a global zone.
using Zone = std::vector<Generator>;

enum class SampleType : std::uint16_t { Mono = 1, Right = 2, Left = 4 };

struct Sample {
    std::string name;                 // raw bytes, at most 20; exactly 20 leaves no NUL in the field
    std::uint32_t frames = 64;        // silent 16-bit frames, followed by the 46 required zero points
    std::uint32_t sampleRate = 22050;
    std::uint8_t originalKey = 60;
    SampleType type = SampleType::Mono;
    std::uint16_t link = 0;           // index of the other half of a stereo pair
};

struct Instrument {
    std::string name;
    std::vector<Zone> zones;
};

struct Preset {
    std::string name;
    std::uint16_t preset = 0;
    std::uint16_t bank = 0;
    std::vector<Zone> zones;
};

struct Info {
    std::uint16_t versionMajor = 2;   // ifil
    std::uint16_t versionMinor = 1;
    std::string engine = "EMU8000";   // isng
    std::optional<std::string> name;  // INAM
    std::vector<std::pair<std::string, std::string>> extra;  // further chunks: {"ICOP", "text"}, ...
};

struct Bank {
    bool writeInfo = true;            // false: no INFO list at all
    Info info;
    std::vector<Sample> samples;
    std::vector<Instrument> instruments;
    std::vector<Preset> presets;
    bool terminalRecords = true;      // false: no EOP/EOI/EOS nor closing bag, generator and modulator
};

// ---- Editable chunk tree -----------------------------------------------------------------------

struct RiffNode {
    std::string id;                           // four characters
    std::string listType;                     // four characters for RIFF and LIST, else empty
    Bytes data;                               // written after the list type, before the children
    std::vector<RiffNode> children;
    std::optional<std::uint32_t> declaredSize;  // ckSize to write instead of the real size
    bool padOdd = true;                       // a pad byte after odd-sized contents, as RIFF wants

    // By path such as "pdta/phdr": the first child whose list type, or for a chunk its id, matches.
    RiffNode* Find(std::string_view path);
    const RiffNode* Find(std::string_view path) const;
    RiffNode& At(std::string_view path);      // throws std::out_of_range when absent
    const RiffNode& At(std::string_view path) const;
    void Remove(std::string_view path);       // throws std::out_of_range when absent
};

RiffNode Chunk(std::string id, Bytes data);
RiffNode List(std::string listType, std::vector<RiffNode> children, std::string id = "LIST");

// The RIFF 'sfbk' chunk of the bank: INFO (unless left out), sdta/smpl and pdta with phdr, pbag,
// pmod, pgen, inst, ibag, imod, igen and shdr, in the order of the SoundFont 2 standard.
RiffNode Layout(const Bank& bank);
Bytes Serialize(const RiffNode& node);
Bytes Build(const Bank& bank);  // Serialize(Layout(bank))

// A 16-bit field of one record of a pdta table, for changing indices after layout.
struct RecordField {
    const char* path;
    std::size_t recordSize;
    std::size_t offset;
};

inline constexpr RecordField kPhdrPreset{"pdta/phdr", 38, 20};
inline constexpr RecordField kPhdrBank{"pdta/phdr", 38, 22};
inline constexpr RecordField kPhdrBagNdx{"pdta/phdr", 38, 24};      // wPresetBagNdx
inline constexpr RecordField kPbagGenNdx{"pdta/pbag", 4, 0};        // wGenNdx
inline constexpr RecordField kPbagModNdx{"pdta/pbag", 4, 2};
inline constexpr RecordField kPgenOper{"pdta/pgen", 4, 0};
inline constexpr RecordField kPgenAmount{"pdta/pgen", 4, 2};
inline constexpr RecordField kInstBagNdx{"pdta/inst", 22, 20};      // wInstBagNdx
inline constexpr RecordField kIbagGenNdx{"pdta/ibag", 4, 0};        // wInstGenNdx
inline constexpr RecordField kIbagModNdx{"pdta/ibag", 4, 2};
inline constexpr RecordField kIgenOper{"pdta/igen", 4, 0};
inline constexpr RecordField kIgenAmount{"pdta/igen", 4, 2};
inline constexpr RecordField kShdrSampleLink{"pdta/shdr", 46, 42};
inline constexpr RecordField kShdrSampleType{"pdta/shdr", 46, 44};

// Both throw std::out_of_range when the chunk or the record does not exist.
void SetField(RiffNode& riff, RecordField field, std::size_t record, std::uint16_t value);
std::uint16_t GetField(const RiffNode& riff, RecordField field, std::size_t record);
std::size_t RecordCount(const RiffNode& riff, RecordField field);

Bytes ToBytes(std::string_view text);

// ---- Temporary file ----------------------------------------------------------------------------

// Writes bytes to a new file with a unique name in the temporary directory; the destructor removes it.
class TempFile {
public:
    explicit TempFile(const Bytes& bytes, std::string_view suffix = ".sf2");
    ~TempFile();
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& Path() const { return m_path; }

private:
    std::string m_path;
};

}  // namespace sftest
