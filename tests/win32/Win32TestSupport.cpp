#include "tests/win32/Win32TestSupport.h"

#include "platform/CodePage.h"
#include "platform/Win32Path.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <filesystem>
#include <random>
#include <stdexcept>

namespace wintest {

namespace {

std::wstring Prefixed(const CString& path)
{
    return L"\\\\?\\" + AnsiToWide(path);
}

} // namespace

TempFolder::TempFolder()
{
    char temp[MAX_PATH + 1];
    const DWORD n = ::GetTempPathA(sizeof temp, temp);
    static std::atomic<unsigned> counter{0};
    std::random_device random;
    for (;;) {
        CString candidate(temp, n);
        candidate.AppendFormat("qwin-%u-%u", static_cast<unsigned>(random()), counter++);
        if (::CreateDirectoryA(candidate.GetString(), nullptr)) {
            m_path = candidate;
            return;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS)
            throw std::runtime_error("cannot create a temporary folder");
    }
}

TempFolder::~TempFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(std::filesystem::path(Prefixed(m_path)), ignored);
}

CString TempFolder::Write(const std::string& relative, const sftest::Bytes& bytes) const
{
    const CString full = m_path + "\\" + relative.c_str();
    const std::filesystem::path wide(Prefixed(full));
    std::filesystem::create_directories(wide.parent_path());
    const HANDLE h = ::CreateFileW(wide.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot create " + relative);
    DWORD written = 0;
    const BOOL ok = ::WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(h);
    if (!ok || written != bytes.size())
        throw std::runtime_error("cannot write " + relative);
    return full;
}

sftest::Bytes NamedBank(const std::string& name)
{
    sftest::Bank bank;
    if (!name.empty())
        bank.info.name = name;
    bank.samples = {{"Kick"}, {"Piano C4"}};
    bank.instruments = {{"Kit", {{sftest::keyRange(36, 36), sftest::sampleID(0)}}},
                        {"Piano", {{sftest::sampleID(1)}}}};
    bank.presets = {{"Grand Piano", 0, 0, {{sftest::instrument(1)}}},
                    {"Standard", 0, 128, {{sftest::instrument(0)}}}};
    return sftest::Build(bank);
}

HDROP MakeDrop(const std::vector<std::string>& paths)
{
    std::size_t size = sizeof(DROPFILES) + 1;
    for (const std::string& path : paths)
        size += path.size() + 1;
    const HGLOBAL hDrop = ::GlobalAlloc(GHND | GMEM_SHARE, size);
    auto* pDrop = static_cast<DROPFILES*>(::GlobalLock(hDrop));
    pDrop->pFiles = sizeof(DROPFILES);
    pDrop->fWide = FALSE;
    char* p = reinterpret_cast<char*>(pDrop) + sizeof(DROPFILES);
    for (const std::string& path : paths) {
        std::memcpy(p, path.c_str(), path.size() + 1);
        p += path.size() + 1;
    }
    *p = '\0';
    ::GlobalUnlock(hDrop);
    return static_cast<HDROP>(hDrop);
}

std::vector<HWND> Children(HWND hWnd)
{
    std::vector<HWND> children;
    for (HWND h = ::GetWindow(hWnd, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        children.push_back(h);
    return children;
}

namespace {

bool IsDialogClass(HWND hWnd)
{
    char name[16] = {};
    ::GetClassNameA(hWnd, name, sizeof name);
    return std::string(name) == "#32770";
}

BOOL CALLBACK CollectVisibleDialog(HWND hWnd, LPARAM lParam)
{
    if (::IsWindowVisible(hWnd) && IsDialogClass(hWnd))
        reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
    return TRUE;
}

struct PendingWait {
    std::vector<HWND> known;
    std::function<void(HWND)> action;
    UINT_PTR timer = 0;
    int polls = 0;
};
PendingWait* g_pWait = nullptr;

// Five seconds of polls: a window that has not opened by then never will.
constexpr int kMaxPolls = 500;

void CALLBACK PollForDialog(HWND, UINT, UINT_PTR, DWORD)
{
    if (!g_pWait)
        return;
    for (HWND hWnd : VisibleDialogs()) {
        if (std::find(g_pWait->known.begin(), g_pWait->known.end(), hWnd) != g_pWait->known.end())
            continue;
        PendingWait* pWait = g_pWait;
        g_pWait = nullptr;
        ::KillTimer(nullptr, pWait->timer);
        const std::function<void(HWND)> action = std::move(pWait->action);
        delete pWait;
        action(hWnd);
        return;
    }
    if (++g_pWait->polls > kMaxPolls) {
        ::KillTimer(nullptr, g_pWait->timer);
        delete g_pWait;
        g_pWait = nullptr;
        ADD_FAILURE() << "the expected window did not open";
    }
}

} // namespace

std::vector<HWND> VisibleDialogs()
{
    std::vector<HWND> dialogs;
    ::EnumThreadWindows(::GetCurrentThreadId(), CollectVisibleDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

void WhenDialogOpens(std::function<void(HWND)> action)
{
    ASSERT_EQ(g_pWait, nullptr) << "one wait at a time";
    g_pWait = new PendingWait{VisibleDialogs(), std::move(action)};
    g_pWait->timer = ::SetTimer(nullptr, 0, 10, PollForDialog);
}

bool DialogWaitPending()
{
    return g_pWait != nullptr;
}

std::string ToUtf8(const CString& ansi)
{
    return AnsiToUtf8(ansi);
}

std::string WindowTextUtf8(HWND hWnd)
{
    const int n = ::GetWindowTextLengthA(hWnd);
    std::string buffer(static_cast<std::size_t>(n) + 1, '\0');
    const int copied = ::GetWindowTextA(hWnd, buffer.data(), n + 1);
    return AnsiToUtf8(CString(buffer.data(), static_cast<std::size_t>(copied)));
}

} // namespace wintest
