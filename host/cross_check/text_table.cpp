#include "host/cross_check/text_table.h"

#include <functional>

namespace host {

size_t TextTable::SlotOf(std::string_view text, size_t hash) const {
    const size_t mask = slots_.size() - 1;
    const uint32_t tag = Tag(hash);
    for (size_t s = hash & mask;; s = (s + 1) & mask) {
        const Slot& held = slots_[s];
        if (held.id == kNone || (held.tag == tag && texts_[held.id] == text)) {
            return s;
        }
    }
}

void TextTable::Grow() {
    std::vector<Slot> old;
    old.swap(slots_);
    slots_.assign(old.empty() ? 64 : old.size() * 2, Slot());
    const size_t mask = slots_.size() - 1;
    for (const Slot& held : old) {
        if (held.id == kNone) {
            continue;
        }
        size_t s = hashes_[held.id] & mask;
        while (slots_[s].id != kNone) {
            s = (s + 1) & mask;
        }
        slots_[s] = held;
    }
}

std::pair<uint32_t, bool> TextTable::Intern(std::string_view text) {
    if ((texts_.size() + 1) * 2 > slots_.size()) {
        Grow();
    }
    const size_t hash = std::hash<std::string_view>()(text);
    Slot& slot = slots_[SlotOf(text, hash)];
    if (slot.id != kNone) {
        return {slot.id, false};
    }
    slot.tag = Tag(hash);
    slot.id = static_cast<uint32_t>(texts_.size());
    texts_.push_back(text);
    hashes_.push_back(hash);
    return {slot.id, true};
}

uint32_t TextTable::Find(std::string_view text) const {
    if (slots_.empty()) {
        return kNone;
    }
    return slots_[SlotOf(text, std::hash<std::string_view>()(text))].id;
}

}  // namespace host
