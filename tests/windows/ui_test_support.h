// Helpers of the Windows window tests: checks that count failures, waits
// with a time limit, and reading windows and pixels from the test's thread.
#pragma once

#include "platform/win32/windows_api.h"

#include <functional>
#include <string>

#include "platform/canvas.h"

namespace uitest {

// Reports a failed check and counts it; returns the condition.
bool Check(bool condition, const char* what, int line);
#define UI_CHECK(condition) ::uitest::Check((condition), #condition, __LINE__)
int Failures();

// Polls `done` every 10 ms for up to `ms` milliseconds.
bool WaitFor(const std::function<bool()>& done, int ms = 3000);

// A window's text as UTF-8 (sent as WM_GETTEXT, so the window's thread
// must be handling messages).
std::string Text(HWND window);
// A window's rectangle in the client coordinates of `parent`.
RECT RectIn(HWND window, HWND parent);
// The colour on the screen at a point of a window's client area.
plat::Colour PixelAt(HWND window, int x, int y);

// Writes what the screen shows of the window, frame included, as a 24-bit
// BMP file; false when it could not be written.
bool SaveScreenshot(HWND window, const std::string& path);

// Posts every character of the text to the window, as typing does.
void Type(HWND window, const std::wstring& text);
// Posts a key press (down and up) of a virtual key.
void PressKey(HWND window, UINT key);
// Posts a button click; the window's thread carries it out in its loop.
void Click(HWND button);

}  // namespace uitest
