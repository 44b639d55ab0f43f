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

namespace {

// Code points of the bytes 0x80 to 0xBF; 0xC0 to 0xFF are U+0410 to U+044F.
const char16_t kCp1251High[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0xFFFD, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

void AppendUtf8(std::string& out, unsigned cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string Cp1251ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() * 2);
    for (const char c : text) {
        const unsigned b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            AppendUtf8(out, b);
        } else if (b < 0xC0) {
            AppendUtf8(out, kCp1251High[b - 0x80]);
        } else {
            AppendUtf8(out, 0x0410 + (b - 0xC0));
        }
    }
    return out;
}

}  // namespace plat
