#include "host/cross_check/results_table.h"

#include <cstdio>
#include <set>

namespace host {
namespace {

size_t Count(const CheckedLog& l, QsoStatus s) {
    return l.counts[static_cast<size_t>(s)];
}

// A CSV field: quoted when it holds a separator, a quote or a line break.
// Text from a log that a spreadsheet would take for a formula gets a leading
// apostrophe.
std::string CsvField(const std::string& raw) {
    std::string text =
        !raw.empty() && std::string("=+-@").find(raw[0]) != std::string::npos ? "'" + raw : raw;
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string out = "\"";
    for (char c : text) {
        out += c == '"' ? "\"\"" : std::string(1, c);
    }
    return out + "\"";
}

std::string CategoryOf(const CheckedLog& l, const std::string& name) {
    for (const auto& category : l.entrant->categories) {
        if (category.first == name) {
            return category.second;
        }
    }
    return "";
}

}  // namespace

ResultsRow RowOf(const CheckedLog& l) {
    ResultsRow r;
    r.call = l.entrant->call;
    r.claimedScore = l.claimed.score;
    r.checkedScore = l.checked.score;
    r.claimedQsos = l.claimed.qsos;
    r.checkedQsos = l.checked.qsos;
    r.nil = Count(l, QsoStatus::kNil);
    r.busted = Count(l, QsoStatus::kBustedCall) + Count(l, QsoStatus::kBustedExchange);
    r.uniques = Count(l, QsoStatus::kUnique);
    r.clockOffset = l.clockOffset;
    const Standing& s = l.standing;
    r.category = s.category.checklog      ? "chk"
                 : s.category.letter != 0 ? std::string(1, s.category.letter)
                                          : "?";
    r.section = SectionName(s.category.yu);
    r.rank = s.ranked ? std::to_string(s.ranks.category) : "-";
    return r;
}

std::string ResultsTable(const CheckedContest& c) {
    std::string text;
    char row[200];
    std::snprintf(row, sizeof row, "%4s  %-13s %10s %10s %7s %7s %5s %6s %7s %6s  %-3s %-6s %4s\n",
                  "#", "call", "claimed", "checked", "QSOs", "checked", "NIL", "busted", "uniques",
                  "clock", "cat", "sect", "rank");
    text += row;
    int place = 0;
    for (const CheckedLog* l : Ranked(c)) {
        const ResultsRow r = RowOf(*l);
        std::snprintf(row, sizeof row,
                      "%4d  %-13s %10ld %10ld %7ld %7ld %5zu %6zu %7zu %+6d  %-3s %-6s %4s\n",
                      ++place, r.call.c_str(), r.claimedScore, r.checkedScore, r.claimedQsos,
                      r.checkedQsos, r.nil, r.busted, r.uniques, r.clockOffset, r.category.c_str(),
                      r.section.c_str(), r.rank.c_str());
        text += row;
    }
    return text;
}

std::string ResultsCsv(const CheckedContest& c) {
    std::set<std::string> names;
    for (const CheckedLog& l : c.logs) {
        for (const auto& category : l.entrant->categories) {
            names.insert(category.first);
        }
    }
    std::string text =
        "place,call,file,claimed_score,checked_score,claimed_qsos,checked_qsos,nil,busted,"
        "uniques,clock_offset_minutes,category,section,rank";
    for (const std::string& name : names) {
        text += "," + CsvField(name);
    }
    text += "\n";
    int place = 0;
    for (const CheckedLog* l : Ranked(c)) {
        const ResultsRow r = RowOf(*l);
        text += std::to_string(++place) + "," + CsvField(r.call) + "," +
                CsvField(l->entrant->file) + "," + std::to_string(r.claimedScore) + "," +
                std::to_string(r.checkedScore) + "," + std::to_string(r.claimedQsos) + "," +
                std::to_string(r.checkedQsos) + "," + std::to_string(r.nil) + "," +
                std::to_string(r.busted) + "," + std::to_string(r.uniques) + "," +
                std::to_string(r.clockOffset) + "," + r.category + "," + r.section + "," + r.rank;
        for (const std::string& name : names) {
            text += "," + CsvField(CategoryOf(*l, name));
        }
        text += "\n";
    }
    return text;
}

}  // namespace host
