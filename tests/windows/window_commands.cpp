#include "tests/windows/window_commands.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include "tests/windows/automation_object.h"
#include "tests/windows/window_driver.h"

namespace testhost {
namespace {

bool Window(const std::string& caption, HWND& out, std::string& error) {
    out = FindOwnWindow(caption);
    if (out == nullptr) {
        error = "no window " + Quoted(caption);
    }
    return out != nullptr;
}

bool Control(const std::string& caption, const std::string& id, HWND& out, std::string& error) {
    HWND window = nullptr;
    if (!Window(caption, window, error)) {
        return false;
    }
    out = GetDlgItem(window, Number(id));
    if (out == nullptr) {
        error = "window " + Quoted(caption) + " has no control " + id;
    }
    return out != nullptr;
}

// How many line breaks a field's text holds (0 when it cannot be read).
size_t LineBreaks(HWND control) {
    std::string text;
    size_t count = 0;
    if (ControlText(control, text)) {
        for (size_t at = text.find("\r\n"); at != std::string::npos;
             at = text.find("\r\n", at + 2)) {
            ++count;
        }
    }
    return count;
}

// A visible top-level window of the calling thread with the caption, made
// its active window, as the host's main window is when the operator starts
// a report run from it. Small, in the screen's corner: out of the way of
// the screenshots of centred dialogs.
bool OpenHostWindow(const std::string& caption, std::string& error) {
    const wchar_t* const kClass = L"StatsTestHostWindow";
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_WINDOW);
    windowClass.lpszClassName = kClass;
    RegisterClassW(&windowClass);  // fails harmlessly for a second window
    HWND window =
        CreateWindowExW(0, kClass, FromUtf8(caption).c_str(), WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0,
                        0, 200, 120, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (window == nullptr) {
        error = "cannot create the window";
        return false;
    }
    SetForegroundWindow(window);
    SetActiveWindow(window);
    if (!PumpUntil([window] { return GetActiveWindow() == window; }, 5000)) {
        error = "the window did not become active";
        return false;
    }
    return true;
}

// The active window of the window's thread, from any thread.
HWND ActiveWindowOfThread(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndActive
                                                                              : nullptr;
}

// Owner, enabled state and activation of the host's windows: false for a
// command of another kind (`known` cleared).
bool RunOwnership(const Statement& s, std::string& error, bool& known) {
    const std::string& c = s.words[0];
    const std::vector<std::string>& a = s.words;
    HWND window = nullptr;
    if (c == "host-window") {  // host-window CAPTION
        return Need(s, 1, 1, error) && OpenHostWindow(a[1], error);
    }
    if (c == "expect-owner") {  // expect-owner CAPTION OWNER|none
        if (!Need(s, 2, 2, error) || !Window(a[1], window, error)) {
            return false;
        }
        HWND owner = GetWindow(window, GW_OWNER);
        HWND want = a[2] == "none" ? nullptr : FindOwnWindow(a[2]);
        if (owner != want || (a[2] != "none" && want == nullptr)) {
            error = "owned by " + (owner != nullptr ? Quoted(WindowCaption(owner)) : "none");
            return false;
        }
        return true;
    }
    if (c == "expect-enabled") {  // expect-enabled CAPTION 0|1
        if (!Need(s, 2, 2, error) || !Window(a[1], window, error)) {
            return false;
        }
        const bool enabled = IsWindowEnabled(window) != FALSE;
        if (enabled != (Number(a[2]) != 0)) {
            error = enabled ? "enabled" : "disabled";
            return false;
        }
        return true;
    }
    if (c == "wait-active") {  // wait-active CAPTION [MS]: its thread's active window
        if (!Need(s, 1, 2, error) || !Window(a[1], window, error)) {
            return false;
        }
        if (!PumpUntil([window] { return ActiveWindowOfThread(window) == window; },
                       a.size() > 2 ? Number(a[2]) : 5000)) {
            HWND active = ActiveWindowOfThread(window);
            error = "the active window is " +
                    (active != nullptr ? Quoted(WindowCaption(active)) : "none");
            return false;
        }
        return true;
    }
    known = false;
    return false;
}

bool Run(const Statement& s, std::string& error, bool& known) {
    const std::string& c = s.words[0];
    const std::vector<std::string>& a = s.words;
    if (c == "pump") {  // pump MS
        if (!Need(s, 1, 1, error)) {
            return false;
        }
        Pump(Number(a[1]));
        return true;
    }
    // sleep MS: waits without pumping, so the plug-in's calls to the host
    // stay unanswered meanwhile (as when the host is busy or unloading).
    if (c == "sleep") {
        if (!Need(s, 1, 1, error)) {
            return false;
        }
        Sleep(static_cast<DWORD>(Number(a[1])));
        return true;
    }
    if (c == "wait-window" || c == "wait-no-window") {  // wait-window CAPTION [MS]
        if (!Need(s, 1, 2, error)) {
            return false;
        }
        const bool want = c == "wait-window";
        const std::string caption = a[1];
        if (!PumpUntil([&] { return (FindOwnWindow(caption) != nullptr) == want; },
                       a.size() > 2 ? Number(a[2]) : 5000)) {
            error = Quoted(caption) + (want ? " did not appear" : " did not close");
            return false;
        }
        return true;
    }
    // click CAPTION ID: a posted BM_CLICK. send-click CAPTION ID: one sent
    // from a helper thread, answered once the click was handled; a thread
    // that waits for a call to the host handles sent messages, not posted
    // ones.
    if (c == "click" || c == "send-click") {
        if (!Need(s, 2, 2, error)) {
            return false;
        }
        HWND control = nullptr;
        if (!Control(a[1], a[2], control, error)) {
            return false;
        }
        if (c == "click") {
            PostMessageW(control, BM_CLICK, 0, 0);
        } else if (!SendWhilePumping(control, BM_CLICK, 0, 0, 5000)) {
            error = "no answer";
            return false;
        }
        return true;
    }
    if (c == "close") {  // close CAPTION: a posted WM_CLOSE
        if (!Need(s, 1, 1, error)) {
            return false;
        }
        HWND window = nullptr;
        if (!Window(a[1], window, error)) {
            return false;
        }
        PostMessageW(window, WM_CLOSE, 0, 0);
        return true;
    }
    if (c == "set-text") {  // set-text CAPTION ID TEXT
        if (!Need(s, 3, 3, error)) {
            return false;
        }
        HWND control = nullptr;
        if (!Control(a[1], a[2], control, error)) {
            return false;
        }
        const std::wstring text = FromUtf8(a[3]);
        if (!SendWhilePumping(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                              5000)) {
            error = "no answer";
            return false;
        }
        return true;
    }
    // expect-text CAPTION ID TEXT; wait-text ... [MS] pumps until the
    // control reads so (typed keys are posted, and a send overtakes them).
    if (c == "expect-text" || c == "wait-text") {
        const bool wait = c == "wait-text";
        if (!Need(s, 3, wait ? 4 : 3, error)) {
            return false;
        }
        HWND control = nullptr;
        std::string text;
        if (!Control(a[1], a[2], control, error)) {
            return false;
        }
        const auto reads = [&] { return ControlText(control, text) && text == a[3]; };
        if (!PumpUntil(reads, wait ? (a.size() > 4 ? Number(a[4]) : 5000) : 0)) {
            error = "control " + a[2] + " reads " + Quoted(text);
            return false;
        }
        return true;
    }
    // type CAPTION ID TEXT: posts the characters as typed keys; a line break
    // is the Enter key (its key-down goes through the dialog's message loop,
    // as a real one does). Into a drop-down's edit field for a combo box.
    // The character that the loop makes of the Enter key is posted behind
    // whatever is queued by then, so the rest of the text waits until the
    // line break is in the field (or the window is gone, Enter having
    // pressed a button; or a second has passed, Enter having done nothing).
    if (c == "type") {
        if (!Need(s, 3, 3, error)) {
            return false;
        }
        HWND control = nullptr;
        if (!Control(a[1], a[2], control, error)) {
            return false;
        }
        HWND edit = FindWindowExW(control, nullptr, L"Edit", nullptr);
        HWND target = edit != nullptr ? edit : control;
        for (wchar_t ch : FromUtf8(a[3])) {
            if (ch == L'\r') {
                continue;
            }
            if (ch == L'\n') {
                const size_t before = LineBreaks(target);
                PostMessageW(target, WM_KEYDOWN, VK_RETURN, 0x001C0001);
                PostMessageW(target, WM_KEYUP, VK_RETURN, 0xC01C0001);
                PumpUntil([&] { return !IsWindow(target) || LineBreaks(target) > before; }, 1000);
            } else {
                PostMessageW(target, WM_CHAR, ch, 1);
            }
        }
        Pump(50);
        return true;
    }
    // select CAPTION ID TEXT: a drop-down's list entry that starts with TEXT
    // becomes its choice.
    if (c == "select") {
        if (!Need(s, 3, 3, error)) {
            return false;
        }
        HWND control = nullptr;
        LRESULT index = CB_ERR;
        const std::wstring text = FromUtf8(a[3]);
        if (!Control(a[1], a[2], control, error)) {
            return false;
        }
        if (!SendWhilePumping(control, CB_SELECTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(text.c_str()), 5000, &index) ||
            index == CB_ERR) {
            error = "no entry " + Quoted(a[3]);
            return false;
        }
        return true;
    }
    // expect-items CAPTION ID N: how many entries a drop-down's list offers.
    if (c == "expect-items") {
        if (!Need(s, 3, 3, error)) {
            return false;
        }
        HWND control = nullptr;
        LRESULT count = 0;
        if (!Control(a[1], a[2], control, error)) {
            return false;
        }
        if (!SendWhilePumping(control, CB_GETCOUNT, 0, 0, 5000, &count) || count != Number(a[3])) {
            error = std::to_string(count) + " entries";
            return false;
        }
        return true;
    }
    if (c == "expect-check") {  // expect-check CAPTION ID 0|1
        if (!Need(s, 3, 3, error)) {
            return false;
        }
        HWND control = nullptr;
        LRESULT state = 0;
        if (!Control(a[1], a[2], control, error)) {
            return false;
        }
        if (!SendWhilePumping(control, BM_GETCHECK, 0, 0, 5000, &state) || state != Number(a[3])) {
            error = "check state " + std::to_string(state);
            return false;
        }
        return true;
    }
    if (c == "expect-window-at") {  // expect-window-at CAPTION X Y: screen position
        if (!Need(s, 3, 3, error)) {
            return false;
        }
        HWND window = nullptr;
        RECT r;
        if (!Window(a[1], window, error) || !GetWindowRect(window, &r)) {
            return false;
        }
        if (r.left != Number(a[2]) || r.top != Number(a[3])) {
            error = "at " + std::to_string(r.left) + "," + std::to_string(r.top);
            return false;
        }
        return true;
    }
    // expect-topmost CAPTION [0|1]; wait-topmost CAPTION 0|1 [MS] pumps
    // until a window with the caption is there and stacked so (one that was
    // closed and created again, say).
    if (c == "expect-topmost" || c == "wait-topmost") {
        const bool wait = c == "wait-topmost";
        if (!Need(s, wait ? 2 : 1, wait ? 3 : 2, error)) {
            return false;
        }
        const bool want = a.size() < 3 || Number(a[2]) != 0;
        bool seen = false;
        bool topmost = false;
        const auto stacked = [&] {
            HWND window = FindOwnWindow(a[1]);
            seen = window != nullptr;
            topmost = seen && (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
            return seen && topmost == want;
        };
        if (!PumpUntil(stacked, wait && a.size() > 3 ? Number(a[3]) : wait ? 5000 : 0)) {
            error = !seen ? "no window " + Quoted(a[1]) : topmost ? "topmost" : "not topmost";
            return false;
        }
        return true;
    }
    // expect-pixel CAPTION ID DX DY COLOUR: the screen's colour at DX DY
    // inside the control, COLOUR being RRGGBB or button-face (the system's);
    // wait-pixel ... [MS] pumps until it is so.
    if (c == "expect-pixel" || c == "wait-pixel") {
        const bool wait = c == "wait-pixel";
        if (!Need(s, 5, wait ? 6 : 5, error)) {
            return false;
        }
        HWND control = nullptr;
        if (!Control(a[1], a[2], control, error)) {
            return false;
        }
        const unsigned want = a[5] == "button-face"
                                  ? Rgb(GetSysColor(COLOR_BTNFACE))
                                  : static_cast<unsigned>(std::strtoul(a[5].c_str(), nullptr, 16));
        unsigned rgb = 0;
        const auto matches = [&] {
            RECT r;
            return GetWindowRect(control, &r) &&
                   ScreenPixel(r.left + Number(a[3]), r.top + Number(a[4]), rgb) && rgb == want;
        };
        SettleWindows();
        if (!PumpUntil(matches, wait ? (a.size() > 6 ? Number(a[6]) : 5000) : 0)) {
            char seen[16];
            std::snprintf(seen, sizeof seen, "%06X", rgb);
            error = std::string("the pixel is ") + seen;
            return false;
        }
        return true;
    }
    // screenshot FILE.bmp [CAPTION...]: the whole screen, or the part that
    // holds the windows with those captions.
    if (c == "screenshot") {
        if (!Need(s, 1, 9, error)) {
            return false;
        }
        SettleWindows();
        return SaveScreenshot(a[1], std::vector<std::string>(a.begin() + 2, a.end()), error);
    }
    return RunOwnership(s, error, known);
}

}  // namespace

bool RunWindowCommand(const Statement& s, std::string& error, bool& known) {
    known = true;
    return Run(s, error, known);
}

}  // namespace testhost
