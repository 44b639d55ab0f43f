#include "host/one_log/own_call_lines.h"

#include <cstddef>

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
    std::vector<OtherCall> others;
    for (const LogQso& q : log.qsos) {
        if (q.ownCall.empty() || q.ownCall == ownCall) {
            continue;
        }
        size_t k = 0;
        while (k < others.size() && others[k].call != q.ownCall) {
            ++k;
        }
        if (k == others.size()) {
            others.push_back({q.ownCall, {}});
        }
        others[k].lines.push_back(q.line);
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
