#include "host/results/ubn_files.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "host/host_error.h"
#include "host/output_files.h"
#include "host/results/standings.h"
#include "platform/plain_text.h"

namespace host {
namespace {

bool IsDeviceName(const std::string& name) {
    const std::string stem = plat::AsciiUpper(name);
    static const std::set<std::string> kDevices = {
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    return kDevices.count(stem) > 0;
}

std::string QsoLine(const CheckedQso& q) {
    std::string text = "  line " + std::to_string(q.line);
    if (q.qso != nullptr) {
        text += "  " + LoggedTime(q.qso->time) + "  " + q.qso->band + " " + q.qso->mode + "  " +
                q.qso->call;
    }
    return text;
}

struct Section {
    QsoStatus status;
    const char* title;
    const char* detail;  // what the detail means, or ""
};

const Section kSections[] = {
    {QsoStatus::kBustedCall, "Busted calls: the call you logged is not the station you worked",
     "you worked"},
    {QsoStatus::kNil, "Not in log: the station you logged has no QSO with you at that time", ""},
    {QsoStatus::kBustedExchange, "Busted exchanges: what you logged is not what was sent",
     "was sent"},
    {QsoStatus::kUnique, "Uniques: no other log has this call", ""},
};

// The category, the ranks and the warnings.
std::string StandingText(const Standing& s) {
    const EntryCategory& c = s.category;
    std::string text = "Category: ";
    if (c.checklog) {
        text += "checklog";
    } else if (c.letter == 0) {
        text += "unknown";
    } else {
        text += std::string(1, c.letter) + " (" + CategoryTitle(c.letter) + ")";
    }
    text += ", section " + std::string(c.yu ? "YU/YT" : "outside YU/YT") + "\n";
    if (s.ranked) {
        text += "Rank: " + std::to_string(s.ranks.category) + " in the category, " +
                std::to_string(s.ranks.entity) + " in " +
                (s.entity.empty() ? std::string("an unknown entity") : s.entity) + ", " +
                std::to_string(s.ranks.continent) + " in " +
                (s.continent.empty() ? std::string("an unknown continent") : s.continent) + "\n";
    }
    for (const std::string& w : s.warnings) {
        text += "Warning: " + w + "\n";
    }
    return text;
}

// Other stations' slips with this entrant, which cost it nothing.
std::string CopiedWrongText(const Standing& s) {
    if (s.copiedWrong.empty()) {
        return std::string();
    }
    std::string text =
        "\nStations that copied your call or exchange wrong (their error, no cost to you):\n";
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

}  // namespace

std::string EntrantReport(const CheckedLog& l, bool keepUniques) {
    std::string text = "Cross-check of " + l.entrant->call + " (" + l.entrant->file + ")\n\n";
    text += "Claimed score: " + std::to_string(l.claimed.score) + " (" +
            std::to_string(l.claimed.qsos) + " QSOs)\n";
    text += "Checked score: " + std::to_string(l.checked.score) + " (" +
            std::to_string(l.checked.qsos) + " QSOs)\n";
    size_t wrong = 0;
    size_t checked = 0;
    if (ErrorRateOf(l, wrong, checked)) {
        text += "Error rate: " + ErrorRateText(l) + " (" + std::to_string(wrong) + " of " +
                std::to_string(checked) + " QSO lines cross-checked do not stand)\n";
    }
    text += StandingText(l.standing);
    if (l.clockOffset == 0 && l.clockOffsetFound != 0) {
        text += "Your clock ran " + std::to_string(std::abs(l.clockOffsetFound)) + " minute" +
                (std::abs(l.clockOffsetFound) == 1 ? "" : "s") +
                (l.clockOffsetFound < 0 ? " slow" : " fast") +
                ", within the time window: your times were checked as logged.\n";
    } else if (l.clockOffset == 0) {
        text += "No clock offset was found: your times were checked as logged.\n";
    } else {
        text += "Your clock ran " +
                std::to_string(l.clockOffset < 0 ? -l.clockOffset : l.clockOffset) + " minutes " +
                (l.clockOffset < 0 ? "slow" : "fast") +
                "; your times were corrected by it before checking.\n";
    }
    text += BandTable(l);
    for (const Section& s : kSections) {
        std::string lines;
        for (const CheckedQso& q : l.qsos) {
            if (q.verdict.status == s.status) {
                lines += QsoLine(q);
                if (!q.verdict.detail.empty()) {
                    lines += "  (" + (*s.detail != '\0' ? std::string(s.detail) + " " : "") +
                             q.verdict.detail + ")";
                }
                lines += "\n";
            }
        }
        if (!lines.empty()) {
            text += "\n" + std::string(s.title) +
                    (s.status == QsoStatus::kUnique
                         ? (keepUniques ? " (they count)" : " (they do not count)")
                         : " (they do not count)") +
                    ":\n" + lines;
        }
    }
    text += CopiedWrongText(l.standing);
    if (!l.problems.empty()) {
        text +=
            "\nProblems the scoring found (these QSOs do not count, or count on incomplete "
            "data):\n";
        for (const Problem& p : l.problems) {
            text += "  line " + std::to_string(p.line) + "  " + ProblemLabel(p.kind) + ": " +
                    p.detail + "\n";
        }
    }
    return text;
}

std::string SafeFileStem(const std::string& call) {
    std::string stem;
    for (char c : call) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-') {
            stem += c;
        } else if (c == '/') {
            stem += '-';
        }
    }
    if (stem.empty()) {
        stem = "_";
    }
    const size_t dash = stem.find('-');
    if (IsDeviceName(stem.substr(0, dash))) {
        stem = "_" + stem;
    }
    return stem;
}

std::vector<std::string> ReportStems(const CheckedContest& c) {
    std::set<std::string> taken;
    std::vector<std::string> stems;
    for (const CheckedLog& l : c.logs) {
        const std::string stem = SafeFileStem(l.entrant->call);
        std::string name = stem;
        for (int n = 2; !taken.insert(name).second; ++n) {
            name = stem + "-" + std::to_string(n);
        }
        stems.push_back(name);
    }
    return stems;
}

void WriteUbnFiles(const std::string& folder, const CheckedContest& c) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw InputError(folder + ": cannot create the folder of reports: " + error.message());
    }
    const std::vector<std::string> stems = ReportStems(c);
    OutputBatch batch;
    for (size_t i = 0; i < c.logs.size(); ++i) {
        const CheckedLog& l = c.logs[i];
        batch.Write(folder + "/" + stems[i] + ".txt", EntrantReport(l, c.keepUniques),
                    "report of " + l.entrant->call);
    }
    batch.Commit();
    RemoveOtherReports(folder, std::set<std::string>(stems.begin(), stems.end()), ".txt");
}

}  // namespace host
