// The result's count of distinct entities and counties per band: each text
// counts the first time only, also the empty one, however many there are.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scoring/distinct_texts.h"

namespace {

TEST(DistinctTexts, EachTextIsNewOnceThroughEveryGrowth) {
    std::vector<std::string> texts = {"", "DL", "dl", "DL ", "YU"};
    for (int i = 0; i < 1000; ++i) {
        texts.push_back("P" + std::to_string(i));
    }
    DistinctTexts seen;
    for (const std::string& text : texts) {
        EXPECT_TRUE(seen.Insert(text)) << "'" << text << "'";
        EXPECT_FALSE(seen.Insert(text)) << "'" << text << "'";
    }
    // Every text is still there once the table has grown many times.
    for (const std::string& text : texts) {
        EXPECT_FALSE(seen.Insert(text)) << "'" << text << "'";
    }
    EXPECT_TRUE(seen.Insert("P1000"));
}

}  // namespace
