#include "host/readers/exchange_text.h"

#include <cstddef>

#include "platform/plain_text.h"

namespace host {
namespace {

// The blanks TrimBlanks takes off the ends: a report they follow is a word
// of its own.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}
bool IsReportChar(char c) {
    return (c >= '0' && c <= '9') || c == 'N';
}

}  // namespace

std::string NormalisedExchange(const std::string& text) {
    std::string out = plat::AsciiUpper(plat::TrimBlanks(text));
    // Every report in front goes, so that the result is its own normal
    // form: "599 599 NIS" gives "NIS", as "599 NIS" does. The last word
    // stays whatever it is, so a serial after a report is kept.
    size_t from = 0;
    while (true) {
        size_t report = from;
        while (report < out.size() && report - from < 4 && IsReportChar(out[report])) {
            ++report;
        }
        const size_t length = report - from;
        if ((length != 2 && length != 3) || report == out.size() || !IsBlank(out[report])) {
            break;
        }
        from = report;
        while (from < out.size() && IsBlank(out[from])) {
            ++from;
        }
    }
    out.erase(0, from);
    return out;
}

}  // namespace host
