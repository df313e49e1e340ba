// Where one chunk's data lies in an open RIFF file, and the three ways to look inside it.
// Every operation positions the file itself, reads headers only and seeks over the data it
// passes, so sample data is never read.
#pragma once

#include "platform/CFile.h"
#include "platform/CString.h"

#include <cstdint>
#include <algorithm>
#include <cstring>
#include <memory>
#include <type_traits>
#include <vector>

class CRiffChunk {
public:
    // The first direct sub-chunk with identifier `id` (and, for a list, type `listType`), or
    // null. Both are four-character byte strings, compared case-sensitively.
    std::unique_ptr<CRiffChunk> FindChunk(const char* id, const char* listType) const;

    // The data of the first sub-chunk `id` up to its first zero byte; empty when there is none.
    CString ReadString(const char* id) const;

    // How many of this chunk's data bytes the file still holds.
    std::uint32_t BytesInFile() const;

    CFile* m_pFile = nullptr;
    std::uint32_t m_dwOffset = 0;
    std::uint32_t m_dwSize = 0;
};

// Fills `records` with the records of the first sub-chunk `id` of `parent`, read in one block
// straight into their storage; leaves `records` untouched when there is none. The record count
// is the chunk size divided by the record size, but only records that begin inside the file are
// created: a record cut by the end of the file is zero-padded.
template <class Record>
void ReadRecords(const CRiffChunk& parent, const char* id, std::vector<Record>& records, std::size_t recordSize)
{
    static_assert(std::is_trivially_copyable_v<Record>);
    const std::unique_ptr<CRiffChunk> chunk = parent.FindChunk(id, nullptr);
    if (!chunk || recordSize != sizeof(Record))
        return;
    const std::size_t declared = chunk->m_dwSize / recordSize;
    const std::size_t available = chunk->BytesInFile();
    const std::size_t count = std::min(declared, (available + recordSize - 1) / recordSize);
    records.assign(count, Record{});
    if (count == 0)
        return;
    chunk->m_pFile->Seek(chunk->m_dwOffset, CFile::begin);
    chunk->m_pFile->Read(records.data(), std::min(count * recordSize, available));
}
