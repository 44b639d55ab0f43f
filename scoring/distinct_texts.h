// The distinct texts met in one pass over the log, in one table rather than
// an allocation per text: the result meets a band's entities and counties
// with every QSO it counts. The texts are views of strings that outlive it.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

class DistinctTexts {
  public:
    // True the first time the text is met.
    bool Insert(std::string_view text);

  private:
    struct Slot {
        std::string_view text;
        bool used = false;
    };
    // The slot that holds the text, or the free slot where it belongs.
    Slot& SlotFor(std::string_view text);

    std::vector<Slot> m_slots;  // a power of two in size, at most half full
    size_t m_count = 0;
};
