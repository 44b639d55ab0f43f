#include "tests/windows/ui_test_support.h"

#include <cstdio>

#include "platform/win32/wide_text.h"
#include "tests/windows/screen_capture.h"

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
    return testhost::SaveScreenRect(rc, path);
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
