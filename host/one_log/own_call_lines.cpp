#include "host/one_log/own_call_lines.h"

#include <cstddef>
#include <unordered_map>

#include "host/counted.h"

namespace host {
namespace {

constexpr size_t kLinesNamed = 5;

struct OtherCall {
    std::string call;
    std::vector<int> lines;
};

}  // namespace

std::vector<std::string> OtherOwnCallLines(const ContestLog& log, const std::string& ownCall) {
    std::vector<OtherCall> others;  // in the order they first appear
    std::unordered_map<std::string, size_t> at;
    for (const LogQso& q : log.qsos) {
        if (q.ownCall.empty() || q.ownCall == ownCall) {
            continue;
        }
        const auto found = at.emplace(q.ownCall, others.size());
        if (found.second) {
            others.push_back({q.ownCall, {}});
        }
        others[found.first->second].lines.push_back(q.line);
    }
    std::vector<std::string> texts;
    for (const OtherCall& other : others) {
        const size_t n = other.lines.size();
        std::string text = Counted(n, "QSO line") + (n == 1 ? " carries" : " carry") +
                           " the own call " + other.call + ", not " + ownCall + ": " +
                           (n > kLinesNamed ? "first lines "
                            : n == 1        ? "line "
                                            : "lines ");
        for (size_t i = 0; i < n && i < kLinesNamed; ++i) {
            text += (i == 0 ? "" : ", ") + std::to_string(other.lines[i]);
        }
        texts.push_back(text);
    }
    return texts;
}

}  // namespace host
