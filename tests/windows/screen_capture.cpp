#include "tests/windows/screen_capture.h"

#include <cstdio>

namespace testhost {

bool SaveScreenRect(const RECT& area, const std::string& path) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) {
        return false;
    }
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as a BMP file stores its rows
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP shot = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                    &bits, nullptr, 0);
    bool saved = false;
    if (memory != nullptr && shot != nullptr) {
        HGDIOBJ previous = SelectObject(memory, shot);
        const bool copied =
            BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY) != 0;
        SelectObject(memory, previous);
        GdiFlush();
        const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        const DWORD imageSize = stride * static_cast<DWORD>(height);
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + imageSize;
        header.biSizeImage = imageSize;
        FILE* out = copied ? std::fopen(path.c_str(), "wb") : nullptr;
        if (out != nullptr) {
            saved = std::fwrite(&file, sizeof file, 1, out) == 1 &&
                    std::fwrite(&header, sizeof header, 1, out) == 1 &&
                    std::fwrite(bits, imageSize, 1, out) == 1;
            saved = std::fclose(out) == 0 && saved;
        }
    }
    if (shot != nullptr) {
        DeleteObject(shot);
    }
    if (memory != nullptr) {
        DeleteDC(memory);
    }
    ReleaseDC(nullptr, screen);
    return saved;
}

}  // namespace testhost
