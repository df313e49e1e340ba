// Waiting for another process: every wait polls a condition until it holds or the patience runs out.
// The patience is generous because the first file dialog of a fresh Wine prefix loads slowly; a
// passing run never waits that long.
#pragma once

#include <windows.h>

#include <stdexcept>
#include <string>

namespace e2e {

inline constexpr DWORD kPatienceMs = 15000;

template <class Condition>
bool WaitUntil(Condition done, DWORD timeoutMs = kPatienceMs)
{
    const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (done())
            return true;
        if (::GetTickCount64() >= deadline)
            return false;
        ::Sleep(15);
    }
}

// As WaitUntil, but a condition that never holds ends the test with what was awaited.
template <class Condition>
void AwaitOrThrow(const std::string& what, Condition done, DWORD timeoutMs = kPatienceMs)
{
    if (!WaitUntil(done, timeoutMs))
        throw std::runtime_error("timed out waiting for " + what);
}

}  // namespace e2e
