// Every way of closing the converter window ends the process, without a prompt and without writing.
#include "tests/win32/e2e/ConverterWindow.h"
#include "tests/win32/e2e/Files.h"
#include "tests/win32/e2e/RunningApp.h"
#include "tests/win32/e2e/TestBanks.h"
#include "tests/win32/e2e/Wait.h"
#include "tests/win32/e2e/WindowSearch.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cctype>
#include <filesystem>
#include <ostream>
#include <string>

namespace e2e {
namespace {

enum class Way { CloseMessage, SystemMenuClose, EscapeKey, EnterInNameBox };

struct ClosingCase {
    const char* name;
    Way way;
};

const ClosingCase kWays[] = {
    {"WM_CLOSE", Way::CloseMessage},
    {"SC_CLOSE", Way::SystemMenuClose},
    {"Escape", Way::EscapeKey},
    {"Enter in the module name box", Way::EnterInNameBox},
};

void PrintTo(const ClosingCase& c, std::ostream* out)
{
    *out << c.name;
}

class ClosingTheWindow : public testing::TestWithParam<ClosingCase> {};

TEST_P(ClosingTheWindow, EndsTheProcess)
{
    ScratchFolder folder;
    const auto bank = folder / L"bank.sf2";
    WriteBank(bank, JapaneseBank());
    RunningApp app(QuintaroExe(), L"", folder.Path());
    Drop(app, {bank});
    AwaitOrThrow("the bank to load", [&] { return NameBytes(app, kPathBox) == AnsiPath(bank); });

    const HWND window = app.Window();
    switch (GetParam().way) {
    case Way::CloseMessage: ::PostMessageW(window, WM_CLOSE, 0, 0); break;
    case Way::SystemMenuClose: ::PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case Way::EscapeKey: ::PostMessageW(app.Item(kPathBox), WM_KEYDOWN, VK_ESCAPE, 0x00010001); break;
    case Way::EnterInNameBox: ::PostMessageW(app.Item(kModuleNameBox), WM_KEYDOWN, VK_RETURN, 0x001C0001); break;
    }

    DWORD exitCode = STILL_ACTIVE;
    ASSERT_TRUE(app.WaitForExit(kPatienceMs, &exitCode)) << "still running; on screen:"
                                                         << DescribeDialogsOf(app.ProcessId());
    EXPECT_EQ(exitCode, 0u);
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
        EXPECT_NE(entry.path().extension(), ".xml") << "written on closing: " << entry.path().string();
}

INSTANTIATE_TEST_SUITE_P(EveryWay, ClosingTheWindow, testing::ValuesIn(kWays),
                         [](const testing::TestParamInfo<ClosingCase>& param) {
                             std::string name;
                             for (const char c : std::string(param.param.name))
                                 if (std::isalnum(static_cast<unsigned char>(c)))
                                     name += c;
                             return name;
                         });

}  // namespace
}  // namespace e2e
