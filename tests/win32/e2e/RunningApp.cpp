#include "tests/win32/e2e/RunningApp.h"

#include "tests/win32/e2e/Files.h"
#include "tests/win32/e2e/Text.h"
#include "tests/win32/e2e/Wait.h"
#include "tests/win32/e2e/WindowSearch.h"

#include <stdexcept>

namespace e2e {

namespace {

constexpr int kPathBox = 1000;

struct Search {
    DWORD processId;
    HWND found;
};

HWND FindConverterWindow(DWORD processId)
{
    Search search{processId, nullptr};
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            if (owner == s.processId && ::IsWindowVisible(window) && ClassNameOf(window) == L"#32770" &&
                WindowText(window) == kConverterCaption) {
                s.found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace

std::filesystem::path QuintaroExe()
{
    return DriverFolder() / L"Quintaro.exe";
}

std::filesystem::path CliExe()
{
    return DriverFolder() / L"quintaro-cli.exe";
}

RunningApp::RunningApp(const std::filesystem::path& exe, const std::wstring& arguments,
                       const std::filesystem::path& workingFolder)
{
    if (!std::filesystem::exists(exe))
        throw std::runtime_error(exe.string() + " does not exist; build the Quintaro target first");
    std::wstring commandLine = QuoteArgument(exe.wstring());
    if (!arguments.empty())
        commandLine += L" " + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          workingFolder.c_str(), &startup, &info))
        throw std::runtime_error("cannot start " + exe.string() + ": error " + std::to_string(::GetLastError()));
    ::CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_processId = info.dwProcessId;
    m_threadId = info.dwThreadId;

    AwaitOrThrow("the converter window", [&] {
        m_window = FindConverterWindow(m_processId);
        return m_window != nullptr || ::WaitForSingleObject(m_process, 0) == WAIT_OBJECT_0;
    });
    if (!m_window)
        throw std::runtime_error(exe.string() + " ended without showing its window");
    Barrier();
}

RunningApp::~RunningApp()
{
    if (::WaitForSingleObject(m_process, 0) != WAIT_OBJECT_0) {
        ::TerminateProcess(m_process, 1);
        ::WaitForSingleObject(m_process, kPatienceMs);
    }
    ::CloseHandle(m_process);
}

HWND RunningApp::Item(int id) const
{
    HWND item = ::GetDlgItem(m_window, id);
    if (!item)
        throw std::runtime_error("the converter window has no control " + std::to_string(id));
    return item;
}

void RunningApp::Barrier() const
{
    e2e::Barrier(Item(kPathBox));
}

HWND RunningApp::AwaitDialog(const std::string& what) const
{
    return AwaitOwnedDialog(m_window, what);
}

void RunningApp::AwaitNoDialog(const std::string& what) const
{
    AwaitNoOwnedDialog(m_window, what);
}

bool RunningApp::WaitForExit(DWORD timeoutMs, DWORD* exitCode)
{
    if (::WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0)
        return false;
    ::GetExitCodeProcess(m_process, exitCode);
    return true;
}

}  // namespace e2e
