#include "tests/windows/ui_test_support.h"

#include <cstdio>

#include "platform/win32/wide_text.h"

namespace uitest {
namespace {

int g_failures = 0;

}  // namespace

bool Check(bool condition, const char* what, int line) {
    if (!condition) {
        ++g_failures;
        std::fprintf(stderr, "line %d: check failed: %s\n", line, what);
        std::fflush(stderr);
    }
    return condition;
}

int Failures() {
    return g_failures;
}

bool WaitFor(const std::function<bool()>& done, int ms) {
    for (int waited = 0; waited <= ms; waited += 10) {
        if (done()) {
            return true;
        }
        Sleep(10);
    }
    return false;
}

std::string Text(HWND window) {
    wchar_t buffer[4096] = {};
    const LRESULT length = SendMessageW(window, WM_GETTEXT, sizeof buffer / sizeof buffer[0],
                                        reinterpret_cast<LPARAM>(buffer));
    return plat::WideToUtf8(std::wstring(buffer, static_cast<size_t>(length)));
}

RECT RectIn(HWND window, HWND parent) {
    RECT rc = {0, 0, 0, 0};
    GetWindowRect(window, &rc);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

plat::Colour PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return c;
}

bool SaveScreenshot(HWND window, const std::string& path) {
    // Every pending paint first, and time for the display to show it.
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(300);
    RECT rc = {};
    GetWindowRect(window, &rc);
    const int width = rc.right - rc.left;
    const int height = rc.bottom - rc.top;
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
        BitBlt(memory, 0, 0, width, height, screen, rc.left, rc.top, SRCCOPY);
        SelectObject(memory, previous);
        GdiFlush();
        const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
        const DWORD imageSize = stride * static_cast<DWORD>(height);
        BITMAPFILEHEADER file = {};
        file.bfType = 0x4D42;  // "BM"
        file.bfOffBits = sizeof file + sizeof header;
        file.bfSize = file.bfOffBits + imageSize;
        header.biSizeImage = imageSize;
        if (FILE* out = std::fopen(path.c_str(), "wb")) {
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

void Type(HWND window, const std::wstring& text) {
    for (wchar_t ch : text) {
        PostMessageW(window, WM_CHAR, ch, 1);
    }
}

void PressKey(HWND window, UINT key) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(key, 0)) << 16;
    PostMessageW(window, WM_KEYDOWN, key, scan | 1);
    PostMessageW(window, WM_KEYUP, key, scan | 1 | (3u << 30));
}

void Click(HWND button) {
    PostMessageW(button, BM_CLICK, 0, 0);
}

}  // namespace uitest
