#include "tests/win32/e2e/MessageBoxes.h"

#include "tests/win32/e2e/ScreenPixels.h"
#include "tests/win32/e2e/Text.h"
#include "tests/win32/e2e/Wait.h"
#include "tests/win32/e2e/WindowSearch.h"

#include <stdexcept>
#include <utility>

namespace e2e {

namespace {

constexpr unsigned kMessageTextId = 0xFFFF;
// Below this share of differing pixels the captured icon is taken to be the reference.
constexpr double kSameIcon = 0.02;

HWND FindIconControl(HWND box)
{
    for (HWND child : ChildrenInOrder(box)) {
        const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
        if (ClassNameOf(child) == L"Static" && (style & SS_TYPEMASK) == SS_ICON && ::IsWindowVisible(child))
            return child;
    }
    return nullptr;
}

BoxIcon RecogniseIcon(HWND iconControl)
{
    RECT client = {};
    ::GetClientRect(iconControl, &client);
    ::MapWindowPoints(iconControl, nullptr, reinterpret_cast<POINT*>(&client), 2);
    if (client.right <= client.left || client.bottom <= client.top)
        return BoxIcon::None;

    const std::pair<BoxIcon, LPCWSTR> candidates[] = {
        {BoxIcon::Exclamation, IDI_EXCLAMATION},
        {BoxIcon::Information, IDI_INFORMATION},
        {BoxIcon::Error, IDI_ERROR},
        {BoxIcon::Question, IDI_QUESTION},
    };
    BoxIcon seen = BoxIcon::Unrecognised;
    // The box may not have painted yet when it first becomes visible.
    WaitUntil(
        [&] {
            const Pixels captured = CaptureScreen(client);
            for (const auto& [kind, id] : candidates) {
                if (IconDistance(captured, ::LoadIconW(nullptr, id)) < kSameIcon) {
                    seen = kind;
                    return true;
                }
            }
            return false;
        },
        3000);
    return seen;
}

}  // namespace

const char* ToString(BoxIcon icon)
{
    switch (icon) {
    case BoxIcon::None: return "no icon";
    case BoxIcon::Exclamation: return "exclamation";
    case BoxIcon::Information: return "information";
    case BoxIcon::Error: return "error";
    case BoxIcon::Question: return "question";
    case BoxIcon::Unrecognised: return "an unrecognised icon";
    }
    return "?";
}

MessageBoxSeen ReadMessageBox(HWND box)
{
    MessageBoxSeen seen;
    seen.caption = WindowText(box);
    for (HWND child : ChildrenInOrder(box)) {
        if (ControlId(child) == kMessageTextId && ClassNameOf(child) == L"Static")
            seen.text = WindowText(child);
        else if (ClassNameOf(child) == L"Button" && ::IsWindowVisible(child))
            seen.buttons.push_back(WindowText(child));
    }
    const HWND icon = FindIconControl(box);
    seen.icon = icon ? RecogniseIcon(icon) : BoxIcon::None;
    return seen;
}

void PostCommand(HWND dialog, int command)
{
    if (!::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(command, BN_CLICKED), 0))
        throw std::runtime_error("cannot post a command to the dialog");
}

}  // namespace e2e
