#include "platform/plain_text.h"

#include <cstdarg>
#include <cstdio>

namespace plat {

std::string TrimBlanks(const std::string& text) {
    const char* blanks = " \t\r\n\v\f";
    const size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::string AsciiUpper(const std::string& text) {
    std::string out(text);
    for (char& c : out) {
        c = AsciiUpper(c);
    }
    return out;
}

std::string AsciiLower(const std::string& text) {
    std::string out(text);
    for (char& c : out) {
        c = c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    }
    return out;
}

bool EqualIgnoringAsciiCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (AsciiUpper(*a) != AsciiUpper(*b)) {
            return false;
        }
    }
    return *a == *b;
}

std::string ReplaceAll(const std::string& text, const std::string& search,
                       const std::string& replacement) {
    if (search.empty() || search == replacement) {
        return text;
    }
    std::string out;
    size_t from = 0;
    for (size_t at = text.find(search); at != std::string::npos; at = text.find(search, from)) {
        out.append(text, from, at - from).append(replacement);
        from = at + search.size();
    }
    return out.append(text, from, std::string::npos);
}

std::string FormatText(const char* format, ...) {
    // Most texts fit the buffer on the stack, and are formatted once.
    char buffer[256];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int needed = std::vsnprintf(buffer, sizeof buffer, format, copy);
    va_end(copy);
    std::string out;
    if (needed > 0 && static_cast<size_t>(needed) < sizeof buffer) {
        out.assign(buffer, static_cast<size_t>(needed));
    } else if (needed > 0) {
        out.resize(static_cast<size_t>(needed) + 1);
        std::vsnprintf(&out[0], out.size(), format, args);
        out.resize(static_cast<size_t>(needed));
    }
    va_end(args);
    return out;
}

}  // namespace plat
