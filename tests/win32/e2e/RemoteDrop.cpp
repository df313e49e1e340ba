#include "tests/win32/e2e/RemoteDrop.h"

#include <shlobj.h>

#include <cstring>
#include <stdexcept>

namespace e2e {

void DropFiles(HANDLE process, HWND window, const std::vector<std::string>& ansiPaths)
{
    // DROPFILES, then each path with its zero, then the empty string that ends the list.
    std::string block(sizeof(DROPFILES), '\0');
    DROPFILES header = {};
    header.pFiles = sizeof(DROPFILES);
    header.pt = POINT{20, 20};
    header.fNC = FALSE;
    header.fWide = FALSE;
    std::memcpy(block.data(), &header, sizeof header);
    for (const std::string& path : ansiPaths) {
        block += path;
        block += '\0';
    }
    block += '\0';

    void* remote = ::VirtualAllocEx(process, nullptr, block.size(), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote)
        throw std::runtime_error("VirtualAllocEx failed: error " + std::to_string(::GetLastError()));
    SIZE_T written = 0;
    if (!::WriteProcessMemory(process, remote, block.data(), block.size(), &written) || written != block.size())
        throw std::runtime_error("WriteProcessMemory failed: error " + std::to_string(::GetLastError()));
    if (!::PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(remote), 0))
        throw std::runtime_error("cannot post WM_DROPFILES");
}

}  // namespace e2e
