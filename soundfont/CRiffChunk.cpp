#include "soundfont/CRiffChunk.h"

#include <algorithm>

namespace {

bool SameFourCC(const char* a, const char* b)
{
    return std::memcmp(a, b, 4) == 0;
}

std::uint32_t LittleEndian32(const unsigned char* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace

std::unique_ptr<CRiffChunk> CRiffChunk::FindChunk(const char* id, const char* listType) const
{
    // A parent whose end does not fit in 32 bits holds nothing.
    if (m_dwSize > UINT32_MAX - m_dwOffset)
        return nullptr;
    const std::uint32_t end = m_dwOffset + m_dwSize;
    std::uint32_t position = m_dwOffset;
    m_pFile->Seek(position, CFile::begin);
    while (position < end) {
        unsigned char header[8];
        if (m_pFile->Read(header, sizeof header) != sizeof header)
            return nullptr;
        const std::uint32_t ckSize = LittleEndian32(header + 4);
        if (position > UINT32_MAX - 8 || ckSize > UINT32_MAX - (position + 8))
            return nullptr;
        const std::uint32_t dataStart = position + 8;
        const std::uint32_t next = dataStart + ckSize;
        if (SameFourCC(reinterpret_cast<const char*>(header), id)) {
            if (!listType)
                return std::make_unique<CRiffChunk>(CRiffChunk{m_pFile, dataStart, ckSize});
            char type[4];
            if (m_pFile->Read(type, sizeof type) == sizeof type && SameFourCC(type, listType)) {
                const std::uint32_t size = ckSize >= 4 ? ckSize - 4 : 0;
                return std::make_unique<CRiffChunk>(CRiffChunk{m_pFile, dataStart + 4, size});
            }
        }
        m_pFile->Seek(next, CFile::begin);
        position = next;
    }
    return nullptr;
}

std::uint32_t CRiffChunk::BytesInFile() const
{
    const std::uint64_t length = m_pFile->GetLength();
    if (length <= m_dwOffset)
        return 0;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(length - m_dwOffset, m_dwSize));
}

CString CRiffChunk::ReadString(const char* id) const
{
    const std::unique_ptr<CRiffChunk> chunk = FindChunk(id, nullptr);
    if (!chunk)
        return CString();
    CString text;
    char* buffer = text.GetBufferSetLength(chunk->BytesInFile());
    m_pFile->Seek(chunk->m_dwOffset, CFile::begin);
    const std::size_t got = m_pFile->Read(buffer, text.GetLength());
    text.ReleaseBuffer(std::min(got, text.View().find('\0')));
    return text;
}
