// The converter window's controls and what a user does with them, driven from outside.
#pragma once

#include "tests/win32/e2e/RunningApp.h"

#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

enum ControlIds : int {
    kPathBox = 1000,
    kBrowseButton = 1001,
    kPlayerGs = 1002,
    kPlayerSfz = 1003,
    kStep2Text = 1004,
    kStep3Text = 1005,
    kModuleNameBox = 1006,
    kMapNameBox = 1007,
    kStep4Text = 1008,
    kExportButton = 1009,
    kPlayerXg = 1010,
    kToneGrouping = 1012,
    kDrumGrouping = 1013,
};

// The radio button of a player kind (0 GS map, 1 XG map, 2 sfz).
int PlayerButton(int player);
// The index of the checked player button, -1 when none is checked.
int CheckedPlayer(const RunningApp& app);
void ClickPlayer(const RunningApp& app, int player);

// Selects an item of a drop-down list and tells the window, as the list does when a user picks.
void SelectGrouping(const RunningApp& app, int listId, int index);
int SelectedGrouping(const RunningApp& app, int listId);

// A name box's text as the program's bytes (ANSI code page) and setting it from such bytes.
std::string NameBytes(const RunningApp& app, int boxId);
void SetNameBytes(const RunningApp& app, int boxId, const std::string& ansi);

// Drops files on the window and waits until the program has handled the drop.
void Drop(const RunningApp& app, const std::vector<std::filesystem::path>& files);
// The path in the ANSI code page, as DragQueryFileA hands it to the program.
std::string AnsiPath(const std::filesystem::path& path);

// Presses the export button (posted: it opens modal windows) and returns the window it opens.
HWND PressExport(const RunningApp& app);

}  // namespace e2e
