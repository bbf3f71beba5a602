#include "driver/screen.h"

#include <vector>

#include "driver/files.h"
#include "driver/owners.h"

namespace drv {

std::ostream& operator<<(std::ostream& out, const Rgb& color) {
    return out << "RGB(" << int{color.r} << ", " << int{color.g} << ", " << int{color.b} << ")";
}

std::optional<Rgb> PixelAt(POINT screen) {
    ui::WindowDC dc(nullptr);
    const COLORREF color = GetPixel(dc.get(), screen.x, screen.y);
    if (color == CLR_INVALID) return std::nullopt;
    return Rgb{GetRValue(color), GetGValue(color), GetBValue(color)};
}

bool SaveScreenshotBmp(const std::string& path) {
    const int width = GetSystemMetrics(SM_CXSCREEN);
    const int height = GetSystemMetrics(SM_CYSCREEN);
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageSize = stride * static_cast<DWORD>(height);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    info.bmiHeader.biSizeImage = imageSize;

    void* bits = nullptr;
    ui::WindowDC screen(nullptr);
    Bitmap dib(CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    MemoryDC memory(screen.get());
    if (!dib || !memory.get()) return false;
    {
        ui::SelectGuard select(memory.get(), dib.get());
        if (!BitBlt(memory.get(), 0, 0, width, height, screen.get(), 0, 0, SRCCOPY)) return false;
    }
    GdiFlush();

    BITMAPFILEHEADER header = {};
    header.bfType = 0x4D42;  // "BM"
    header.bfOffBits = sizeof header + sizeof info.bmiHeader;
    header.bfSize = header.bfOffBits + imageSize;
    std::string file(reinterpret_cast<const char*>(&header), sizeof header);
    file.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof info.bmiHeader);
    file.append(static_cast<const char*>(bits), imageSize);
    return WriteFileBytes(path, file);
}

}  // namespace drv
