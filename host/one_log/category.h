// The contest's entry categories, A to M, and the section an entrant is
// ranked in, as a log's header gives them:
//   A SO-AB CW QRP, B SO-AB CW low, C SO-AB CW high, D SO-AB SSB low,
//   E SO-AB SSB high, F SO-AB mixed low, G SO-AB mixed high,
//   H to L single band 80m, 40m, 20m, 15m, 10m (mixed, any power),
//   M multi-op all band mixed.
// A CHECKLOG is listed but never ranked; so is a log whose category names a
// value the contest does not have. YU/YT entrants and the others are ranked
// apart in every category.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace host {

struct EntryCategory {
    char letter = 0;  // 'A' to 'M'; 0 for a checklog or an unknown category
    bool checklog = false;
    // A multi-op entry: letter M, or an unknown category whose
    // CATEGORY-OPERATOR is MULTI-OP.
    bool multiOp = false;
    bool yu = false;  // the section: the own call's country is YU or YT
    // For an unknown category: the field and the value the contest does not
    // have, "CATEGORY-BAND: 160M".
    std::string unknown;
    // The letter was read from the log's CATEGORY: line, not worked out from
    // the CATEGORY-* fields.
    bool fromCategoryLine = false;
    // The CATEGORY-* fields the log leaves out, with the value taken for
    // each: "CATEGORY-POWER: LOW".
    std::vector<std::string> assumed;
    // The category lines given more than once with different values, the
    // first taken: "CATEGORY-BAND given twice, '40M' and '20M'; taking '40M'".
    std::vector<std::string> repeated;
    // A CATEGORY: letter H to L that CATEGORY-BAND contradicts, with both:
    // "CATEGORY: H (80m) but CATEGORY-BAND: 40M"; "" when they agree.
    std::string bandMismatch;
};

// The category of a log from its header fields (tag without the colon,
// value), as the readers keep them; yu tells the section.
EntryCategory CategoryOfLog(const std::vector<std::pair<std::string, std::string>>& header,
                            bool yu);

// Ranked in its category and section: a letter, not a checklog.
inline bool IsRanked(const EntryCategory& c) {
    return c.letter != 0;
}
// Why a log is not ranked by its category: "checklog", "unknown category
// (CATEGORY-MODE: RTTY)", or "" for a ranked one.
std::string WhyNotRankedByCategory(const EntryCategory& c);
// "yu" or "non-yu".
const char* SectionName(bool yu);
// "SO-AB CW QRP" for 'A' ... "MO-AB mixed" for 'M'; "" for any other.
const char* CategoryTitle(char letter);
// The warning for the fields assumed, or "" when none was:
// "category fields absent, taken as CATEGORY-BAND: ALL, CATEGORY-POWER: LOW".
std::string AssumedFieldsWarning(const EntryCategory& c);

}  // namespace host
