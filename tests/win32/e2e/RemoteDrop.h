// Drops files on a window of another process as the shell would. A drop handle made in the driver
// would mean nothing in the program under test, so the DROPFILES block is written into the target's
// memory and WM_DROPFILES is posted with its address; DragQueryFileA and DragFinish in the target
// then work on it as on a drop from Explorer.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

// `ansiPaths`: full paths in the ANSI code page, in drop order. The target owns the block from
// here on (DragFinish releases it).
void DropFiles(HANDLE process, HWND window, const std::vector<std::string>& ansiPaths);

}  // namespace e2e
