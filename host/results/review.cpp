#include "host/results/review.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "host/cross_check/qso_times.h"
#include "host/one_log/other_contest.h"
#include "host/readers/call_rule.h"

namespace host {
namespace {

std::string UpperText(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

const int kMostInMinute = 8;
const int kMostInHour = 300;
const int kLargestOffset = 30;

// A QSO line the scoring took into the contest period.
bool InPeriod(const CheckedQso& q) {
    return q.qso != nullptr && q.verdict.status != QsoStatus::kUnreadable &&
           q.verdict.status != QsoStatus::kOutsidePeriod;
}

std::string Percent(size_t part, size_t whole) {
    const long tenths = static_cast<long>((part * 1000 + whole / 2) / whole);
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " %";
}

void Rates(const CheckedLog& l, std::vector<std::pair<std::string, std::string>>& out) {
    std::vector<int32_t> minutes;
    for (const CheckedQso& q : l.qsos) {
        if (InPeriod(q)) {
            minutes.push_back(MinuteOf(q.time));
        }
    }
    std::sort(minutes.begin(), minutes.end());
    size_t most = 0;
    int32_t busiest = 0;
    size_t mostHour = 0;
    int32_t busiestHour = 0;
    for (size_t i = 0, j = 0, k = 0; i < minutes.size(); ++i) {
        while (minutes[j] != minutes[i]) {
            ++j;
        }
        if (i - j + 1 > most) {
            most = i - j + 1;
            busiest = minutes[i];
        }
        while (minutes[i] - minutes[k] >= 60) {
            ++k;
        }
        if (i - k + 1 > mostHour) {
            mostHour = i - k + 1;
            busiestHour = minutes[k];
        }
    }
    auto when = [&](int32_t minute) {
        for (const CheckedQso& q : l.qsos) {
            if (InPeriod(q) && MinuteOf(q.time) == minute) {
                return LoggedTime(q.qso->time);
            }
        }
        return std::string();
    };
    if (most > static_cast<size_t>(kMostInMinute)) {
        out.emplace_back("rate-minute", std::to_string(most) + " QSOs in the minute " +
                                            when(busiest) + " (more than " +
                                            std::to_string(kMostInMinute) + ")");
    }
    if (mostHour > static_cast<size_t>(kMostInHour)) {
        out.emplace_back("rate-hour", std::to_string(mostHour) + " QSOs in the 60 minutes from " +
                                          when(busiestHour) + " (more than " +
                                          std::to_string(kMostInHour) + ")");
    }
}

// The CALLSIGN: line that the QSO lines contradict, as the reader found it
// (it then took the QSO lines' call): "CALLSIGN: X, but 95 of 100 QSO lines
// were sent as Y"; "" when they agree.
std::string CallsignMismatch(const EntrantLog& e) {
    for (const LogProblem& w : e.log.warnings) {
        if (w.reason.compare(0, 10, "CALLSIGN: ") != 0) {
            continue;
        }
        const std::string header = w.reason.substr(10, w.reason.find(' ', 10) - 10);
        const size_t sent = static_cast<size_t>(
            std::count_if(e.log.qsos.begin(), e.log.qsos.end(),
                          [&](const LogQso& q) { return UpperText(q.ownCall) == e.call; }));
        return "CALLSIGN: " + header + ", but " + std::to_string(sent) + " of " +
               std::to_string(e.log.qsos.size()) + " QSO lines were sent as " + e.call;
    }
    return std::string();
}

}  // namespace

std::vector<ReviewEntry> ReviewList(const CheckedContest& c) {
    std::vector<ReviewEntry> review;
    for (const CheckedLog& l : c.logs) {
        const EntrantLog& e = *l.entrant;
        std::vector<std::pair<std::string, std::string>> found;
        const std::string mismatch = CallsignMismatch(e);
        if (!mismatch.empty()) {
            found.emplace_back("callsign-mismatch", mismatch);
        }
        if (!e.otherFiles.empty()) {
            std::string names;
            for (const std::string& f : e.otherFiles) {
                names += (names.empty() ? "" : ", ") + f;
            }
            found.emplace_back("several-files", std::to_string(e.otherFiles.size() + 1) +
                                                    " files of " + e.call + "; " + e.file +
                                                    " is the newest and used, not " + names);
        }
        const std::string other = OtherContestOf(e.log.headerFields);
        if (!other.empty()) {
            found.emplace_back("other-contest", "CONTEST: " + other);
        }
        const std::string broken = BrokenCallRule(e.call, "");
        if (!broken.empty()) {
            found.emplace_back("call-rule", e.call + ": " + broken);
        }
        size_t lines = 0;
        for (const CheckedQso& q : l.qsos) {
            lines += InPeriod(q) ? 1 : 0;
        }
        const size_t uniques = l.counts[static_cast<size_t>(QsoStatus::kUnique)];
        if (uniques >= 10 && uniques * 10 > lines) {
            found.emplace_back("uniques", std::to_string(uniques) + " uniques in " +
                                              std::to_string(lines) + " QSO lines (" +
                                              Percent(uniques, lines) + ")");
        }
        if (!l.standing.category.multiOp && !l.standing.category.checklog) {
            Rates(l, found);
        }
        if (std::abs(l.clockOffsetFound) > kLargestOffset) {
            const int off = l.clockOffsetFound;
            found.emplace_back("clock-offset", "the clock ran " + std::to_string(std::abs(off)) +
                                                   " minutes " + (off < 0 ? "slow" : "fast") +
                                                   " against the other logs");
        }
        if (!l.standing.category.bandMismatch.empty()) {
            found.emplace_back("category-band", l.standing.category.bandMismatch);
        }
        for (const auto& f : found) {
            review.push_back({e.call, e.file, f.first, f.second});
        }
    }
    return review;
}

void AddReviewToWarnings(CheckedContest& c) {
    size_t at = 0;
    for (CheckedLog& l : c.logs) {
        for (; at < c.review.size() && c.review[at].file == l.entrant->file; ++at) {
            const ReviewEntry& r = c.review[at];
            if (r.reason != "other-contest" && r.reason != "call-rule" &&
                r.reason != "category-band") {
                l.standing.warnings.push_back(r.reason + ": " + r.detail);
            }
        }
    }
}

std::string ReviewText(const std::vector<ReviewEntry>& review) {
    std::string text =
        "Logs to review before the results are published: " + std::to_string(review.size()) +
        (review.size() == 1 ? " entry" : " entries") + "\n";
    for (const ReviewEntry& r : review) {
        text += "\n" + r.call + " (" + r.file + "): " + r.reason + "\n    " + r.detail + "\n";
    }
    return text;
}

}  // namespace host
