#include "tests/support/SoundFontWriter.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>

namespace sftest {

namespace {

constexpr std::size_t kNameLength = 20;
// The SoundFont 2 standard asks for at least 46 zero points after every sample.
constexpr std::uint32_t kGuardPoints = 46;

void PutU8(Bytes& out, std::uint8_t v) { out.push_back(v); }

void PutU16(Bytes& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v & 0xFF));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(Bytes& out, std::uint32_t v)
{
    PutU16(out, static_cast<std::uint16_t>(v & 0xFFFF));
    PutU16(out, static_cast<std::uint16_t>(v >> 16));
}

void PutFourCC(Bytes& out, const std::string& fourcc)
{
    if (fourcc.size() != 4)
        throw std::invalid_argument("chunk id or list type must have four characters: " + fourcc);
    out.insert(out.end(), fourcc.begin(), fourcc.end());
}

void PutName(Bytes& out, const std::string& name)
{
    if (name.size() > kNameLength)
        throw std::invalid_argument("name longer than 20 bytes: " + name);
    out.insert(out.end(), name.begin(), name.end());
    out.insert(out.end(), kNameLength - name.size(), 0);
}

// A zero-terminated text padded to an even length, as INFO sub-chunks are.
Bytes ZString(const std::string& text)
{
    Bytes out = ToBytes(text);
    out.push_back(0);
    if (out.size() % 2 != 0)
        out.push_back(0);
    return out;
}

std::uint16_t Index(std::size_t n)
{
    if (n > 0xFFFF)
        throw std::length_error("table index beyond 16 bits");
    return static_cast<std::uint16_t>(n);
}

// Zones of presets or of instruments: the bag records point into the generator records.
struct ZoneTables {
    Bytes bags;
    Bytes gens;
    std::size_t bagCount = 0;
    std::size_t genCount = 0;

    void Add(const std::vector<Zone>& zones)
    {
        for (const Zone& zone : zones) {
            PutU16(bags, Index(genCount));
            PutU16(bags, 0);
            ++bagCount;
            for (const Generator& g : zone) {
                PutU16(gens, g.oper);
                PutU16(gens, g.amount);
                ++genCount;
            }
        }
    }

    void Terminate()
    {
        PutU16(bags, Index(genCount));
        PutU16(bags, 0);
        PutU32(gens, 0);
    }
};

RiffNode LayoutInfo(const Info& info)
{
    Bytes version;
    PutU16(version, info.versionMajor);
    PutU16(version, info.versionMinor);
    std::vector<RiffNode> chunks;
    chunks.push_back(Chunk("ifil", version));
    chunks.push_back(Chunk("isng", ZString(info.engine)));
    if (info.name)
        chunks.push_back(Chunk("INAM", ZString(*info.name)));
    for (const auto& [id, text] : info.extra)
        chunks.push_back(Chunk(id, ZString(text)));
    return List("INFO", std::move(chunks));
}

RiffNode* FindIn(const RiffNode& node, std::string_view path)
{
    const RiffNode* current = &node;
    while (current) {
        const std::size_t slash = path.find('/');
        const std::string_view name = path.substr(0, slash);
        const RiffNode* next = nullptr;
        for (const RiffNode& child : current->children) {
            if ((child.listType.empty() ? child.id : child.listType) == name) {
                next = &child;
                break;
            }
        }
        current = next;
        if (slash == std::string_view::npos)
            break;
        path.remove_prefix(slash + 1);
    }
    return const_cast<RiffNode*>(current);
}

Bytes& RecordData(const RiffNode& riff, RecordField field, std::size_t record)
{
    RiffNode* chunk = FindIn(riff, field.path);
    if (!chunk)
        throw std::out_of_range(std::string("no chunk ") + field.path);
    if ((record + 1) * field.recordSize > chunk->data.size())
        throw std::out_of_range(std::string("no such record in ") + field.path);
    return chunk->data;
}

}  // namespace

Generator keyRange(std::uint8_t lo, std::uint8_t hi)
{
    return {kGenKeyRange, static_cast<std::uint16_t>(lo | (hi << 8))};
}

Generator instrument(std::uint16_t index) { return {kGenInstrument, index}; }

Generator sampleID(std::uint16_t index) { return {kGenSampleID, index}; }

Generator gen(std::uint16_t oper, int amount)
{
    return {oper, static_cast<std::uint16_t>(amount & 0xFFFF)};
}

RiffNode* RiffNode::Find(std::string_view path) { return FindIn(*this, path); }

const RiffNode* RiffNode::Find(std::string_view path) const { return FindIn(*this, path); }

RiffNode& RiffNode::At(std::string_view path)
{
    if (RiffNode* node = Find(path))
        return *node;
    throw std::out_of_range("no chunk " + std::string(path));
}

const RiffNode& RiffNode::At(std::string_view path) const
{
    return const_cast<RiffNode*>(this)->At(path);
}

void RiffNode::Remove(std::string_view path)
{
    const std::size_t slash = path.rfind('/');
    RiffNode& parent = slash == std::string_view::npos ? *this : At(path.substr(0, slash));
    const RiffNode& victim = At(path);
    for (auto it = parent.children.begin(); it != parent.children.end(); ++it) {
        if (&*it == &victim) {
            parent.children.erase(it);
            return;
        }
    }
}

RiffNode Chunk(std::string id, Bytes data)
{
    RiffNode node;
    node.id = std::move(id);
    node.data = std::move(data);
    return node;
}

RiffNode List(std::string listType, std::vector<RiffNode> children, std::string id)
{
    RiffNode node;
    node.id = std::move(id);
    node.listType = std::move(listType);
    node.children = std::move(children);
    return node;
}

