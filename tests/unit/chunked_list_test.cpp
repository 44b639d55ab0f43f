// The log's record store keeps its records in fixed chunks: appends,
// removals from the middle and clearing for the next log must leave the
// same records, in the same order, as a vector would, across the chunks'
// edges (chunks of four here, so that a few records cross several).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "scoring/chunked_list.h"

namespace {

using List = ChunkedList<std::string, 4>;

std::vector<std::string> Held(const List& list) {
    std::vector<std::string> out;
    for (const std::string& s : list) {
        out.push_back(s);
    }
    EXPECT_EQ(out.size(), list.size());
    for (size_t i = 0; i < list.size(); ++i) {
        EXPECT_EQ(list[i], out[i]) << i;
    }
    return out;
}

TEST(ChunkedList, KeepsTheOrderOfAVectorAcrossChunkEdges) {
    // Each case: how many are appended, then the places removed in turn.
    const struct {
        size_t appended;
        std::vector<size_t> removed;
    } cases[] = {
        {0, {}},        {1, {0}},         {4, {3}},         {5, {0}},
        {9, {3, 3, 0}}, {12, {11, 4, 4}}, {13, {12, 0, 5}}, {8, {0, 0, 0, 0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        List list;
        std::vector<std::string> model;
        // Long texts, so that a record left behind or freed twice shows.
        for (size_t i = 0; i < c.appended; ++i) {
            list.push_back(std::string(40, static_cast<char>('a' + i % 26)) + std::to_string(i));
            model.push_back(list.back());
        }
        for (size_t at : c.removed) {
            list.erase(at);
            model.erase(model.begin() + static_cast<std::ptrdiff_t>(at));
            EXPECT_EQ(Held(list), model) << c.appended << " less " << at;
        }
        // Cleared and filled again, the chunks are reused.
        list.clear();
        EXPECT_TRUE(list.empty());
        list.emplace_back("again");
        EXPECT_EQ(Held(list), std::vector<std::string>{"again"}) << c.appended;
    }
}

}  // namespace
