// Texts numbered in the order they first come, in one flat table: a
// contest's hundreds of thousands of distinct calls are found with one
// probe and one compare, without a node per text to make and free.
#pragma once

#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

class TextTable {
  public:
    static constexpr uint32_t kNone = UINT32_MAX;

    // The text's number, and whether it came now; the number of a new text
    // is the count of texts before it. The text is kept as a view: what it
    // views must outlive the table.
    std::pair<uint32_t, bool> Intern(std::string_view text);
    // The text's number, or kNone.
    uint32_t Find(std::string_view text) const;

    const std::vector<std::string_view>& texts() const { return texts_; }

  private:
    struct Slot {
        uint32_t tag = 0;  // the text's hash, folded
        uint32_t id = kNone;
    };
    static uint32_t Tag(size_t hash) {
        return static_cast<uint32_t>(static_cast<uint64_t>(hash) ^
                                     (static_cast<uint64_t>(hash) >> 32));
    }
    // The slot that holds the text, or the free one it would take.
    size_t SlotOf(std::string_view text, size_t hash) const;
    void Grow();

    std::vector<Slot> slots_;  // a power of two in size, at most half full
    std::vector<std::string_view> texts_;
    std::vector<size_t> hashes_;  // of each text, for growing without hashing again
};

}  // namespace host
