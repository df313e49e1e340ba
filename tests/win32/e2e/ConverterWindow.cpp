#include "tests/win32/e2e/ConverterWindow.h"

#include "tests/win32/e2e/RemoteDrop.h"
#include "tests/win32/e2e/Text.h"

#include <stdexcept>

namespace e2e {

int PlayerButton(int player)
{
    static const int kButtons[] = {kPlayerGs, kPlayerXg, kPlayerSfz};
    if (player < 0 || player > 2)
        throw std::out_of_range("no such player");
    return kButtons[player];
}

int CheckedPlayer(const RunningApp& app)
{
    int checked = -1;
    for (int player = 0; player < 3; ++player) {
        if (::SendMessageW(app.Item(PlayerButton(player)), BM_GETCHECK, 0, 0) == BST_CHECKED) {
            if (checked != -1)
                throw std::runtime_error("two player buttons are checked");
            checked = player;
        }
    }
    return checked;
}

void ClickPlayer(const RunningApp& app, int player)
{
    ::SendMessageW(app.Item(PlayerButton(player)), BM_CLICK, 0, 0);
}

void SelectGrouping(const RunningApp& app, int listId, int index)
{
    const HWND list = app.Item(listId);
    if (::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(index), 0) != index)
        throw std::runtime_error("the list has no item " + std::to_string(index));
    ::SendMessageW(app.Window(), WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

int SelectedGrouping(const RunningApp& app, int listId)
{
    return static_cast<int>(::SendMessageW(app.Item(listId), CB_GETCURSEL, 0, 0));
}

std::string NameBytes(const RunningApp& app, int boxId)
{
    return WindowTextAnsi(app.Item(boxId));
}

void SetNameBytes(const RunningApp& app, int boxId, const std::string& ansi)
{
    ::SendMessageA(app.Item(boxId), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(ansi.c_str()));
}

std::string AnsiPath(const std::filesystem::path& path)
{
    return WideToCodePage(path.wstring(), CP_ACP);
}

void Drop(const RunningApp& app, const std::vector<std::filesystem::path>& files)
{
    std::vector<std::string> paths;
    for (const auto& file : files)
        paths.push_back(AnsiPath(file));
    DropFiles(app.Process(), app.Window(), paths);
    app.Barrier();
}

HWND PressExport(const RunningApp& app)
{
    if (!::PostMessageW(app.Item(kExportButton), BM_CLICK, 0, 0))
        throw std::runtime_error("cannot post to the export button");
    return app.AwaitDialog("the window the export button opens");
}

}  // namespace e2e
