#include "scoring/distinct_texts.h"

#include <algorithm>
#include <functional>

DistinctTexts::Slot& DistinctTexts::SlotFor(std::string_view text) {
    const size_t mask = m_slots.size() - 1;
    size_t slot = std::hash<std::string_view>()(text) & mask;
    while (m_slots[slot].used && m_slots[slot].text != text) {
        slot = (slot + 1) & mask;
    }
    return m_slots[slot];
}

bool DistinctTexts::Insert(std::string_view text) {
    if ((m_count + 1) * 2 > m_slots.size()) {
        std::vector<Slot> held(std::max<size_t>(16, m_slots.size() * 2));
        held.swap(m_slots);
        for (const Slot& s : held) {
            if (s.used) {
                SlotFor(s.text) = s;
            }
        }
    }
    Slot& slot = SlotFor(text);
    if (slot.used) {
        return false;
    }
    slot = {text, true};
    ++m_count;
    return true;
}
