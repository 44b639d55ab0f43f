// Driving the plug-in's windows from the stand-in host's main thread, which
// must keep pumping messages all the while: the plug-in's UI thread calls
// the host's automation object, whose calls arrive as this thread's
// messages. So clicks are posted, and sends go through a helper thread.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace testhost {

// Dispatches this thread's messages for `ms` milliseconds.
void Pump(DWORD ms);

// Pumps until done() is true or `ms` milliseconds have passed.
bool PumpUntil(const std::function<bool()>& done, DWORD ms);

// A visible top-level window of this process with this caption (UTF-8);
// null when there is none. Reads captions without sending messages.
HWND FindOwnWindow(const std::string& caption);

// The caption as the window holds it (UTF-8), without sending a message.
std::string WindowCaption(HWND window);

// Sends the message from a helper thread while this thread pumps; false
// when no answer came within `ms` milliseconds.
bool SendWhilePumping(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD ms,
                      LRESULT* answer = nullptr);

// A control's text (UTF-8), asked for with WM_GETTEXT while pumping.
bool ControlText(HWND control, std::string& text);

// Lets every visible window of this process paint what it has pending
// (frames included) and waits for it, pumping, so that the screen shows it.
void SettleWindows();

// A GDI colour (0x00BBGGRR) as 0xRRGGBB.
unsigned Rgb(COLORREF colour);

// The screen's colour at a point, as 0xRRGGBB.
bool ScreenPixel(int x, int y, unsigned& rgb);

// The whole screen as a 24-bit BMP file; with captions, only the smallest
// rectangle that holds those windows (frames included) and a small margin.
bool SaveScreenshot(const std::string& path, const std::vector<std::string>& captions,
                    std::string& error);

}  // namespace testhost
