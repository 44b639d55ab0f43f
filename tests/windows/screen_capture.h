// Captures a rectangle of the screen (what the display shows, frames and all)
// as a 24-bit BMP file, for the window tests' screenshots.
#pragma once

#include <windows.h>

#include <string>

namespace testhost {

// False when the rectangle is empty or the file could not be written.
bool SaveScreenRect(const RECT& area, const std::string& path);

}  // namespace testhost
