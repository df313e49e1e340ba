// Runs the command-line converter in this process with its standard output and error sent to
// files, and returns what it printed. In the Windows tree the C runtime writes a line end as CR LF
// to a file in text mode; that is turned back into LF here so that both trees compare the same.
#pragma once

#include "cli/RunCli.h"
#include "tests/definition/TestFiles.h"

#include <cstdio>
#include <fcntl.h>
#include <string>
#include <vector>

#ifdef _WIN32
#include <io.h>
#include <sys/stat.h>
#else
#include <unistd.h>
#endif

namespace clitest {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

namespace detail {

#ifdef _WIN32
inline int Fileno(std::FILE* stream) { return ::_fileno(stream); }
inline int Dup(int fd) { return ::_dup(fd); }
inline int Dup2(int from, int to) { return ::_dup2(from, to); }
inline int Close(int fd) { return ::_close(fd); }
inline int OpenForWriting(const std::string& path)
{
    return ::_open(path.c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY, _S_IREAD | _S_IWRITE);
}
#else
inline int Fileno(std::FILE* stream) { return ::fileno(stream); }
inline int Dup(int fd) { return ::dup(fd); }
inline int Dup2(int from, int to) { return ::dup2(from, to); }
inline int Close(int fd) { return ::close(fd); }
inline int OpenForWriting(const std::string& path) { return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600); }
#endif

// Sends one standard stream to a file for the length of its life.
class Redirect {
public:
    Redirect(std::FILE* stream, const std::string& path) : m_stream(stream), m_fd(Fileno(stream))
    {
        std::fflush(m_stream);
        m_saved = Dup(m_fd);
        const int file = OpenForWriting(path);
        Dup2(file, m_fd);
        Close(file);
    }
    ~Redirect()
    {
        std::fflush(m_stream);
        Dup2(m_saved, m_fd);
        Close(m_saved);
    }
    Redirect(const Redirect&) = delete;
    Redirect& operator=(const Redirect&) = delete;

private:
    std::FILE* m_stream;
    int m_fd;
    int m_saved = -1;
};

inline std::string Captured(const std::string& path)
{
    std::string text = deftest::ReadBytes(path).value_or("(not captured)");
#ifdef _WIN32
    for (std::size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at))
        text.erase(at, 1);
#endif
    return text;
}

} // namespace detail

inline CliRun RunCaptured(const std::vector<std::string>& args)
{
    const deftest::TempDir streams;
    CliRun run;
    {
        const detail::Redirect out(stdout, streams / "stdout");
        const detail::Redirect err(stderr, streams / "stderr");
        run.exitCode = RunCli(args);
    }
    run.out = detail::Captured(streams / "stdout");
    run.err = detail::Captured(streams / "stderr");
    return run;
}

} // namespace clitest
