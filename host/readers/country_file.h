// Names the DXCC entity and continent of a call sign from the country files
// that contest loggers share (cty.dat, or its cty.csv form).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace host {

struct Country {
    std::string prefix;     // the entity's primary prefix, e.g. "YU", "DL", "UA9"
    std::string continent;  // two letters, e.g. "EU"
    std::string name;       // e.g. "Serbia"
};

class CountryResolver {
  public:
    // Reads a country file; the format (cty.dat or cty.csv) is taken from the
    // content. On failure returns false with "file:line: reason" in error.
    bool LoadFile(const std::string& path, std::string& error);
    bool LoadText(const std::string& text, const std::string& name, std::string& error);

    // The entity of a call, or false when the call names none (also for
    // maritime and aeronautical mobile stations, /MM and /AM).
    bool Resolve(const std::string& call, Country& out) const;
    // The same without the entity's name: the prefix and continent alone,
    // which is all a QSO passes on. Cheap enough for every QSO of a log.
    bool ResolvePrefix(const std::string& call, std::string& prefix, std::string& continent) const;

    size_t entityCount() const { return entities_.size(); }

  private:
    struct Entity {
        std::string name;
        std::string primary;  // as the file gives it, with "*" for WAE-only entities
        std::string prefix;   // the primary prefix without the "*"
        std::string continent;
        bool waeOnly = false;
        int folded = -1;  // for a WAE-only entity: the DXCC entity it belongs to
    };
    struct Target {
        int entity = -1;
        std::string continent;  // an override, or empty
    };

    void AddEntry(int entity, const std::string& token);
    void FoldWaeEntities();
    // The exact call's entry, or null.
    const Target* FindExact(const std::string& call) const;
    // The entry a call resolves to, or null.
    const Target* Find(const std::string& rawCall) const;
    const Target* LookupPrefix(const std::string& text) const;
    // The entity whose prefix and name a target gives: a WAE-only entity
    // counts as the DXCC entity it is part of.
    const Entity& Dxcc(const Target& target) const;
    // The continent where the station is: an entry's override, else its
    // own entity's (a WAE entity's own: European Turkey is in Europe).
    const std::string& Continent(const Target& target) const;
    Country Make(const Target& target) const;

    std::vector<Entity> entities_;
    std::unordered_map<std::string, Target> exact_;
    std::unordered_map<std::string, Target> prefixes_;
    // A bit for each exact call, by its hash: most calls are none, and a
    // bit not set says so without a look-up in the large table of them.
    static constexpr size_t kExactBits = size_t{1} << 18;
    static size_t ExactBit(const std::string& call);
    std::vector<uint64_t> exactBits_;  // sized when a file is loaded
    size_t longestPrefix_ = 0;
    // The longest prefix that starts with each pair of characters (letters
    // and digits each a slot of their own, every other character one more):
    // a call's prefix is looked for from that length down, most often one
    // or two look-ups instead of one for every length up to the longest.
    static constexpr size_t kSlots = 37;
    static size_t PairSlot(char first, char second);
    std::vector<size_t> longestByStart_;  // kSlots * kSlots, sized when a file is loaded
};

}  // namespace host
