#include "host/robot/entry_facts.h"

#include "host/one_log/category.h"
#include "host/one_log/other_contest.h"
#include "host/readers/call_rule.h"

namespace host::robot {

EntryFacts FactsOfEntry(const PreparedLog& p) {
    EntryFacts f;
    f.extension = p.log.format == LogFormat::kAdif ? "adi" : "log";
    const std::string other = OtherContestOf(p.log.headerFields);
    if (!other.empty()) {
        f.refusal = "the log is for another contest (CONTEST: " + other + ")";
        return f;
    }
    const std::string broken = BrokenCallRule(p.run.ownCall, "");
    if (!broken.empty()) {
        f.refusal = "the log's own call " + p.run.ownCall + " cannot be a call: " + broken;
        return f;
    }
    // The section does not change the letter.
    const EntryCategory c = CategoryOfLog(p.log.headerFields, false);
    if (c.letter != 0) {
        f.category = std::string(1, c.letter);
    }
    const std::string assumed = AssumedFieldsWarning(c);
    if (!assumed.empty()) {
        f.warnings.push_back(assumed);
    }
    const std::string why = WhyNotRankedByCategory(c);
    if (!why.empty()) {
        f.warnings.push_back("not ranked: " + why);
    }
    if (!c.bandMismatch.empty()) {
        f.warnings.push_back(c.bandMismatch);
    }
    return f;
}

}  // namespace host::robot
