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

}  // namespace plat
