// The golden definition files of the demo bank, and a readable account of where an output
// leaves its golden file.
#pragma once

#include "platform/CodePage.h"

#include <algorithm>
#include <string>
#include <vector>

namespace clitest {

inline std::string GoldenPath(const std::string& player)
{
    return std::string(QUINTARO_SOURCE_DIR) + "/tests/golden/demo-" + player + ".xml";
}

// A line as the terminal can show it: tabs and CR spelled out, Shift-JIS as UTF-8.
inline std::string Visible(const std::string& line)
{
    std::string shown;
    for (const char c : AnsiToUtf8(CString(line))) {
        if (c == '\t')
            shown += "\\t";
        else if (c == '\r')
            shown += "\\r";
        else
            shown += c;
    }
    return shown;
}

inline std::vector<std::string> SplitAtLf(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin <= text.size()) {
        const std::size_t end = text.find('\n', begin);
        if (end == std::string::npos) {
            lines.push_back(text.substr(begin));
            break;
        }
        lines.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return lines;
}

// The first line in which `actual` differs from `expected`, with its number and both versions.
inline std::string FirstDifference(const std::string& expected, const std::string& actual)
{
    const std::vector<std::string> want = SplitAtLf(expected);
    const std::vector<std::string> got = SplitAtLf(actual);
    const std::size_t n = std::max(want.size(), got.size());
    for (std::size_t i = 0; i < n; ++i) {
        const bool haveWant = i < want.size();
        const bool haveGot = i < got.size();
        if (haveWant && haveGot && want[i] == got[i])
            continue;
        return "first difference in line " + std::to_string(i + 1) + "\n  golden: " +
               (haveWant ? Visible(want[i]) : "(end of file)") + "\n  output: " + (haveGot ? Visible(got[i]) : "(end of file)");
    }
    return "no difference";
}

} // namespace clitest
