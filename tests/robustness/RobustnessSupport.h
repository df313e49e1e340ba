// What the robustness tests share: a real bank cut down to its INFO and pdta lists, the place of
// every chunk in it, and one loader that reads bytes through a file as Load always does.
#pragma once

#include "platform/CFile.h"
#include "platform/MessageBox.h"
#include "soundfont/CSoundFont.h"
#include "tests/support/SoundFontWriter.h"

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace robustness {

using Bytes = std::vector<std::uint8_t>;

inline std::uint32_t Read32(const Bytes& b, std::size_t at)
{
    return static_cast<std::uint32_t>(b[at]) | static_cast<std::uint32_t>(b[at + 1]) << 8 |
           static_cast<std::uint32_t>(b[at + 2]) << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

inline void Write16(Bytes& b, std::size_t at, std::uint16_t v)
{
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

inline void Write32(Bytes& b, std::size_t at, std::uint32_t v)
{
    Write16(b, at, static_cast<std::uint16_t>(v));
    Write16(b, at + 2, static_cast<std::uint16_t>(v >> 16));
}

inline Bytes ReadWholeFile(const std::string& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One chunk of the cut-down bank: where its header starts and its data lies.
struct ChunkPlace {
    std::string id; // the list type for lists ("INFO", "pdta"), else the chunk id
    std::size_t header = 0;
    std::size_t data = 0;
    std::uint32_t size = 0;
};

struct SmallBank {
    Bytes bytes;
    std::vector<ChunkPlace> chunks; // the three lists and every chunk inside them, in file order

    const ChunkPlace* Find(const std::string& id) const
    {
        for (const ChunkPlace& c : chunks)
            if (c.id == id)
                return &c;
        return nullptr;
    }
};

// The INFO and pdta lists of a real bank with its sample data cut out (an empty smpl stands in
// its place); reads the headers and the pdta only, never the samples.
inline SmallBank CutDown(const std::string& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    const auto read = [&](std::size_t at, std::size_t n) {
        Bytes b(n);
        in.seekg(static_cast<std::streamoff>(at));
        in.read(reinterpret_cast<char*>(b.data()), static_cast<std::streamsize>(n));
        b.resize(static_cast<std::size_t>(in.gcount()));
        in.clear();
        return b;
    };
    const Bytes riff = read(0, 12);
    std::vector<sftest::RiffNode> lists;
    if (riff.size() == 12) {
        const std::size_t end = 8 + Read32(riff, 4);
        for (std::size_t at = 12; at + 12 <= end;) {
            const Bytes header = read(at, 12);
            if (header.size() < 12)
                break;
            const std::uint32_t size = Read32(header, 4);
            const std::string type(header.begin() + 8, header.end());
            if (type == "sdta") {
                lists.push_back(sftest::List("sdta", {sftest::Chunk("smpl", {})}));
            } else {
                sftest::RiffNode list = sftest::List(type, {});
                const Bytes body = read(at + 12, size - 4);
                for (std::size_t p = 0; p + 8 <= body.size();) {
                    const std::uint32_t n = Read32(body, p + 4);
                    list.children.push_back(sftest::Chunk(std::string(body.begin() + static_cast<std::ptrdiff_t>(p),
                                                                      body.begin() + static_cast<std::ptrdiff_t>(p) + 4),
                                                          Bytes(body.begin() + static_cast<std::ptrdiff_t>(p) + 8,
                                                                body.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(p + 8 + n, body.size())))));
                    // The loader skips no pad byte, so none is added that the bank did not have.
                    list.children.back().padOdd = false;
                    p += 8 + n;
                }
                lists.push_back(std::move(list));
            }
            at += 8 + size;
        }
    }
    SmallBank bank;
    bank.bytes = sftest::Serialize(sftest::List("sfbk", std::move(lists), "RIFF"));
    // Where everything landed, for the mutations.
    const Bytes& b = bank.bytes;
    for (std::size_t at = 12; at + 12 <= b.size();) {
        const std::uint32_t size = Read32(b, at + 4);
        bank.chunks.push_back({std::string(b.begin() + static_cast<std::ptrdiff_t>(at) + 8, b.begin() + static_cast<std::ptrdiff_t>(at) + 12), at, at + 12, size - 4});
        for (std::size_t p = at + 12; p + 8 <= at + 8 + size;) {
            const std::uint32_t n = Read32(b, p + 4);
            bank.chunks.push_back({std::string(b.begin() + static_cast<std::ptrdiff_t>(p), b.begin() + static_cast<std::ptrdiff_t>(p) + 4), p, p + 8, n});
            p += 8 + n;
        }
        at += 8 + size;
    }
    return bank;
}

// Swallows the messages of a load; they are allowed, they only must not crash.
class CQuietSink final : public IMessageSink {
public:
    int Show(const CString&, unsigned) override
    {
        ++m_nShown;
        return IDOK;
    }
    int m_nShown = 0;
};

// A file in the temporary folder that each load overwrites; removed with the object.
class CScratchBank {
public:
    explicit CScratchBank(const std::string& tag) : m_path((Folder() / ("quintaro-robust-" + tag + ".sf2")).string()) {}
    ~CScratchBank()
    {
        std::error_code ignored;
        std::filesystem::remove(std::filesystem::path(m_path), ignored);
    }
    CScratchBank(const CScratchBank&) = delete;
    CScratchBank& operator=(const CScratchBank&) = delete;

    bool Load(const Bytes& bytes, std::size_t length, CSoundFont& bank)
    {
        {
            std::ofstream out(std::filesystem::path(m_path), std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(length));
        }
        const CScopedMessageSink scope(m_sink);
        return bank.Load(CString(m_path));
    }
    bool Load(const Bytes& bytes, CSoundFont& bank) { return Load(bytes, bytes.size(), bank); }

    const std::string& Path() const { return m_path; }

private:
    // Thousands of loads rewrite this file: in memory where the system offers a tmpfs.
    static std::filesystem::path Folder()
    {
        std::error_code error;
#ifndef _WIN32
        if (std::filesystem::is_directory("/dev/shm", error))
            return "/dev/shm";
#endif
        return std::filesystem::temp_directory_path();
    }

    std::string m_path;
    CQuietSink m_sink;
};

} // namespace robustness
