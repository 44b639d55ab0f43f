// 8-bit text held in a Windows code page, for the windows.
#pragma once

#include <string>

namespace plat {

// Text held in code page 1251 (the Russian labels) as UTF-8, whatever the
// system's code page is. The one byte without a character, 0x98, becomes
// U+FFFD.
std::string Cp1251ToUtf8(const std::string& text);

}  // namespace plat
