#include "host/one_log/rules_choice.h"

#include <cmath>

#include "host/counted.h"
#include "host/one_log/prepared_log.h"
#include "scoring/contest_lists.h"

namespace host {
namespace {

constexpr double kHalfSecond = 0.5 / 86400.0;

// QSOs of the Saturday between 07:00 and 11:59, when the period starts at
// 12:00: the 2020 rules start it five hours earlier.
size_t BeforeNoonStart(const PreparedLog& p) {
    const double start = p.period.start.m_dt;
    const double timeOfDay = start - std::floor(start + kHalfSecond);
    if (std::fabs(timeOfDay - 0.5) > kHalfSecond) {
        return 0;
    }
    size_t n = 0;
    for (const QsoFields& q : p.qsos) {
        const double t = q.time.m_dt;
        n += t >= start - 5.0 / 24.0 - kHalfSecond && t < start - kHalfSecond ? 1 : 0;
    }
    return n;
}

// Received exchanges from stations outside YU/YT that the 2020 rules would
// take for no serial number.
size_t NotNumbers(const PreparedLog& p) {
    size_t n = 0;
    for (size_t i : p.passed) {
        const QsoFields& q = p.qsos[i];
        n += !IsYuPrefix(q.dxcc) && !q.exchRcvd.empty() && !IsSerialNumber(q.exchRcvd) ? 1 : 0;
    }
    return n;
}

}  // namespace

std::string CategoryBand(const std::map<std::string, std::string>& headerOptions,
                         const std::vector<std::pair<std::string, std::string>>& headerFields) {
    const auto given = headerOptions.find("CATEGORY-BAND");
    if (given != headerOptions.end()) {
        return given->second;
    }
    for (const auto& field : headerFields) {
        if (field.first == "CATEGORY-BAND") {
            return field.second;
        }
    }
    return "";
}

std::string EntryBandUnder(RuleSet rules, const std::string& categoryBand) {
    return rules == RuleSet::k2020 ? EntryBandOf(categoryBand) : std::string();
}

long EntryScore(const SummaryFigures& f, const std::string& entryBand) {
    if (entryBand.empty()) {
        return f.score;
    }
    for (const SummaryBand& b : f.bands) {
        if (b.band == entryBand) {
            return b.points * (b.dxcc + b.counties);
        }
    }
    return 0;
}

std::string RulesNote(const PreparedLog& p) {
    if (p.rules != RuleSet::kClassic) {
        return "";
    }
    std::string why;
    auto add = [&why](const std::string& reason) { why += (why.empty() ? "" : "; ") + reason; };
    if (IsYuPrefix(p.run.ownDxcc)) {
        add("the own call is YU/YT");
    }
    if (!EntryBandOf(p.categoryBand).empty()) {
        add("CATEGORY-BAND is " + p.categoryBand);
    }
    if (const size_t n = NotNumbers(p)) {
        add(Counted(n, "received exchange") + " from stations outside YU/YT " +
            (n == 1 ? "is" : "are") + " not a number");
    }
    if (const size_t n = BeforeNoonStart(p)) {
        add("the period starts at 12:00 and " + Counted(n, "QSO") + " " +
            (n == 1 ? "lies" : "lie") + " between 07:00 and 11:59 before it");
    }
    if (why.empty()) {
        return "";
    }
    return "scored by the plug-in's rules; the contest's rules since 2020 differ for this log: " +
           why + "; --rules 2020 scores by them";
}

}  // namespace host
