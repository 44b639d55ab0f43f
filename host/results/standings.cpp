#include "host/results/standings.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <functional>
#include <map>
#include <set>
#include <tuple>

#include "host/one_log/other_contest.h"
#include "host/one_log/own_call_lines.h"
#include "host/readers/call_rule.h"
#include "scoring/contest_lists.h"

namespace host {
namespace {

// The header's CLAIMED-SCORE, or -1 when it holds none or no number.
long HeaderClaimedScore(const ContestLog& log) {
    for (const auto& field : log.headerFields) {
        if (field.first == "CLAIMED-SCORE" && !field.second.empty()) {
            std::string digits;
            for (char ch : field.second) {
                if (std::isdigit(static_cast<unsigned char>(ch)) != 0) {
                    digits += ch;
                } else if (ch != ',' && ch != '.' && ch != ' ') {
                    return -1;
                }
            }
            return digits.empty() || digits.size() > 15 ? -1 : std::atol(digits.c_str());
        }
    }
    return -1;
}

// At most this many of the log reader's notes are named per log; a log that
// repeats one fault on every line gets their count after them.
constexpr size_t kReaderWarningsNamed = 10;

// A note on an ADIF field that no QSO is read from ("field NAME given
// twice, ..."): it changes nothing scored, and its values (a name, an
// address, an e-mail) are not for a published report.
bool NoteOnAnUnreadField(const std::string& note) {
    static const std::set<std::string> kRead = {
        "CALL",    "QSO_DATE",         "TIME_ON",  "FREQ",     "BAND",     "MODE",
        "SUBMODE", "STATION_CALLSIGN", "OPERATOR", "RST_SENT", "RST_RCVD", "STX_STRING",
        "STX",     "SRX_STRING",       "SRX"};
    if (note.compare(0, 6, "field ") != 0) {
        return false;
    }
    const size_t end = note.find(' ', 6);
    return kRead.count(note.substr(6, end == std::string::npos ? end : end - 6)) == 0;
}

// What the log reader noted of the log, as score warns of it: fields given
// twice, lines after the end, QSO lines made under another own call. The
// CALLSIGN: line that the QSO lines contradict is left to the review list,
// which names it with its figures.
void AddReaderWarnings(const EntrantLog& e, std::vector<std::string>& out) {
    size_t named = 0;
    size_t more = 0;
    for (const LogProblem& w : e.log.warnings) {
        if (w.reason.compare(0, 10, "CALLSIGN: ") == 0 || NoteOnAnUnreadField(w.reason)) {
            continue;
        }
        if (named == kReaderWarningsNamed) {
            ++more;
            continue;
        }
        out.push_back("line " + std::to_string(w.line) + ": " + w.reason);
        ++named;
    }
    if (more > 0) {
        out.push_back("and " + std::to_string(more) + " more such warning" +
                      (more == 1 ? "" : "s") + " of the log reader");
    }
    for (const std::string& text : OtherOwnCallLines(e.log, e.call)) {
        out.push_back(text);
    }
}

void Judge(CheckedLog& l, const CountryResolver& countries) {
    const EntrantLog& e = *l.entrant;
    Standing& s = l.standing;
    Country country;
    const bool known = countries.Resolve(e.call, country);
    if (known) {
        s.entity = country.name;
        s.continent = country.continent;
    }
    s.category = CategoryOfLog(e.log.headerFields, known && IsYuPrefix(country.prefix));
    s.whyNotRanked = WhyNotRankedByCategory(s.category);
    const std::string other = OtherContestOf(e.log.headerFields);
    const std::string broken = BrokenCallRule(e.call, "");
    if (s.whyNotRanked.empty() && !other.empty()) {
        s.whyNotRanked = "log of another contest (CONTEST: " + other + ")";
    }
    if (s.whyNotRanked.empty() && !broken.empty()) {
        s.whyNotRanked = "the own call " + e.call + " breaks the call rule: " + broken;
    }
    s.ranked = s.whyNotRanked.empty();

    const std::string assumed = AssumedFieldsWarning(s.category);
    if (!assumed.empty()) {
        s.warnings.push_back(assumed);
    }
    s.warnings.insert(s.warnings.end(), s.category.repeated.begin(), s.category.repeated.end());
    if (!s.category.bandMismatch.empty()) {
        s.warnings.push_back(s.category.bandMismatch);
    }
    if (!s.ranked) {
        s.warnings.push_back("not ranked: " + s.whyNotRanked);
    }
    const long header = HeaderClaimedScore(e.log);
    if (header >= 0 && header != l.claimed.score) {
        s.warnings.push_back("the header's CLAIMED-SCORE is " + std::to_string(header) +
                             ", the claimed score found here " + std::to_string(l.claimed.score));
    }
    AddReaderWarnings(e, s.warnings);
}

// Sets each log's place among those with the same key: 1 plus the number of
// logs of that key with a higher checked score.
template <typename Key>
void Place(std::vector<CheckedLog*>& logs, const std::function<Key(const CheckedLog&)>& key,
           int Ranks::*place) {
    std::map<Key, std::vector<long>> scores;
    for (const CheckedLog* l : logs) {
        scores[key(*l)].push_back(l->checked.score);
    }
    for (CheckedLog* l : logs) {
        const std::vector<long>& group = scores[key(*l)];
        l->standing.ranks.*place =
            1 + static_cast<int>(std::count_if(group.begin(), group.end(), [&](long score) {
                return score > l->checked.score;
            }));
    }
}

}  // namespace

void RankEntries(CheckedContest& c, const CountryResolver& countries) {
    std::vector<CheckedLog*> ranked;
    for (CheckedLog& l : c.logs) {
        l.standing = Standing();
        Judge(l, countries);
        if (l.standing.ranked) {
            ranked.push_back(&l);
        }
    }
    using Group = std::tuple<char, bool, std::string>;
    Place<Group>(
        ranked,
        [](const CheckedLog& l) {
            return Group(l.standing.category.letter, l.standing.category.yu, std::string());
        },
        &Ranks::category);
    Place<Group>(
        ranked,
        [](const CheckedLog& l) {
            return Group(l.standing.category.letter, l.standing.category.yu, l.standing.entity);
        },
        &Ranks::entity);
    Place<Group>(
        ranked,
        [](const CheckedLog& l) {
            return Group(l.standing.category.letter, l.standing.category.yu, l.standing.continent);
        },
        &Ranks::continent);
}

bool ErrorRateOf(const CheckedLog& l, size_t& wrong, size_t& checked) {
    wrong = l.counts[static_cast<size_t>(QsoStatus::kBustedCall)] +
            l.counts[static_cast<size_t>(QsoStatus::kBustedExchange)] +
            l.counts[static_cast<size_t>(QsoStatus::kNil)];
    checked = wrong + l.counts[static_cast<size_t>(QsoStatus::kOk)];
    return checked > 0;
}

std::string ErrorRateText(const CheckedLog& l) {
    size_t wrong = 0;
    size_t checked = 0;
    if (!ErrorRateOf(l, wrong, checked)) {
        return "-";
    }
    const size_t tenths = (wrong * 1000 + checked / 2) / checked;
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " %";
}

SummaryBand CheckedBand(const CheckedLog& l, const std::string& band) {
    for (const SummaryBand& b : l.checked.bands) {
        if (b.band == band) {
            return b;
        }
    }
    SummaryBand none;
    none.band = band;
    return none;
}

std::vector<const CheckedLog*> CategoryTable(const std::vector<const CheckedLog*>& ranked,
                                             char letter, bool yu) {
    std::vector<const CheckedLog*> out;
    for (const CheckedLog* l : ranked) {
        if (l->standing.ranked && l->standing.category.letter == letter &&
            l->standing.category.yu == yu) {
            out.push_back(l);
        }
    }
    return out;
}

}  // namespace host
