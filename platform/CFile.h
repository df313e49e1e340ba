// A file that is open for exactly as long as its object lives. Failures of the file layer are
// raised as CFileException; only Open reports failure by its result.
#pragma once

#include "platform/CString.h"
#include "platform/Exceptions.h"

#include <cstddef>
#include <cstdint>

class CFile {
public:
    enum OpenFlags : unsigned {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        // Creates the file and fails when it exists already (for temporary files).
        modeCreateNew = 0x10000,
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    ~CFile();
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    // Outside Windows the share modes cannot be enforced: the file is opened with the access
    // asked for, and other programs may still open it.
    bool Open(const CString& path, unsigned flags, CFileException* pError = nullptr);
    bool IsOpen() const;

    std::uint64_t Seek(std::int64_t offset, SeekPosition from);
    std::uint64_t GetPosition() const;
    std::uint64_t GetLength() const;
    // Returns how many bytes were read: fewer at the end of the file, 0 past it.
    std::size_t Read(void* buffer, std::size_t count);
    // Writes all of `count` bytes; a short write raises diskFull.
    void Write(const void* buffer, std::size_t count);
    void Close();
    // Closes without raising, for the ways out after a failure.
    void Abort();

    const CString& GetFilePath() const { return m_strPath; }

    static void Remove(const CString& path);
    // Moves `from` over `to`, replacing a file that stands there, in one step of the file system.
    static void ReplaceWith(const CString& from, const CString& to);

    // Every byte that any CFile has read in this process; the benchmark compares it with a bank's size.
    static std::uint64_t GetTotalBytesRead() { return s_totalBytesRead; }

private:
    [[noreturn]] void ThrowLastError() const;

#ifdef _WIN32
    void* m_hFile = reinterpret_cast<void*>(static_cast<std::intptr_t>(-1));
#else
    // Moves the kept position of a regular file on by what a read or write transferred.
    void Advance(std::size_t bytes);

    int m_fd = -1;
    // A regular file is read and written at a position kept here (pread, pwrite), so that a seek
    // costs no system call; anything else (a pipe, a device) goes through lseek, read and write.
    bool m_bRegular = false;
    std::uint64_t m_position = 0;
#endif
    CString m_strPath;
    static std::uint64_t s_totalBytesRead;
};
