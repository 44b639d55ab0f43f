#include "host/robot/entry_facts.h"

#include "host/readers/call_rule.h"

namespace host::robot {

EntryFacts FactsOfEntry(const PreparedLog& p) {
    EntryFacts f;
    f.extension = p.log.format == LogFormat::kAdif ? "adi" : "log";
    const std::string broken = BrokenCallRule(p.run.ownCall, "");
    if (!broken.empty()) {
        f.refusal = "the log's own call " + p.run.ownCall + " cannot be a call: " + broken;
    }
    return f;
}

}  // namespace host::robot
