// Small rules for plain 8-bit text, shared by every folder. Letter case is
// folded for ASCII letters only: every name the plug-in compares without
// regard to case (bands, modes, county codes, its settings' section and keys)
// is ASCII, and a byte of 0x80 or above is never equal to one of them in any
// code page, so a code page's case rules could not change an answer.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace plat {

// The text without blanks (space, tab, CR, LF, VT, FF) at either end.
std::string TrimBlanks(const std::string& text);

// The text with "a" to "z" upper-cased; every other byte as it was.
std::string AsciiUpper(const std::string& text);
inline char AsciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The text with "A" to "Z" lower-cased; every other byte as it was.
std::string AsciiLower(const std::string& text);

// Equality with "a" to "z" taken as "A" to "Z".
bool EqualIgnoringAsciiCase(const char* a, const char* b);
inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

// Every occurrence of search (not empty) replaced, scanning from the left;
// inserted text is never searched again.
std::string ReplaceAll(const std::string& text, const std::string& search,
                       const std::string& replacement);

// printf-style formatting into a string.
std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace plat
