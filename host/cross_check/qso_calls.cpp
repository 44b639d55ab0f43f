#include "host/cross_check/qso_calls.h"

#include "host/cross_check/text_table.h"
#include "host/run_beside.h"

namespace host {
namespace {

// The calls of the contest's QSOs [from, to), counted log after log: each
// QSO's number among the part's own distinct calls, which come in order.
void NumberPart(const std::vector<EntrantLog>& logs, size_t from, size_t to, TextTable& table,
                std::vector<const std::string*>& calls, uint32_t* ofQso) {
    size_t first = 0;  // the contest's number of the log's first QSO
    for (const EntrantLog& e : logs) {
        const std::vector<LogQso>& qsos = e.log.qsos;
        for (size_t q = from > first ? from - first : 0; q < qsos.size() && first + q < to; ++q) {
            const auto added = table.Intern(qsos[q].call);
            if (added.second) {
                calls.push_back(&qsos[q].call);
            }
            ofQso[first + q - from] = added.first;
        }
        first += qsos.size();
    }
}

}  // namespace

QsoCalls::QsoCalls(const std::vector<EntrantLog>& logs) {
    size_t total = 0;
    for (const EntrantLog& e : logs) {
        total += e.log.qsos.size();
    }
    ofQso_.resize(total);
    // The QSOs are halved, not the logs: one log may hold most of them.
    const size_t middle = total / 2;
    TextTable tables[2];
    std::vector<const std::string*> later;
    RunBeside([&] { NumberPart(logs, middle, total, tables[1], later, ofQso_.data() + middle); },
              [&] { NumberPart(logs, 0, middle, tables[0], calls_, ofQso_.data()); });
    // The first half's numbers stand; the second half's calls are numbered
    // on from them, those of the first half keeping theirs.
    std::vector<uint32_t> joined(later.size());
    for (size_t c = 0; c < later.size(); ++c) {
        const uint32_t known = tables[0].Find(*later[c]);
        if (known != TextTable::kNone) {
            joined[c] = known;
        } else {
            joined[c] = static_cast<uint32_t>(calls_.size());
            calls_.push_back(later[c]);
        }
    }
    for (size_t i = middle; i < total; ++i) {
        ofQso_[i] = joined[ofQso_[i]];
    }
}

}  // namespace host
