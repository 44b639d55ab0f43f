#include "host/cross_check/checked_contest.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace host {

namespace {

// Puts value's digits, zero-padded to width, at text; false when it does not
// fit in width digits (or is negative).
bool PutDigits(char* text, int value, int width) {
    for (int i = width - 1; i >= 0; --i) {
        if (value < 0) {
            return false;
        }
        text[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    return value == 0;
}

}  // namespace

std::string LoggedTime(const LogTime& t) {
    std::string text;
    AppendLoggedTime(text, t);
    return text;
}

void AppendLoggedTime(std::string& out, const LogTime& t) {
    // Formatted by hand; a field out of its width (a year before 0 or after
    // 9999) takes the slow way, with the same text.
    char text[32] = "0000-00-00 00:00";
    if (PutDigits(text, t.year, 4) && PutDigits(text + 5, t.month, 2) &&
        PutDigits(text + 8, t.day, 2) && PutDigits(text + 11, t.hour, 2) &&
        PutDigits(text + 14, t.minute, 2)) {
        out.append(text, 16);
        return;
    }
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour,
                  t.minute);
    out += text;
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
