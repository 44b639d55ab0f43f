// Conversions between the plug-in's 8-bit texts and the wide texts of the
// window functions.
#pragma once

#include "platform/win32/windows_api.h"

#include <string>

namespace plat {

std::wstring Utf8ToWide(const std::string& text);
std::string WideToUtf8(const std::wstring& text);

// Texts in the system's ANSI code page, as the engine holds them.
std::string AnsiToUtf8(const std::string& text);
std::string Utf8ToAnsi(const std::string& text);

// The window's text (a caption, or a control's text), UTF-8.
std::string WindowTextUtf8(HWND window);

}  // namespace plat
