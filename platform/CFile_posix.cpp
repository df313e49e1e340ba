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
    struct stat st {};
    if (fd >= 0) {
        // A folder opens like a file here but is none.
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
    m_bRegular = S_ISREG(st.st_mode);
    m_position = 0;
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

void CFile::Advance(std::size_t bytes)
{
    if (m_bRegular)
        m_position += bytes;
}

std::uint64_t CFile::Seek(std::int64_t offset, SeekPosition from)
{
    if (m_bRegular) {
        // What lseek would refuse: a position before the start or beyond what off_t holds.
        const std::int64_t base = from == begin ? 0 : static_cast<std::int64_t>(from == current ? m_position : GetLength());
        if ((offset < 0 && base + offset < 0) || (offset > 0 && base > INT64_MAX - offset)) {
            errno = offset < 0 ? EINVAL : EOVERFLOW;
            ThrowLastError();
        }
        m_position = static_cast<std::uint64_t>(base + offset);
        return m_position;
    }
    const int whence = from == begin ? SEEK_SET : from == current ? SEEK_CUR : SEEK_END;
    const off_t at = ::lseek(m_fd, static_cast<off_t>(offset), whence);
    if (at < 0)
        ThrowLastError();
    return static_cast<std::uint64_t>(at);
}

std::uint64_t CFile::GetPosition() const
{
    if (m_bRegular)
        return m_position;
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
        const ssize_t n = m_bRegular ? ::pread(m_fd, at + done, count - done, static_cast<off_t>(m_position + done))
                                     : ::read(m_fd, at + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Advance(done);
            ThrowLastError();
        }
        if (n == 0)
            break;
        done += static_cast<std::size_t>(n);
    }
    Advance(done);
    s_totalBytesRead += done;
    return done;
}

void CFile::Write(const void* buffer, std::size_t count)
{
    const auto* at = static_cast<const char*>(buffer);
    std::size_t done = 0;
    while (done < count) {
        const ssize_t n = m_bRegular ? ::pwrite(m_fd, at + done, count - done, static_cast<off_t>(m_position + done))
                                     : ::write(m_fd, at + done, count - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            Advance(done);
            ThrowLastError();
        }
        if (n == 0) {
            Advance(done);
            throw CFileException(CFileException::diskFull, ENOSPC, m_strPath);
        }
        done += static_cast<std::size_t>(n);
    }
    Advance(done);
}

void CFile::Close()
{
    if (m_fd < 0)
        return;
    const int fd = m_fd;
    m_fd = -1;
    m_bRegular = false;
    if (::close(fd) != 0 && errno != EINTR)
        ThrowLastError();
}

void CFile::Abort()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_bRegular = false;
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
