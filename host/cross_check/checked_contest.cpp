#include "host/cross_check/checked_contest.h"

#include <algorithm>
#include <cstdio>

namespace host {

std::string LoggedTime(const LogTime& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    return text;
}

std::vector<const CheckedLog*> Ranked(const CheckedContest& c) {
    std::vector<const CheckedLog*> out;
    for (const CheckedLog& l : c.logs) {
        out.push_back(&l);
    }
    std::stable_sort(out.begin(), out.end(), [](const CheckedLog* a, const CheckedLog* b) {
        if (a->checked.score != b->checked.score) {
            return a->checked.score > b->checked.score;
        }
        return a->entrant->call < b->entrant->call;
    });
    return out;
}

}  // namespace host
