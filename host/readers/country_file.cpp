#include "host/readers/country_file.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <fstream>
#include <functional>
#include <sstream>

#include "platform/plain_text.h"

namespace host {
namespace {

// The pieces of s between separators: "a,,b," gives "a", "", "b", "".
std::vector<std::string> Split(const std::string& s, char separator) {
    std::vector<std::string> parts;
    if (s.empty()) {
        return parts;
    }
    for (size_t from = 0;;) {
        const size_t at = s.find(separator, from);
        if (at == std::string::npos) {
            parts.emplace_back(s, from);
            return parts;
        }
        parts.emplace_back(s, from, at - from);
        from = at + 1;
    }
}

// Suffixes that say how a station operates, not where it is.
bool IsOperatingSuffix(const std::string& part) {
    static const char* const kSuffixes[] = {"P", "M", "QRP", "QRPP", "A", "LH", "J", "B", "N"};
    for (const char* s : kSuffixes) {
        if (part == s) {
            return true;
        }
    }
    return false;
}

}  // namespace

bool CountryResolver::LoadFile(const std::string& path, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open the country file";
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return LoadText(text.str(), path, error);
}

bool CountryResolver::LoadText(const std::string& text, const std::string& name,
                               std::string& error) {
    entities_.clear();
    exact_.clear();
    exactBits_.assign(kExactBits / 64, 0);
    prefixes_.clear();
    longestPrefix_ = 0;
    longestByStart_.assign(kSlots * kSlots, 0);

    std::istringstream in(text);
    std::string line;
    int lineNo = 0;
    int current = -1;     // entity whose entries are being read (cty.dat)
    bool inList = false;  // between an entity line and its closing ";"
    while (std::getline(in, line)) {
        ++lineNo;
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (plat::TrimBlanks(line).empty()) {
            continue;
        }
        const std::string where = name + ":" + std::to_string(lineNo) + ": ";
        if (!inList && line.find(':') == std::string::npos) {
            // cty.csv: primary,name,dxcc,continent,cq,itu,lat,lon,tz,entries;
            const std::vector<std::string> f = Split(line, ',');
            if (f.size() != 10) {
                error = where + "neither a cty.dat nor a cty.csv line";
                return false;
            }
            Entity e;
            e.primary = plat::TrimBlanks(f[0]);
            e.name = plat::TrimBlanks(f[1]);
            e.continent = plat::TrimBlanks(f[3]);
            e.waeOnly = !e.primary.empty() && e.primary[0] == '*';
            e.prefix = e.waeOnly ? e.primary.substr(1) : e.primary;
            entities_.push_back(e);
            std::string entries = f[9];
            const size_t end = entries.find(';');
            if (end != std::string::npos) {
                entries.erase(end);
            }
            std::istringstream tokens(entries);
            std::string token;
            while (tokens >> token) {
                AddEntry(static_cast<int>(entities_.size()) - 1, token);
            }
            continue;
        }
        if (!inList) {
            // cty.dat entity line: name:cq:itu:continent:lat:lon:tz:primary:
            const std::vector<std::string> f = Split(line, ':');
            if (f.size() < 8) {
                error = where + "entity line with fewer than 8 fields";
                return false;
            }
            Entity e;
            e.name = plat::TrimBlanks(f[0]);
            e.continent = plat::TrimBlanks(f[3]);
            e.primary = plat::TrimBlanks(f[7]);
            e.waeOnly = !e.primary.empty() && e.primary[0] == '*';
            e.prefix = e.waeOnly ? e.primary.substr(1) : e.primary;
            entities_.push_back(e);
            current = static_cast<int>(entities_.size()) - 1;
            inList = true;
            continue;
        }
        std::string entries = line;
        const size_t end = entries.find(';');
        if (end != std::string::npos) {
            entries.erase(end);
            inList = false;
        }
        for (const std::string& token : Split(entries, ',')) {
            const std::string t = plat::TrimBlanks(token);
            if (!t.empty()) {
                AddEntry(current, t);
            }
        }
    }
    if (inList) {
        error = name + ":" + std::to_string(lineNo) + ": entity list not closed with ';'";
        return false;
    }
    if (entities_.empty()) {
        error = name + ": holds no entity";
        return false;
    }
    FoldWaeEntities();
    return true;
}

// One entry: "=CALL" for an exact call or a prefix, either followed by
// overrides: (CQ zone) [ITU zone] <lat/lon> {continent} ~time zone~. Only the
// continent matters for scoring; the others are skipped.
void CountryResolver::AddEntry(int entity, const std::string& token) {
    std::string text = token;
    bool exact = false;
    if (!text.empty() && text[0] == '=') {
        exact = true;
        text.erase(0, 1);
    }
    std::string key;
    Target target;
    target.entity = entity;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const char* close = c == '('   ? ")"
                            : c == '[' ? "]"
                            : c == '<' ? ">"
                            : c == '{' ? "}"
                            : c == '~' ? "~"
                                       : nullptr;
        if (close == nullptr) {
            key += c;
            continue;
        }
        const size_t end = text.find(close, i + 1);
        const size_t stop = end == std::string::npos ? text.size() : end;
        if (c == '{') {
            target.continent = text.substr(i + 1, stop - i - 1);
        }
        i = stop;
    }
    key = plat::AsciiUpper(key);
    if (key.empty()) {
        return;
    }
    auto& table = exact ? exact_ : prefixes_;
    auto found = table.find(key);
    // A DXCC entity keeps an entry that a WAE-only entity lists as well.
    if (found != table.end() &&
        !(entities_[found->second.entity].waeOnly && !entities_[entity].waeOnly)) {
        return;
    }
    table[key] = target;
    if (exact) {
        const size_t bit = ExactBit(key);
        exactBits_[bit / 64] |= uint64_t{1} << (bit % 64);
    }
    if (!exact && key.size() > longestPrefix_) {
        longestPrefix_ = key.size();
    }
    if (!exact && key.size() >= 2) {
        size_t& longest = longestByStart_[PairSlot(key[0], key[1])];
        longest = std::max(longest, key.size());
    }
}

