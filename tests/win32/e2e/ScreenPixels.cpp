#include "tests/win32/e2e/ScreenPixels.h"

#include "tests/win32/e2e/Files.h"
#include "tests/win32/e2e/Wait.h"

#include <cstring>
#include <memory>
#include <stdexcept>
#include <string>

namespace e2e {

namespace {

struct DcDeleter {
    void operator()(HDC dc) const { ::DeleteDC(dc); }
};
struct ObjectDeleter {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
using MemoryDc = std::unique_ptr<std::remove_pointer_t<HDC>, DcDeleter>;
using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, ObjectDeleter>;

// A top-down 32-bit DIB section of the given size, selected into a memory DC.
struct Canvas {
    MemoryDc dc;
    Bitmap bitmap;
    std::uint32_t* bits = nullptr;
    int width = 0;
    int height = 0;

    Canvas(int w, int h) : width(w), height(h)
    {
        dc.reset(::CreateCompatibleDC(nullptr));
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* raw = nullptr;
        bitmap.reset(::CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &raw, nullptr, 0));
        if (!dc || !bitmap)
            throw std::runtime_error("cannot create a drawing surface");
        bits = static_cast<std::uint32_t*>(raw);
        ::SelectObject(dc.get(), bitmap.get());
    }

    Pixels Take() const
    {
        ::GdiFlush();
        Pixels pixels{width, height, std::vector<std::uint32_t>(bits, bits + width * height)};
        for (std::uint32_t& p : pixels.rgb)
            p &= 0x00FFFFFFu;
        return pixels;
    }
};

}  // namespace

Pixels CaptureScreen(const RECT& rect)
{
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0)
        throw std::runtime_error("empty rectangle to capture");
    Canvas canvas(width, height);
    HDC screen = ::GetDC(nullptr);
    const BOOL copied = ::BitBlt(canvas.dc.get(), 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    if (!copied)
        throw std::runtime_error("BitBlt from the screen failed");
    return canvas.Take();
}

Pixels CaptureSettledWindow(HWND window)
{
    RECT rect = {};
    ::GetWindowRect(window, &rect);
    Pixels previous = CaptureScreen(rect);
    Pixels current;
    AwaitOrThrow("the window to finish painting", [&] {
        ::Sleep(150);
        current = CaptureScreen(rect);
        const bool settled = current == previous;
        previous = current;
        return settled;
    });
    return current;
}

Pixels RenderIcon(HICON icon, int width, int height, COLORREF background)
{
    Canvas canvas(width, height);
    const std::uint32_t fill = (GetRValue(background) << 16) | (GetGValue(background) << 8) | GetBValue(background);
    for (int i = 0; i < width * height; ++i)
        canvas.bits[i] = fill;
    if (!::DrawIconEx(canvas.dc.get(), 0, 0, icon, width, height, 0, nullptr, DI_NORMAL))
        throw std::runtime_error("DrawIconEx failed");
    return canvas.Take();
}

double IconDistance(const Pixels& captured, HICON icon)
{
    // Where the icon over black equals the icon over white, the icon itself shows.
    const Pixels overBlack = RenderIcon(icon, captured.width, captured.height, RGB(0, 0, 0));
    const Pixels overWhite = RenderIcon(icon, captured.width, captured.height, RGB(255, 255, 255));
    std::size_t opaque = 0;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < captured.rgb.size(); ++i) {
        if (overBlack.rgb[i] != overWhite.rgb[i])
            continue;
        ++opaque;
        if (overBlack.rgb[i] != captured.rgb[i])
            ++differing;
    }
    return opaque == 0 ? 1.0 : static_cast<double>(differing) / static_cast<double>(opaque);
}

void WriteBmp(const Pixels& pixels, const std::filesystem::path& path)
{
    // 24 bits a pixel, rows bottom up, each padded to four bytes.
    const std::size_t rowBytes = (static_cast<std::size_t>(pixels.width) * 3 + 3) & ~std::size_t{3};
    const std::size_t imageBytes = rowBytes * static_cast<std::size_t>(pixels.height);
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER info = {};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + imageBytes);
    info.biSize = sizeof info;
    info.biWidth = pixels.width;
    info.biHeight = pixels.height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(imageBytes);

    std::string bytes(file.bfOffBits + imageBytes, '\0');
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    for (int y = 0; y < pixels.height; ++y) {
        char* row = bytes.data() + file.bfOffBits + rowBytes * static_cast<std::size_t>(pixels.height - 1 - y);
        for (int x = 0; x < pixels.width; ++x) {
            const std::uint32_t p = pixels.At(x, y);
            row[x * 3 + 0] = static_cast<char>(p & 0xFF);
            row[x * 3 + 1] = static_cast<char>((p >> 8) & 0xFF);
            row[x * 3 + 2] = static_cast<char>((p >> 16) & 0xFF);
        }
    }
    WriteFileBytes(path, bytes);
}

}  // namespace e2e
