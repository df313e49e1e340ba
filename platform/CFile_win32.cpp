#include "platform/CFile.h"

#include "platform/Win32Path.h"

#include <windows.h>

#include <algorithm>

std::uint64_t CFile::s_totalBytesRead = 0;

CFileException::Cause CFileException::OsErrorToCause(long osError)
{
    switch (osError) {
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_FILENAME_EXCED_RANGE:
    case ERROR_INVALID_DRIVE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_IO_DEVICE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

namespace {

HANDLE AsHandle(void* h)
{
    return static_cast<HANDLE>(h);
}

} // namespace

CFile::~CFile()
{
    Abort();
}

bool CFile::Open(const CString& path, unsigned flags, CFileException* pError)
{
    Abort();
    DWORD access = GENERIC_READ;
    switch (flags & 0x3u) {
    case modeWrite: access = GENERIC_WRITE; break;
    case modeReadWrite: access = GENERIC_READ | GENERIC_WRITE; break;
    default: break;
    }
    DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    switch (flags & 0x70u) {
    case shareExclusive: share = 0; break;
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    default: break;
    }
    DWORD disposition = OPEN_EXISTING;
    if (flags & modeCreateNew)
        disposition = CREATE_NEW;
    else if (flags & modeCreate)
        disposition = (flags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    const std::wstring native = ToWin32FilePath(path);
    HANDLE h = ::CreateFileW(native.c_str(), access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        if (pError)
            *pError = CFileException(CFileException::OsErrorToCause(static_cast<long>(error)), static_cast<long>(error), path);
        return false;
    }
    m_hFile = h;
    m_strPath = path;
    return true;
}

bool CFile::IsOpen() const
{
    return AsHandle(m_hFile) != INVALID_HANDLE_VALUE;
}

void CFile::ThrowLastError() const
{
    CFileException::ThrowOsError(static_cast<long>(::GetLastError()), m_strPath);
}

std::uint64_t CFile::Seek(std::int64_t offset, SeekPosition from)
{
    const DWORD method = from == begin ? FILE_BEGIN : from == current ? FILE_CURRENT : FILE_END;
    LARGE_INTEGER distance;
    distance.QuadPart = offset;
    LARGE_INTEGER at;
    if (!::SetFilePointerEx(AsHandle(m_hFile), distance, &at, method))
        ThrowLastError();
    return static_cast<std::uint64_t>(at.QuadPart);
}

std::uint64_t CFile::GetPosition() const
{
    LARGE_INTEGER zero;
    zero.QuadPart = 0;
    LARGE_INTEGER at;
    if (!::SetFilePointerEx(AsHandle(m_hFile), zero, &at, FILE_CURRENT))
        ThrowLastError();
    return static_cast<std::uint64_t>(at.QuadPart);
}

std::uint64_t CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!::GetFileSizeEx(AsHandle(m_hFile), &size))
        ThrowLastError();
    return static_cast<std::uint64_t>(size.QuadPart);
}

std::size_t CFile::Read(void* buffer, std::size_t count)
{
    auto* at = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
        DWORD got = 0;
        if (!::ReadFile(AsHandle(m_hFile), at + done, ask, &got, nullptr)) {
            if (::GetLastError() == ERROR_HANDLE_EOF)
                break;
            ThrowLastError();
        }
        if (got == 0)
            break;
        done += got;
    }
    s_totalBytesRead += done;
    return done;
}

void CFile::Write(const void* buffer, std::size_t count)
{
    const auto* at = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const DWORD ask = static_cast<DWORD>(std::min<std::size_t>(count - done, 1u << 30));
        DWORD put = 0;
        if (!::WriteFile(AsHandle(m_hFile), at + done, ask, &put, nullptr))
            ThrowLastError();
        if (put == 0)
            throw CFileException(CFileException::diskFull, ERROR_DISK_FULL, m_strPath);
        done += put;
    }
}

void CFile::Close()
{
    if (!IsOpen())
        return;
    HANDLE h = AsHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
    if (!::CloseHandle(h))
        ThrowLastError();
}

void CFile::Abort()
{
    if (IsOpen())
        ::CloseHandle(AsHandle(m_hFile));
    m_hFile = INVALID_HANDLE_VALUE;
}

void CFile::Remove(const CString& path)
{
    if (!::DeleteFileW(ToWin32FilePath(path).c_str()))
        CFileException::ThrowOsError(static_cast<long>(::GetLastError()), path);
}

void CFile::ReplaceWith(const CString& from, const CString& to)
{
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (!::MoveFileExW(ToWin32FilePath(from).c_str(), ToWin32FilePath(to).c_str(), flags))
        CFileException::ThrowOsError(static_cast<long>(::GetLastError()), to);
}
