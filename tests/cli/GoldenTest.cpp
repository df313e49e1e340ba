// The whole definition file of the demo bank, per player, against the files kept in
// tests/golden. After a deliberate change of the output (a template, the lists), regenerate them:
//   QUINTARO_UPDATE_GOLDEN=1 <build>/bin/cli_tests --gtest_filter='GoldenTest.*'
// then read the diff (git diff tests/golden) before committing it.
#include "tests/cli/CapturedRun.h"
#include "tests/cli/Golden.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

#ifndef QUINTARO_SOURCE_DIR
#error QUINTARO_SOURCE_DIR must name the source tree
#endif

namespace {

TEST(GoldenTest, DemoBankForEachPlayer)
{
    const char* update = std::getenv("QUINTARO_UPDATE_GOLDEN");
    const bool updating = update && std::string(update) == "1";
    for (const char* player : {"gs", "xg", "sfz"}) {
        const deftest::TempDir dir;
        const std::string output = dir / "demo.xml";
        // Default groupings, and the module and map names taken from the bank.
        const clitest::CliRun run =
            clitest::RunCaptured({"-p", player, "-o", output, std::string(QUINTARO_SOURCE_DIR) + "/examples/demo.sf2"});
        ASSERT_EQ(run.exitCode, 0) << run.err;
        const std::string actual = deftest::ReadBytes(output).value_or("");
        const std::string golden = clitest::GoldenPath(player);
        if (updating) {
            deftest::WriteBytes(golden, actual);
            std::printf("wrote %s\n", golden.c_str());
            continue;
        }
        const std::optional<std::string> expected = deftest::ReadBytes(golden);
        ASSERT_TRUE(expected) << golden << " is missing; make it with QUINTARO_UPDATE_GOLDEN=1";
        EXPECT_TRUE(*expected == actual) << player << ": " << clitest::FirstDifference(*expected, actual)
                                         << "\n(if the change is intended, regenerate with QUINTARO_UPDATE_GOLDEN=1)";
    }
}

} // namespace
