// The results table: one row per log, best checked score first, as text for
// the terminal and as CSV with the logs' categories.
#pragma once

#include <string>

#include "host/cross_check/checked_contest.h"

namespace host {

std::string ResultsTable(const CheckedContest& c);

// The table as CSV, with a column for each CATEGORY-* header of the logs.
std::string ResultsCsv(const CheckedContest& c);

// The figures of a row, shared by the table, the CSV and the page.
struct ResultsRow {
    std::string call;
    long claimedScore = 0;
    long checkedScore = 0;
    long claimedQsos = 0;
    long checkedQsos = 0;
    size_t nil = 0;
    size_t busted = 0;  // calls and exchanges
    size_t uniques = 0;
    int clockOffset = 0;
    std::string category;  // the letter, "chk" for a checklog, "?" when unknown
    std::string section;   // "yu" or "non-yu"
    std::string rank;      // in the category and section, "-" when not ranked
};
ResultsRow RowOf(const CheckedLog& l);

}  // namespace host
