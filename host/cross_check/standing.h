// Where a checked log stands in the published results: its category and
// section, whether and where it is ranked, and what the committee should look
// at before the results are published.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "host/one_log/category.h"

namespace host {

// Places from 1; 0 where the log is not ranked.
struct Ranks {
    int category = 0;   // among its letter and section
    int entity = 0;     // among its letter, section and DXCC entity
    int continent = 0;  // among its letter, section and continent
};

// A multiplier the claimed score counted on a band and the checked score
// does not: every QSO line that brought it there fell in the cross-check.
struct LostMultiplier {
    std::string band;             // "20m"
    bool county = false;          // a Serbian county; else a DXCC entity
    std::string multiplier;       // "DL", "BGD"; "" for calls the country file does not know
    std::string entity;           // the entity's name, "Germany"; "" for a county
    size_t qso = 0;               // index into the log's lines: the first to bring it, as replayed
    std::vector<int> otherLines;  // the other lines that brought it, in file order
};

struct Standing {
    EntryCategory category;
    bool ranked = false;
    std::string whyNotRanked;  // "" for a ranked log
    Ranks ranks;
    std::string entity;     // the own call's DXCC entity, "Serbia"; "" when unknown
    std::string continent;  // "EU"; "" when unknown
    std::vector<std::string> warnings;
    // Other stations' QSO lines with this entrant that copied its call or
    // its exchange wrong, one text each.
    std::vector<std::string> copiedWrong;
    // By band, in the contest's band order, then by line.
    std::vector<LostMultiplier> lostMultipliers;
};

// One reason a log goes on the committee's review list, with the figure that
// put it there.
struct ReviewEntry {
    std::string call;
    std::string file;
    std::string reason;  // callsign-mismatch, other-contest, call-rule, ...
    std::string detail;
};

}  // namespace host
