// Where the tests find the real SoundFont banks that Debian packages (fluid-soundfont-gm,
// fluid-soundfont-gs, timgm6mb-soundfont). CI installs them, so a missing bank is a failure;
// QUINTARO_ALLOW_MISSING_BANKS=1 turns it into a skip for machines without them.
//
//   TEST(RealBanks, Something)
//   {
//       const std::string path = sftest::DebianBank("FluidR3_GM.sf2");
//       if (path.empty())
//           return; // already skipped or failed
//       ...
//   }
//
// From a fixture's SetUp: keep the path in a member and have each test return when it is empty.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace sftest {

// The folder of the banks, as a path the program under test can open. In the Windows tree the
// tests run under Wine, whose drive Z: is the root of the Unix file system.
inline std::string DebianBankDirectory()
{
#ifdef _WIN32
    return "Z:\\usr\\share\\sounds\\sf2\\";
#else
    return "/usr/share/sounds/sf2/";
#endif
}

// The path of bank `fileName`, or empty after recording a skip (missing bank allowed) or a
// non-fatal failure (missing bank not allowed). The caller returns at once when it is empty.
inline std::string DebianBank(const char* fileName)
{
    const std::string path = DebianBankDirectory() + fileName;
    std::error_code error;
    if (std::filesystem::is_regular_file(std::filesystem::path(path), error))
        return path;
    const char* allow = std::getenv("QUINTARO_ALLOW_MISSING_BANKS");
    if (allow && std::string(allow) == "1") {
        // GTEST_SKIP returns from the function it stands in, which must return void.
        [&] { GTEST_SKIP() << "bank " << path << " is not installed (QUINTARO_ALLOW_MISSING_BANKS=1)"; }();
    } else {
        ADD_FAILURE() << "bank " << path
                      << " is not installed: apt-get install fluid-soundfont-gm fluid-soundfont-gs "
                         "timgm6mb-soundfont, or set QUINTARO_ALLOW_MISSING_BANKS=1 to skip";
    }
    return std::string();
}

} // namespace sftest
