#include "host/readers/call_rule.h"

#include <array>
#include <cstddef>

#include "platform/plain_text.h"

namespace host {
namespace {

constexpr size_t kMaxCall = 20;
constexpr size_t kMaxBase = 12;
constexpr size_t kMaxParts = 3;

bool IsLetter(char c) {
    return c >= 'A' && c <= 'Z';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// A piece of the call between slashes.
struct Part {
    const char* begin = nullptr;
    size_t size = 0;
};

// After the base's leading letters: 1-4 digits, up to 6 letters or digits,
// a final letter. The characters are letters and digits already.
bool IsBaseTail(const char* p, size_t n) {
    if (n < 2 || !IsLetter(p[n - 1])) {
        return false;
    }
    size_t digits = 0;
    while (digits < n && IsDigit(p[digits])) {
        ++digits;
    }
    // The digit run takes d characters (1..4, all digits), the middle the
    // n - d - 1 others (0..6).
    const size_t most = digits < 4 ? digits : 4;
    const size_t least = n > 7 ? n - 7 : 1;
    return most >= 1 && least <= most;
}

bool IsBase(const Part& part) {
    const char* p = part.begin;
    const size_t n = part.size;
    if (n > kMaxBase || n < 3) {
        return false;
    }
    // The base's beginning: AA, A, 9AA, 9A or A9.
    std::array<size_t, 3> heads{};
    size_t count = 0;
    if (IsLetter(p[0])) {
        heads[count++] = 1;
        if (IsLetter(p[1])) {
            heads[count++] = 2;
        }
        if (IsDigit(p[1])) {
            heads[count++] = 2;
        }
    } else if (IsDigit(p[0]) && IsLetter(p[1])) {
        heads[count++] = 2;
        if (n > 2 && IsLetter(p[2])) {
            heads[count++] = 3;
        }
    }
    for (size_t i = 0; i < count; ++i) {
        if (heads[i] < n && IsBaseTail(p + heads[i], n - heads[i])) {
            return true;
        }
    }
    return false;
}

// One to four letters and digits with at least one letter (E7, YU, OH0).
bool IsPrefix(const Part& part) {
    if (part.size < 1 || part.size > 4) {
        return false;
    }
    for (size_t i = 0; i < part.size; ++i) {
        if (IsLetter(part.begin[i])) {
            return true;
        }
    }
    return false;
}

// P, M, MM, AM, A and QRP are prefixes by the rule above, so a suffix adds
// only the single digit.
bool IsSuffix(const Part& part) {
    return IsPrefix(part) || (part.size == 1 && IsDigit(part.begin[0]));
}

std::string Text(const Part& part) {
    return std::string(part.begin, part.size);
}

}  // namespace

std::string BrokenCallRule(const std::string& call, const std::string& ownCall) {
    if (call.empty()) {
        return "no call";
    }
    if (call.size() > kMaxCall) {
        return "longer than 20 characters";
    }
    char upper[kMaxCall];
    for (size_t i = 0; i < call.size(); ++i) {
        const char c = plat::AsciiUpper(call[i]);
        if (!IsLetter(c) && !IsDigit(c) && c != '/') {
            return std::string("'") + call[i] + "' is no letter, digit or '/'";
        }
        upper[i] = c;
    }
    std::array<Part, kMaxParts> parts{};
    size_t count = 0;
    size_t start = 0;
    for (size_t i = 0; i <= call.size(); ++i) {
        if (i < call.size() && upper[i] != '/') {
            continue;
        }
        if (i == start) {
            return "an empty part between the '/'";
        }
        if (count == kMaxParts) {
            return "more than 3 parts between '/'";
        }
        parts[count++] = Part{upper + start, i - start};
        start = i + 1;
    }
    size_t base = kMaxParts;
    for (size_t i = 0; i < count; ++i) {
        if ((base == kMaxParts || parts[i].size > parts[base].size) && IsBase(parts[i])) {
            base = i;
        }
    }
    if (base == kMaxParts) {
        return "no call sign in it (prefix, 1-4 digits, letters, ending in a letter)";
    }
    for (size_t i = 0; i < base; ++i) {
        if (!IsPrefix(parts[i])) {
            return "'" + Text(parts[i]) + "' before the call is no prefix";
        }
    }
    for (size_t i = base + 1; i < count; ++i) {
        if (!IsSuffix(parts[i])) {
            return "'" + Text(parts[i]) +
                   "' after the call is no prefix, P, M, MM, AM, QRP or digit";
        }
    }
    if (call.size() == ownCall.size()) {
        bool same = true;
        for (size_t i = 0; i < call.size() && same; ++i) {
            same = upper[i] == plat::AsciiUpper(ownCall[i]);
        }
        if (same) {
            return "the own call";
        }
    }
    return "";
}

}  // namespace host