RiffNode Layout(const Bank& bank)
{
    Bytes smpl;
    Bytes shdr;
    std::uint32_t position = 0;
    for (const Sample& s : bank.samples) {
        const std::uint32_t start = position;
        const std::uint32_t end = start + s.frames;
        // Loop points where the standard wants them when the sample is long enough for that.
        const bool roomy = s.frames >= 48;
        PutName(shdr, s.name);
        PutU32(shdr, start);
        PutU32(shdr, end);
        PutU32(shdr, roomy ? start + 8 : start);
        PutU32(shdr, roomy ? end - 8 : end);
        PutU32(shdr, s.sampleRate);
        PutU8(shdr, s.originalKey);
        PutU8(shdr, 0);
        PutU16(shdr, s.link);
        PutU16(shdr, static_cast<std::uint16_t>(s.type));
        position = end + kGuardPoints;
    }
    smpl.resize(std::size_t{position} * 2, 0);

    Bytes phdr;
    ZoneTables presetZones;
    for (const Preset& p : bank.presets) {
        PutName(phdr, p.name);
        PutU16(phdr, p.preset);
        PutU16(phdr, p.bank);
        PutU16(phdr, Index(presetZones.bagCount));
        PutU32(phdr, 0);
        PutU32(phdr, 0);
        PutU32(phdr, 0);
        presetZones.Add(p.zones);
    }

    Bytes inst;
    ZoneTables instrumentZones;
    for (const Instrument& i : bank.instruments) {
        PutName(inst, i.name);
        PutU16(inst, Index(instrumentZones.bagCount));
        instrumentZones.Add(i.zones);
    }

    Bytes pmod;
    Bytes imod;
    if (bank.terminalRecords) {
        PutName(phdr, "EOP");
        PutU16(phdr, 0);
        PutU16(phdr, 0);
        PutU16(phdr, Index(presetZones.bagCount));
        phdr.resize(phdr.size() + 12, 0);
        presetZones.Terminate();
        PutName(inst, "EOI");
        PutU16(inst, Index(instrumentZones.bagCount));
        instrumentZones.Terminate();
        PutName(shdr, "EOS");
        shdr.resize(shdr.size() + 26, 0);
        pmod.resize(10, 0);
        imod.resize(10, 0);
    }

    std::vector<RiffNode> lists;
    if (bank.writeInfo)
        lists.push_back(LayoutInfo(bank.info));
    lists.push_back(List("sdta", {Chunk("smpl", std::move(smpl))}));
    lists.push_back(List("pdta", {Chunk("phdr", std::move(phdr)),
                                  Chunk("pbag", std::move(presetZones.bags)),
                                  Chunk("pmod", std::move(pmod)),
                                  Chunk("pgen", std::move(presetZones.gens)),
                                  Chunk("inst", std::move(inst)),
                                  Chunk("ibag", std::move(instrumentZones.bags)),
                                  Chunk("imod", std::move(imod)),
                                  Chunk("igen", std::move(instrumentZones.gens)),
                                  Chunk("shdr", std::move(shdr))}));
    return List("sfbk", std::move(lists), "RIFF");
}

Bytes Serialize(const RiffNode& node)
{
    Bytes contents;
    if (!node.listType.empty())
        PutFourCC(contents, node.listType);
    contents.insert(contents.end(), node.data.begin(), node.data.end());
    for (const RiffNode& child : node.children) {
        const Bytes bytes = Serialize(child);
        contents.insert(contents.end(), bytes.begin(), bytes.end());
    }
    if (contents.size() > 0xFFFFFFFFu)
        throw std::length_error("chunk larger than 4 GiB");

    Bytes out;
    PutFourCC(out, node.id);
    PutU32(out, node.declaredSize.value_or(static_cast<std::uint32_t>(contents.size())));
    out.insert(out.end(), contents.begin(), contents.end());
    if (node.padOdd && contents.size() % 2 != 0)
        out.push_back(0);
    return out;
}

Bytes Build(const Bank& bank) { return Serialize(Layout(bank)); }

void SetField(RiffNode& riff, RecordField field, std::size_t record, std::uint16_t value)
{
    Bytes& data = RecordData(riff, field, record);
    const std::size_t at = record * field.recordSize + field.offset;
    data[at] = static_cast<std::uint8_t>(value & 0xFF);
    data[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

std::uint16_t GetField(const RiffNode& riff, RecordField field, std::size_t record)
{
    const Bytes& data = RecordData(riff, field, record);
    const std::size_t at = record * field.recordSize + field.offset;
    return static_cast<std::uint16_t>(data[at] | (data[at + 1] << 8));
}

std::size_t RecordCount(const RiffNode& riff, RecordField field)
{
    return riff.At(field.path).data.size() / field.recordSize;
}

Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

TempFile::TempFile(const Bytes& bytes, std::string_view suffix)
{
    // Tests may run as parallel processes, so a counter alone is not unique enough.
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    std::mt19937_64 mix(random() ^ static_cast<std::uint64_t>(ticks) ^ (std::uint64_t{counter++} << 40));
    const std::filesystem::path dir = std::filesystem::temp_directory_path();
    std::filesystem::path path;
    do {
        path = dir / ("sftest-" + std::to_string(mix()) + std::string(suffix));
    } while (std::filesystem::exists(path));

    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::error_code ignored;
        std::filesystem::remove(path, ignored);
        throw std::runtime_error("cannot write temporary file " + path.string());
    }
    m_path = path.string();
}

TempFile::~TempFile()
{
    std::error_code ignored;
    std::filesystem::remove(m_path, ignored);
}

}  // namespace sftest
