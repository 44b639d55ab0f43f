#include "host/results/entrant_report.h"

#include <cstdio>
#include <cstdlib>

#include "host/results/standings.h"

namespace host {

const char* const kCopiedWrongTitle =
    "Stations that copied your call or exchange wrong (their error, no cost to you)";
const char* const kLostMultipliersTitle = "Multipliers lost, with the QSO that cost each";
const char* const kProblemsTitle =
    "Problems the scoring found (these QSOs do not count, or count on incomplete data)";

namespace {

// Other stations' slips with this entrant, which cost it nothing.
std::string CopiedWrongText(const Standing& s) {
    if (s.copiedWrong.empty()) {
        return std::string();
    }
    std::string text = "\n" + std::string(kCopiedWrongTitle) + ":\n";
    for (const std::string& line : s.copiedWrong) {
        text += "  " + line + "\n";
    }
    return text;
}

// QSOs, points, DXCC and counties per band, claimed beside checked, as the
// plug-in's summary counts them.
std::string BandTable(const CheckedLog& l) {
    if (l.claimed.bands.empty()) {
        return std::string();
    }
    char row[160];
    std::snprintf(row, sizeof row, "%-6s %17s %17s %17s %17s\n", "Band", "QSOs", "Points", "DXCC",
                  "Counties");
    std::string text = std::string("\nPer band (claimed / checked):\n") + row;
    auto pair = [](long claimed, long checked) {
        return std::to_string(claimed) + " / " + std::to_string(checked);
    };
    for (const SummaryBand& c : l.claimed.bands) {
        const SummaryBand k = CheckedBand(l, c.band);
        std::snprintf(row, sizeof row, "%-6s %17s %17s %17s %17s\n", c.band.c_str(),
                      pair(c.qsos, k.qsos).c_str(), pair(c.points, k.points).c_str(),
                      pair(c.dxcc, k.dxcc).c_str(), pair(c.counties, k.counties).c_str());
        text += row;
    }
    return text;
}

// Each multiplier the checked score lost, with the line that cost it.
std::string LostMultipliersText(const CheckedLog& l) {
    const std::vector<LostMultiplier>& lost = l.standing.lostMultipliers;
    if (lost.empty()) {
        return std::string();
    }
    std::string text = "\n" + std::string(kLostMultipliersTitle) + ":\n";
    for (const LostMultiplier& m : lost) {
        const CheckedQso& q = l.qsos[m.qso];
        text += "  " + m.band + "  " + MultiplierName(m) + ":" + QsoLineText(q) + "  " +
                StatusName(q.verdict.status);
        for (size_t k = 0; k < m.otherLines.size(); ++k) {
            text += (k == 0 ? "; also line " : ", ") + std::to_string(m.otherLines[k]);
        }
        text += "\n";
    }
    return text;
}

}  // namespace

std::vector<QsoSection> QsoSections(bool keepUniques) {
    const char* const dropped = " (they do not count)";
    return {
        {QsoStatus::kBustedCall,
         std::string("Busted calls: the call you logged is not the station you worked") + dropped,
         "you worked"},
        {QsoStatus::kNil,
         std::string("Not in log: the station you logged has no QSO with you at that time") +
             dropped,
         ""},
        {QsoStatus::kBustedExchange,
         std::string("Busted exchanges: what you logged is not what was sent") + dropped,
         "was sent"},
        {QsoStatus::kUnique,
         std::string("Uniques: no other log has this call") +
             (keepUniques ? " (they count)" : dropped),
         ""},
    };
}

std::vector<std::string> SummaryLines(const CheckedLog& l) {
    std::vector<std::string> lines;
    lines.push_back("Claimed score: " + std::to_string(l.claimed.score) + " (" +
                    std::to_string(l.claimed.qsos) + " QSOs)");
    lines.push_back("Checked score: " + std::to_string(l.checked.score) + " (" +
                    std::to_string(l.checked.qsos) + " QSOs)");
    size_t wrong = 0;
    size_t checked = 0;
    if (ErrorRateOf(l, wrong, checked)) {
        lines.push_back("Error rate: " + ErrorRateText(l) + " (" + std::to_string(wrong) + " of " +
                        std::to_string(checked) + " QSO lines cross-checked do not stand)");
    }
    const Standing& s = l.standing;
    const EntryCategory& c = s.category;
    std::string category = "Category: ";
    if (c.checklog) {
        category += "checklog";
    } else if (c.letter == 0) {
        category += "unknown";
    } else {
        category += std::string(1, c.letter) + " (" + CategoryTitle(c.letter) + ")";
    }
    lines.push_back(category + ", section " + (c.yu ? "YU/YT" : "outside YU/YT"));
    if (s.ranked) {
        lines.push_back("Rank: " + std::to_string(s.ranks.category) + " in the category, " +
                        std::to_string(s.ranks.entity) + " in " +
                        (s.entity.empty() ? std::string("an unknown entity") : s.entity) + ", " +
                        std::to_string(s.ranks.continent) + " in " +
                        (s.continent.empty() ? std::string("an unknown continent") : s.continent));
    }
    return lines;
}

std::string ClockLine(const CheckedLog& l) {
    if (l.clockOffset == 0 && l.clockOffsetFound != 0) {
        return "Your clock ran " + std::to_string(std::abs(l.clockOffsetFound)) + " minute" +
               (std::abs(l.clockOffsetFound) == 1 ? "" : "s") +
               (l.clockOffsetFound < 0 ? " slow" : " fast") +
               ", within the time window: your times were checked as logged.";
    }
    if (l.clockOffset == 0) {
        return "No clock offset was found: your times were checked as logged.";
    }
    return "Your clock ran " + std::to_string(std::abs(l.clockOffset)) + " minutes " +
           (l.clockOffset < 0 ? "slow" : "fast") +
           "; your times were corrected by it before checking.";
}

std::string MultiplierName(const LostMultiplier& m) {
    if (m.county) {
        return "county " + m.multiplier;
    }
    if (m.multiplier.empty()) {
        // The plug-in counts the calls of no known entity as one.
        return "DXCC of calls the country file does not know";
    }
    return "DXCC " + m.multiplier + (m.entity.empty() ? "" : " (" + m.entity + ")");
}

std::string QsoLineText(const CheckedQso& q) {
    std::string text;
    AppendQsoLineText(text, q);
    return text;
}

void AppendQsoLineText(std::string& out, const CheckedQso& q) {
    out += "  line ";
    out += std::to_string(q.line);
    if (q.qso != nullptr) {
        out += "  ";
        AppendLoggedTime(out, q.qso->time);
        out += "  ";
        out += q.qso->band;
        out += ' ';
        out += q.qso->mode;
        out += "  ";
        out += q.qso->call;
    }
}

std::string QsoDetail(const QsoSection& s, const CheckedQso& q) {
    if (q.verdict.detail.empty()) {
        return std::string();
    }
    return (s.detail.empty() ? std::string() : s.detail + " ") + q.verdict.detail;
}

std::string EntrantReport(const CheckedLog& l, bool keepUniques) {
    std::string text = "Cross-check of " + l.entrant->call + " (" + l.entrant->file + ")\n\n";
    for (const std::string& line : SummaryLines(l)) {
        text += line + "\n";
    }
    for (const std::string& w : l.standing.warnings) {
        text += "Warning: " + w + "\n";
    }
    text += ClockLine(l) + "\n";
    text += BandTable(l);
    text += LostMultipliersText(l);
    for (const QsoSection& s : QsoSections(keepUniques)) {
        std::string lines;
        for (const CheckedQso& q : l.qsos) {
            if (q.verdict.status == s.status) {
                AppendQsoLineText(lines, q);
                const std::string detail = QsoDetail(s, q);
                if (!detail.empty()) {
                    lines += "  (";
                    lines += detail;
                    lines += ')';
                }
                lines += '\n';
            }
        }
        if (!lines.empty()) {
            text += "\n" + s.title + ":\n" + lines;
        }
    }
    text += CopiedWrongText(l.standing);
    if (!l.problems.empty()) {
        text += "\n" + std::string(kProblemsTitle) + ":\n";
        for (const Problem& p : l.problems) {
            text += "  line " + std::to_string(p.line) + "  " + ProblemLabel(p.kind) + ": " +
                    p.detail + "\n";
        }
    }
    return text;
}

}  // namespace host
