#include "platform/ansi_text.h"

#include <array>

namespace plat {
namespace {

using Table = std::array<unsigned char, 256>;

Table AsciiTable() {
    Table t{};
    for (int i = 0; i < 256; ++i) {
        t[static_cast<size_t>(i)] = static_cast<unsigned char>(i >= 'a' && i <= 'z' ? i - 32 : i);
    }
    return t;
}

void Map(Table& t, const unsigned char (*pairs)[2], size_t count) {
    for (size_t i = 0; i < count; ++i) {
        t[pairs[i][0]] = pairs[i][1];
    }
}

Table Western() {
    Table t = AsciiTable();
    static const unsigned char kPairs[][2] = {
        {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9E, 0x8E}, {0xFF, 0x9F}};
    Map(t, kPairs, sizeof kPairs / sizeof kPairs[0]);
    for (int c = 0xE0; c <= 0xFE; ++c) {
        if (c != 0xF7) {
            t[static_cast<size_t>(c)] = static_cast<unsigned char>(c - 0x20);
        }
    }
    return t;
}

Table Cyrillic() {
    Table t = AsciiTable();
    static const unsigned char kPairs[][2] = {
        {0x90, 0x80}, {0x83, 0x81}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D},
        {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1}, {0xBC, 0xA3}, {0xB4, 0xA5},
        {0xB8, 0xA8}, {0xBA, 0xAA}, {0xBF, 0xAF}, {0xB3, 0xB2}, {0xBE, 0xBD}};
    Map(t, kPairs, sizeof kPairs / sizeof kPairs[0]);
    for (int c = 0xE0; c <= 0xFF; ++c) {
        t[static_cast<size_t>(c)] = static_cast<unsigned char>(c - 0x20);
    }
    return t;
}

}  // namespace

const unsigned char* AnsiUpperTable(int codePage) {
    static const Table kWestern = Western();
    static const Table kCyrillic = Cyrillic();
    static const Table kAscii = AsciiTable();
    switch (codePage) {
        case 1252:
            return kWestern.data();
        case 1251:
            return kCyrillic.data();
        default:
            return kAscii.data();
    }
}

std::string AnsiUpper(const std::string& text) {
    const unsigned char* upper = AnsiUpperTable(AnsiCodePage());
    std::string out(text);
    for (char& c : out) {
        c = static_cast<char>(upper[static_cast<unsigned char>(c)]);
    }
    return out;
}

bool AnsiEqualNoCase(const char* a, const char* b) {
    const unsigned char* upper = AnsiUpperTable(AnsiCodePage());
    const auto* x = reinterpret_cast<const unsigned char*>(a);
    const auto* y = reinterpret_cast<const unsigned char*>(b);
    for (;; ++x, ++y) {
        if (upper[*x] != upper[*y]) {
            return false;
        }
        if (*x == 0) {
            return true;
        }
    }
}

}  // namespace plat
