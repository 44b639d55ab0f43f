#include "tests/windows/window_driver.h"

#include <cstdio>
#include <vector>

#include "tests/windows/automation_object.h"
#include "tests/windows/screen_capture.h"

namespace testhost {

void Pump(DWORD ms) {
    PumpUntil([] { return false; }, ms);
}

bool PumpUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done()) {
            return true;
        }
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) {
            return false;
        }
        const DWORD left = ms - elapsed;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, left < 10 ? left : 10, QS_ALLINPUT);
    }
}

std::string WindowCaption(HWND window) {
    wchar_t buffer[512];
    const int length = InternalGetWindowText(window, buffer, 512);
    return ToUtf8(std::wstring(buffer, length > 0 ? static_cast<size_t>(length) : 0));
}

namespace {

struct Search {
    std::string caption;
    HWND found = nullptr;
};

BOOL CALLBACK MatchCaption(HWND window, LPARAM param) {
    Search& search = *reinterpret_cast<Search*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window) &&
        WindowCaption(window) == search.caption) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

struct PendingSend {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT answer;
};

DWORD WINAPI SendFromHelper(LPVOID param) {
    PendingSend& send = *static_cast<PendingSend*>(param);
    send.answer = SendMessageW(send.window, send.message, send.wParam, send.lParam);
    return 0;
}

BOOL CALLBACK PaintPending(HWND window, LPARAM) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == GetCurrentProcessId() && IsWindowVisible(window)) {
        // Sends the pending paints to the window's thread and waits for them.
        RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    }
    return TRUE;
}

DWORD WINAPI PaintAllPending(LPVOID) {
    EnumWindows(PaintPending, 0);
    return 0;
}

}  // namespace

void SettleWindows() {
    HANDLE helper = CreateThread(nullptr, 0, PaintAllPending, nullptr, 0, nullptr);
    if (helper != nullptr) {
        PumpUntil([helper] { return WaitForSingleObject(helper, 0) == WAIT_OBJECT_0; }, 5000);
        CloseHandle(helper);
    }
    // Wine copies what was painted to the display shortly after.
    Pump(100);
}

HWND FindOwnWindow(const std::string& caption) {
    Search search;
    search.caption = caption;
    EnumWindows(MatchCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool SendWhilePumping(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD ms,
                      LRESULT* answer) {
    // Heap-held: a helper that outlives a timed-out wait still has it.
    PendingSend* send = new PendingSend{window, message, wParam, lParam, 0};
    HANDLE helper = CreateThread(nullptr, 0, SendFromHelper, send, 0, nullptr);
    if (helper == nullptr) {
        delete send;
        return false;
    }
    const bool finished =
        PumpUntil([helper] { return WaitForSingleObject(helper, 0) == WAIT_OBJECT_0; }, ms);
    CloseHandle(helper);
    if (!finished) {
        return false;  // the helper keeps `send`, and `lParam` must outlive it
    }
    if (answer != nullptr) {
        *answer = send->answer;
    }
    delete send;
    return true;
}

bool ControlText(HWND control, std::string& text) {
    std::vector<wchar_t> buffer(32768, L'\0');
    LRESULT length = 0;
    if (!SendWhilePumping(control, WM_GETTEXT, buffer.size(),
                          reinterpret_cast<LPARAM>(buffer.data()), 5000, &length)) {
        return false;
    }
    text = ToUtf8(std::wstring(buffer.data(), static_cast<size_t>(length)));
    return true;
}

unsigned Rgb(COLORREF colour) {
    return (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
}

bool ScreenPixel(int x, int y, unsigned& rgb) {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return false;
    }
    const COLORREF colour = GetPixel(screen, x, y);
    ReleaseDC(nullptr, screen);
    if (colour == CLR_INVALID) {
        return false;
    }
    rgb = Rgb(colour);
    return true;
}

bool SaveScreenshot(const std::string& path, const std::vector<std::string>& captions,
                    std::string& error) {
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    RECT area = captions.empty() ? screen : RECT{0, 0, 0, 0};
    for (const std::string& caption : captions) {
        HWND window = FindOwnWindow(caption);
        RECT r;
        if (window == nullptr || !GetWindowRect(window, &r)) {
            error = "no window \"" + caption + "\"";
            return false;
        }
        UnionRect(&area, &area, &r);
    }
    if (!captions.empty()) {
        const int kMargin = 6;  // a little of the desktop around the frames
        InflateRect(&area, kMargin, kMargin);
        IntersectRect(&area, &area, &screen);
    }
    if (!SaveScreenRect(area, path)) {
        error = "cannot capture the screen into " + path;
        return false;
    }
    return true;
}

}  // namespace testhost
