#include "host/readers/exchange_text.h"

#include <cstddef>

namespace host {
namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsReportChar(char c) {
    return (c >= '0' && c <= '9') || c == 'N';
}

}  // namespace

std::string NormalisedExchange(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    std::string out;
    out.reserve(end - begin);
    for (size_t i = begin; i < end; ++i) {
        const char c = text[i];
        out += c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    }
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
