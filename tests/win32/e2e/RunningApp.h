// One run of Quintaro.exe (or a renamed copy of it): started with CreateProcessW, found by the
// caption of its converter window, ended on destruction if the test left it running.
#pragma once

#include <windows.h>

#include <filesystem>
#include <string>

namespace e2e {

inline constexpr wchar_t kConverterCaption[] = L"Soundfont(*.sf2) → Zelmor音源定義ファイル コンバータ";

class RunningApp {
public:
    // Starts `exe` with `arguments` in `workingFolder` and waits until its converter window is
    // visible and handling messages.
    explicit RunningApp(const std::filesystem::path& exe, const std::wstring& arguments = L"",
                        const std::filesystem::path& workingFolder = std::filesystem::temp_directory_path());
    ~RunningApp();
    RunningApp(const RunningApp&) = delete;
    RunningApp& operator=(const RunningApp&) = delete;

    HWND Window() const { return m_window; }
    HWND Item(int id) const;  // throws when the window has no such control
    HANDLE Process() const { return m_process; }
    DWORD ProcessId() const { return m_processId; }
    DWORD ThreadId() const { return m_threadId; }

    // Waits until every message posted to the window's thread before has been handled.
    void Barrier() const;
    // The modal window (message box, file dialog, About box) that the converter window owns.
    HWND AwaitDialog(const std::string& what) const;
    void AwaitNoDialog(const std::string& what) const;

    // Waits for the process to end; returns false if it is still running after the wait.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode);

private:
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
    DWORD m_threadId = 0;
    HWND m_window = nullptr;
};

// Quintaro.exe beside the driver.
std::filesystem::path QuintaroExe();
std::filesystem::path CliExe();

}  // namespace e2e
