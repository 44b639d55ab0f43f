// Formatted texts of every length come out whole: the short ones are made in
// a buffer on the stack, the longer ones in the string itself.
#include <gtest/gtest.h>

#include <string>

#include "platform/plain_text.h"

namespace {

TEST(FormatText, TextsOfEveryLengthAroundTheBufferComeOutWhole) {
    for (size_t length : {0, 1, 254, 255, 256, 257, 1000}) {
        const std::string field(length, 'x');
        EXPECT_EQ(plat::FormatText("%s", field.c_str()), field) << length;
        EXPECT_EQ(plat::FormatText("<%s|%5i>", field.c_str(), 42), "<" + field + "|   42>")
            << length;
    }
}

}  // namespace
