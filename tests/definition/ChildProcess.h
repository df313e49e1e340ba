// Runs a piece of a test in a forked child, for conditions that a process cannot undo or that
// root does not feel: a small file size limit, or the rights of an ordinary user. The child sends
// back a text through a pipe; assertions stay in the parent. POSIX only.
#pragma once

#ifndef _WIN32

#include <csignal>
#include <cstdio>
#include <functional>
#include <grp.h>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

namespace deftest {

// The user and group that a child of root takes when it should lack root's rights.
inline constexpr uid_t kUnprivilegedUid = 65534;
inline constexpr gid_t kUnprivilegedGid = 65534;

struct ChildOptions {
    std::optional<rlim_t> fileSizeLimit; // RLIMIT_FSIZE; SIGXFSZ is ignored, so writes fail with EFBIG
    bool unprivileged = false;           // when run by root, drop to nobody first
};

struct ChildOutcome {
    int exitCode = -1; // 0 when the body ran to its end; kCannotDrop when the rights could not be dropped
    std::string text;  // what the body returned
};

inline constexpr int kCannotDrop = 77;
inline constexpr int kBodyThrew = 78;

inline ChildOutcome RunInChild(const std::function<std::string()>& body, const ChildOptions& options = {})
{
    int fds[2];
    if (::pipe(fds) != 0)
        return {};
    std::fflush(nullptr);
    const pid_t pid = ::fork();
    if (pid < 0) {
        ::close(fds[0]);
        ::close(fds[1]);
        return {};
    }
    if (pid == 0) {
        ::close(fds[0]);
        if (options.unprivileged && ::geteuid() == 0) {
            if (::setgroups(0, nullptr) != 0 || ::setgid(kUnprivilegedGid) != 0 || ::setuid(kUnprivilegedUid) != 0)
                ::_exit(kCannotDrop);
        }
        if (options.fileSizeLimit) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{*options.fileSizeLimit, *options.fileSizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(kCannotDrop);
        }
        std::string text;
        try {
            text = body();
        } catch (...) {
            ::_exit(kBodyThrew);
        }
        for (std::size_t done = 0; done < text.size();) {
            const ssize_t n = ::write(fds[1], text.data() + done, text.size() - done);
            if (n <= 0)
                break;
            done += static_cast<std::size_t>(n);
        }
        ::close(fds[1]);
        // No destructors, no atexit handlers, no leak report: the parent owns all of that.
        ::_exit(0);
    }
    ::close(fds[1]);
    ChildOutcome outcome;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(fds[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        outcome.text.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(fds[0]);
    int status = 0;
    if (::waitpid(pid, &status, 0) == pid && WIFEXITED(status))
        outcome.exitCode = WEXITSTATUS(status);
    return outcome;
}

} // namespace deftest

#endif