// A WAE-only entity (Sicily, Shetland, European Turkey ...) counts as the
// DXCC entity it is part of: the one that lists the same calls, or else the
// one whose prefixes cover its primary prefix.
void CountryResolver::FoldWaeEntities() {
    for (size_t w = 0; w < entities_.size(); ++w) {
        Entity& wae = entities_[w];
        if (!wae.waeOnly) {
            continue;
        }
        std::string stem = plat::AsciiUpper(wae.primary.substr(1));
        const size_t slash = stem.find('/');
        if (slash != std::string::npos) {
            stem.erase(slash);
        }
        for (size_t len = stem.size(); len > 0 && wae.folded < 0; --len) {
            auto found = prefixes_.find(stem.substr(0, len));
            if (found != prefixes_.end() && !entities_[found->second.entity].waeOnly) {
                wae.folded = found->second.entity;
            }
        }
    }
    // Exact calls of a WAE-only entity that its DXCC entity lists too already
    // point there; what remains is folded at lookup.
}

const CountryResolver::Target* CountryResolver::LookupPrefix(const std::string& text) const {
    size_t longest = std::min(text.size(), longestPrefix_);
    if (text.size() >= 2) {
        // Only the one-character prefixes when none starts with these two.
        longest =
            std::min(longest, std::max<size_t>(1, longestByStart_[PairSlot(text[0], text[1])]));
    }
    std::string key(text, 0, longest);
    for (; !key.empty(); key.pop_back()) {
        auto found = prefixes_.find(key);
        if (found != prefixes_.end()) {
            return &found->second;
        }
    }
    return nullptr;
}

size_t CountryResolver::PairSlot(char first, char second) {
    const auto slot = [](char c) -> size_t {
        if (c >= 'A' && c <= 'Z') {
            return static_cast<size_t>(c - 'A');
        }
        if (c >= '0' && c <= '9') {
            return 26 + static_cast<size_t>(c - '0');
        }
        return kSlots - 1;
    };
    return slot(first) * kSlots + slot(second);
}

size_t CountryResolver::ExactBit(const std::string& call) {
    return std::hash<std::string>()(call) % kExactBits;
}

const CountryResolver::Target* CountryResolver::FindExact(const std::string& call) const {
    const size_t bit = ExactBit(call);
    if ((exactBits_[bit / 64] & (uint64_t{1} << (bit % 64))) == 0) {
        return nullptr;
    }
    const auto found = exact_.find(call);
    return found == exact_.end() ? nullptr : &found->second;
}

const CountryResolver::Entity& CountryResolver::Dxcc(const Target& target) const {
    const Entity& own = entities_[target.entity];
    return own.waeOnly && own.folded >= 0 ? entities_[own.folded] : own;
}

const std::string& CountryResolver::Continent(const Target& target) const {
    return !target.continent.empty() ? target.continent : entities_[target.entity].continent;
}

Country CountryResolver::Make(const Target& target) const {
    Country c;
    c.prefix = Dxcc(target).prefix;
    c.name = Dxcc(target).name;
    c.continent = Continent(target);
    return c;
}

bool CountryResolver::Resolve(const std::string& rawCall, Country& out) const {
    const Target* target = Find(rawCall);
    if (target == nullptr) {
        return false;
    }
    out = Make(*target);
    return true;
}

bool CountryResolver::ResolvePrefix(const std::string& rawCall, std::string& prefix,
                                    std::string& continent) const {
    const Target* target = Find(rawCall);
    if (target == nullptr) {
        return false;
    }
    prefix = Dxcc(*target).prefix;
    continent = Continent(*target);
    return true;
}

const CountryResolver::Target* CountryResolver::Find(const std::string& rawCall) const {
    const std::string call = plat::AsciiUpper(plat::TrimBlanks(rawCall));
    if (call.empty() || entities_.empty()) {
        return nullptr;
    }
    if (const Target* exact = FindExact(call)) {
        return exact;
    }
    if (call.find('/') == std::string::npos) {
        return LookupPrefix(call);  // most calls: no location part, and not an exact call
    }
    std::vector<std::string> parts = Split(call, '/');
    if (parts.size() > 1 && (parts.back() == "MM" || parts.back() == "AM")) {
        return nullptr;
    }
    while (parts.size() > 1 && IsOperatingSuffix(parts.back())) {
        parts.pop_back();
    }
    std::string base;
    std::string located;  // the part that says where the station is
    if (parts.size() == 1) {
        base = located = parts[0];
    } else if (parts.size() == 2 && parts[1].size() == 1 &&
               std::isdigit(static_cast<unsigned char>(parts[1][0]))) {
        // UA1ABC/9: the call's own digit replaced by the call area.
        base = located = parts[0];
        const size_t digit = located.find_first_of("0123456789", 1);
        if (digit != std::string::npos) {
            located[digit] = parts[1][0];
        }
    } else if (parts.size() >= 2) {
        // 9A/YU1ABC or YU1ABC/9A: the shorter part is the location.
        const bool firstShorter = parts[0].size() <= parts[1].size();
        located = firstShorter ? parts[0] : parts[1];
        base = firstShorter ? parts[1] : parts[0];
    }
    if (located.empty()) {
        return nullptr;
    }
    if (located == base) {
        if (const Target* again = FindExact(base)) {
            return again;
        }
    }
    return LookupPrefix(located);
}

}  // namespace host
