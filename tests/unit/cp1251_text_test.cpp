// Code page 1251 to UTF-8, byte for byte against the C library's converter.
#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

#include "platform/ansi_text.h"

namespace {

std::string IconvFrom1251(const std::string& text) {
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        return "<no converter>";
    }
    std::string in(text);
    std::string out(text.size() * 4 + 4, '\0');
    char* inPtr = &in[0];
    size_t inLeft = in.size();
    char* outPtr = &out[0];
    size_t outLeft = out.size();
    const size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    if (done == static_cast<size_t>(-1)) {
        return "<failed>";
    }
    out.resize(out.size() - outLeft);
    return out;
}

TEST(Cp1251TextTest, EveryByteAsTheCLibraryConvertsIt) {
    for (int b = 1; b < 256; ++b) {
        if (b == 0x98) {
            continue;  // no character in the code page
        }
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(plat::Cp1251ToUtf8(byte), IconvFrom1251(byte)) << "byte " << b;
    }
    EXPECT_EQ(plat::Cp1251ToUtf8("\x98"), "\xEF\xBF\xBD");
}

TEST(Cp1251TextTest, ARussianLabel) {
    EXPECT_EQ(plat::Cp1251ToUtf8("YU/YT \xF0\xE0\xE9\xEE\xED\xFB"), "YU/YT районы");
    EXPECT_EQ(plat::Cp1251ToUtf8(""), "");
}

}  // namespace
