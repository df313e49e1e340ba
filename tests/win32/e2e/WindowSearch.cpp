#include "tests/win32/e2e/WindowSearch.h"

#include "tests/win32/e2e/Text.h"
#include "tests/win32/e2e/Wait.h"

#include <cstdio>
#include <stdexcept>

namespace e2e {

namespace {

template <class Visit>
void ForEachTopLevel(Visit visit)
{
    ::EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            (*reinterpret_cast<Visit*>(context))(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&visit));
}

bool IsVisibleDialog(HWND window)
{
    return ::IsWindowVisible(window) && ClassNameOf(window) == L"#32770";
}

}  // namespace

std::vector<HWND> OwnedDialogs(HWND owner)
{
    std::vector<HWND> found;
    ForEachTopLevel([&](HWND window) {
        if (::GetWindow(window, GW_OWNER) == owner && IsVisibleDialog(window))
            found.push_back(window);
    });
    return found;
}

std::string DescribeDialogsOf(DWORD processId)
{
    std::string description;
    ForEachTopLevel([&](HWND window) {
        DWORD owningProcess = 0;
        ::GetWindowThreadProcessId(window, &owningProcess);
        if (owningProcess != processId || !IsVisibleDialog(window))
            return;
        char line[160];
        std::snprintf(line, sizeof line, "\n  dialog %p owned by %p: ", static_cast<void*>(window),
                      static_cast<void*>(::GetWindow(window, GW_OWNER)));
        description += line + WideToUtf8(WindowText(window));
    });
    return description.empty() ? "\n  (no visible dialog)" : description;
}

HWND AwaitOwnedDialog(HWND owner, const std::string& what)
{
    std::vector<HWND> found;
    if (WaitUntil([&] {
            found = OwnedDialogs(owner);
            return !found.empty();
        })) {
        if (found.size() != 1)
            throw std::runtime_error("more than one window open while waiting for " + what);
        return found.front();
    }
    DWORD processId = 0;
    ::GetWindowThreadProcessId(owner, &processId);
    throw std::runtime_error("timed out waiting for " + what + "; on screen:" + DescribeDialogsOf(processId));
}

void AwaitNoOwnedDialog(HWND owner, const std::string& what)
{
    AwaitOrThrow(what + " to close", [&] { return OwnedDialogs(owner).empty(); });
}

std::vector<HWND> ChildrenInOrder(HWND dialog)
{
    std::vector<HWND> children;
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND FindDescendant(HWND parent, const wchar_t* className)
{
    for (HWND child : ChildrenInOrder(parent)) {
        if (ClassNameOf(child) == className)
            return child;
        if (HWND deeper = FindDescendant(child, className))
            return deeper;
    }
    return nullptr;
}

unsigned ControlId(HWND control)
{
    return static_cast<unsigned>(::GetDlgCtrlID(control)) & 0xFFFFu;
}

void Barrier(HWND control)
{
    // The text limit of an edit box: readable back at once, and it changes nothing a user or the
    // program sees. Each barrier uses a value of its own so that an earlier one cannot satisfy it.
    static WPARAM token = 0x10000;
    const WPARAM mine = ++token;
    if (!::PostMessageW(control, EM_SETLIMITTEXT, mine, 0))
        throw std::runtime_error("cannot post to the control");
    AwaitOrThrow("the program to handle its posted messages", [&] {
        return static_cast<WPARAM>(::SendMessageW(control, EM_GETLIMITTEXT, 0, 0)) == mine;
    });
}

}  // namespace e2e
