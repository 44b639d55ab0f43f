// The flat table of texts that numbers the contest's calls: numbers in the
// order texts first come, found again after the table has grown many
// times, and absent texts (also ones that share a hash's low bits with
// present ones) never found.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "host/cross_check/text_table.h"

namespace {

TEST(TextTable, NumbersInTheOrderTextsFirstComeAndFindsThemAfterGrowing) {
    std::vector<std::string> texts;
    for (int i = 0; i < 3000; ++i) {
        texts.push_back("YU" + std::to_string(i % 1000) + (i % 3 == 0 ? "/P" : ""));
    }
    host::TextTable table;
    std::map<std::string, uint32_t> model;
    for (const std::string& t : texts) {
        const auto added = model.emplace(t, static_cast<uint32_t>(model.size()));
        const auto got = table.Intern(t);
        EXPECT_EQ(got.first, added.first->second) << t;
        EXPECT_EQ(got.second, added.second) << t;
    }
    EXPECT_EQ(table.texts().size(), model.size());
    for (const auto& [text, number] : model) {
        EXPECT_EQ(table.Find(text), number) << text;
        EXPECT_EQ(table.texts()[number], text);
        EXPECT_EQ(table.Find(text + "X"), host::TextTable::kNone) << text;
    }
    EXPECT_EQ(host::TextTable().Find("YU1"), host::TextTable::kNone);
    EXPECT_EQ(table.Find(""), host::TextTable::kNone);
}

}  // namespace
