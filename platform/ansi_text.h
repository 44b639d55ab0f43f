// Letter case in the 8-bit ANSI code page (Windows-1252 western, Windows-1251
// cyrillic; any other code page folds ASCII letters only).
#pragma once

#include <string>

namespace plat {

// The code page whose case tables apply: the system's on Windows, 1252 by
// default elsewhere.
int AnsiCodePage();

// Upper-cases every letter that has an upper-case form in the code page.
std::string AnsiUpper(const std::string& text);

// Equality ignoring letter case in the code page.
bool AnsiEqualNoCase(const char* a, const char* b);

// Upper-case table for one code page: 256 entries.
const unsigned char* AnsiUpperTable(int codePage);

// Text held in code page 1251 (the Russian labels) as UTF-8, whatever the
// system's code page is. The one byte without a character, 0x98, becomes
// U+FFFD.
std::string Cp1251ToUtf8(const std::string& text);

}  // namespace plat
