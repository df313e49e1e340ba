#include "platform/CFile.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

std::uint64_t CFile::s_totalBytesRead = 0;

CFileException::Cause CFileException::OsErrorToCause(long osError)
{
    switch (osError) {
    case ENOENT: return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP: return badPath;
    case EMFILE:
    case ENFILE: return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case EEXIST: return accessDenied;
    case EBADF: return invalidFile;
    case EBUSY:
    case ETXTBSY: return sharingViolation;
    case ESPIPE:
    case EINVAL: return badSeek;
    case EIO: return hardIO;
    case ENOSPC:
    case EFBIG:
    case EDQUOT: return diskFull;
    default: return genericException;
    }
}

CFile::~CFile()
{
    Abort();
}

bool CFile::Open(const CString& path, unsigned flags, CFileException* pError)
{
    Abort();
    int oflags = O_CLOEXEC;
    switch (flags & 0x3u) {
    case modeWrite: oflags |= O_WRONLY; break;
    case modeReadWrite: oflags |= O_RDWR; break;
    default: oflags |= O_RDONLY; break;
    }
    if (flags & modeCreateNew)
        oflags |= O_CREAT | O_EXCL;
    else if (flags & modeCreate)
        oflags |= O_CREAT | ((flags & modeNoTruncate) ? 0 : O_TRUNC);

    const int fd = ::open(path.GetString(), oflags, 0666);
    int error = fd < 0 ? errno : 0;
    if (fd >= 0) {
        // A folder opens like a file here but is none.
        struct stat st {};
        if (::fstat(fd, &st) != 0)
            error = errno;
        else if (S_ISDIR(st.st_mode))
            error = EISDIR;
        if (error != 0)
            ::close(fd);
    }
    if (error != 0) {
        if (pError)
            *pError = CFileException(CFileException::OsErrorToCause(error), error, path);
        return false;
    }
    m_fd = fd;
    m_strPath = path;
    return true;
}

bool CFile::IsOpen() const
{
    return m_fd >= 0;
}

void CFile::ThrowLastError() const
{
    CFileException::ThrowOsError(errno, m_strPath);
}

std::uint64_t CFile::Seek(std::int64_t offset, SeekPosition from)
{
    const int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    const off_t at = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    if (at < 0)
        ThrowLastError();
    return static_cast<std::uint64_t>(at);
}

std::uint64_t CFile::GetPosition() const
{
    const off_t at = ::lseek(m_fd, 0, SEEK_CUR);
    if (at < 0)
        ThrowLastError();
    return static_cast<std::uint64_t>(at);
}

std::uint64_t CFile::GetLength() const
{
    struct stat st {};
    if (::fstat(m_fd, &st) != 0)
        ThrowLastError();
    return static_cast<std::uint64_t>(st.st_size);
}

std::size_t CFile::Read(void* buffer, std::size_t count)
{
    auto* at = static_cast<char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::read(m_fd, at + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError();
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    s_totalBytesRead += done;
    return done;
}

void CFile::Write(const void* buffer, std::size_t count)
{
    const auto* at = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = ::write(m_fd, at + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            ThrowLastError();
        }
        if (n == 0)
            throw CFileException(CFileException::diskFull, ENOSPC, m_strPath);
        done += static_cast<std::size_t>(n);
    }
}

void CFile::Close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0 && errno != EINTR)
        ThrowLastError();
}

void CFile::Abort()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

void CFile::Remove(const CString& path)
{
    if (::unlink(path.GetString()) != 0)
        CFileException::ThrowOsError(errno, path);
}

void CFile::ReplaceWith(const CString& from, const CString& to)
{
    if (::rename(from.GetString(), to.GetString()) != 0)
        CFileException::ThrowOsError(errno, to);
}
