// Pixels of the screen: what another process's window shows (BitBlt from the screen, since a device
// context cannot cross processes), a reference icon drawn the way a static icon control draws it,
// and a 24-bit BMP file for the screenshot.
#pragma once

#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <vector>

namespace e2e {

struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> rgb;  // 0x00RRGGBB, rows top to bottom

    std::uint32_t At(int x, int y) const { return rgb[static_cast<std::size_t>(y * width + x)]; }
    bool operator==(const Pixels& other) const
    {
        return width == other.width && height == other.height && rgb == other.rgb;
    }
};

// The screen inside `rect` (screen coordinates).
Pixels CaptureScreen(const RECT& rect);
// The window's outer rectangle, once two captures a moment apart agree (painting has settled).
Pixels CaptureSettledWindow(HWND window);

// `icon` drawn with DrawIconEx at width x height over a plain background.
Pixels RenderIcon(HICON icon, int width, int height, COLORREF background);

// How far a captured icon is from `icon`: the share of the icon's opaque pixels whose colour differs
// (0 = same picture, 1 = nothing in common). Transparent pixels, which show the background, are not
// compared.
double IconDistance(const Pixels& captured, HICON icon);

void WriteBmp(const Pixels& pixels, const std::filesystem::path& path);

}  // namespace e2e
