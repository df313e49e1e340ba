// The one way both fuzz targets turn bytes into a loaded bank: the bytes go to a file of this
// process (in memory where the system has a tmpfs) and Load reads it as it would any bank.
#pragma once

#include "platform/MessageBox.h"
#include "soundfont/CSoundFont.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace fuzzbank {

// Messages are part of normal behaviour under fuzzing; they only must not crash.
class CQuietSink final : public IMessageSink {
public:
    int Show(const CString&, unsigned) override { return IDOK; }
};

inline const std::string& BankPath()
{
    static const std::string path = [] {
        const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(dir) + "/quintaro-fuzz-" + std::to_string(getpid()) + ".sf2";
    }();
    return path;
}

inline bool LoadBytes(const std::uint8_t* data, std::size_t size, CSoundFont& bank)
{
    static CQuietSink sink;
    static const CScopedMessageSink scope(sink);
    std::FILE* file = std::fopen(BankPath().c_str(), "wb");
    if (!file || (size > 0 && std::fwrite(data, 1, size, file) != size) || std::fclose(file) != 0)
        std::abort();
    const bool loaded = bank.Load(CString(BankPath()));
    // Removed at once: libFuzzer ends its processes without running exit handlers.
    std::remove(BankPath().c_str());
    return loaded;
}

// A broken invariant is a finding: say which and stop, so that libFuzzer keeps the input.
[[noreturn]] inline void Fail(const std::string& what)
{
    std::fprintf(stderr, "invariant broken: %s\n", what.c_str());
    std::abort();
}

} // namespace fuzzbank
