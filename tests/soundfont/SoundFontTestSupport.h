// Small helpers of the SoundFont tests: chunk bytes written by hand (for layouts the writer will
// not produce), an opened file with its root locator, and a bank loaded from bytes with the
// messages it showed.
#pragma once

#include "platform/CFile.h"
#include "soundfont/CRiffChunk.h"
#include "soundfont/CSoundFont.h"
#include "tests/support/RecordingSink.h"
#include "tests/support/SoundFontWriter.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace sftest {

// Bytes of a RIFF file, appended piece by piece, numbers little-endian.
class RawBytes {
public:
    RawBytes& Text(std::string_view text)
    {
        bytes.insert(bytes.end(), text.begin(), text.end());
        return *this;
    }
    RawBytes& U16(std::uint16_t v)
    {
        bytes.push_back(static_cast<std::uint8_t>(v & 0xFF));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
        return *this;
    }
    RawBytes& U32(std::uint32_t v)
    {
        U16(static_cast<std::uint16_t>(v & 0xFFFF));
        return U16(static_cast<std::uint16_t>(v >> 16));
    }
    // A chunk header: four-character id and ckSize.
    RawBytes& Header(std::string_view id, std::uint32_t size) { return Text(id).U32(size); }
    RawBytes& Zeros(std::size_t n)
    {
        bytes.insert(bytes.end(), n, 0);
        return *this;
    }
    RawBytes& Append(const Bytes& more)
    {
        bytes.insert(bytes.end(), more.begin(), more.end());
        return *this;
    }
    std::uint32_t Size() const { return static_cast<std::uint32_t>(bytes.size()); }

    Bytes bytes;
};

// A temporary file opened for reading, with the locator of the whole file.
class OpenedRiff {
public:
    explicit OpenedRiff(const Bytes& bytes) : m_temp(bytes)
    {
        if (!m_file.Open(CString(m_temp.Path().c_str()), CFile::modeRead))
            throw std::runtime_error("cannot open " + m_temp.Path());
        root = CRiffChunk{&m_file, 0, static_cast<std::uint32_t>(m_file.GetLength())};
    }

    CFile& File() { return m_file; }
    // A locator in this file.
    CRiffChunk At(std::uint32_t offset, std::uint32_t size) { return CRiffChunk{&m_file, offset, size}; }

    CRiffChunk root;

private:
    TempFile m_temp;
    CFile m_file;
};

struct LoadResult {
    bool ok = false;
    std::unique_ptr<CSoundFont> font = std::make_unique<CSoundFont>();
    std::vector<RecordedMessage> messages;
};

inline LoadResult LoadPath(const std::string& path)
{
    LoadResult result;
    RecordingSink sink;
    result.ok = result.font->Load(CString(path.c_str()));
    result.messages = sink.messages;
    return result;
}

inline LoadResult LoadBytes(const Bytes& bytes)
{
    const TempFile file(bytes);
    return LoadPath(file.Path());
}

inline LoadResult LoadBank(const Bank& bank)
{
    return LoadBytes(Build(bank));
}

} // namespace sftest
