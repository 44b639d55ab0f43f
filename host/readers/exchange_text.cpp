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
    return (c >= '0' && c <= '9') || c == 'N' || c == 'n';
}

}  // namespace

std::string NormalisedExchange(const std::string& text) {
    std::string out(text);
    NormaliseExchange(out);
    return out;
}

void NormaliseExchange(std::string& text) {
    const std::string_view core = ExchangeCore(text);
    const size_t from = static_cast<size_t>(core.data() - text.data());
    text.erase(from + core.size());
    text.erase(0, from);
    for (char& c : text) {
        c = plat::AsciiUpper(c);
    }
}

std::string_view ExchangeCore(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n\v\f");
    if (first == std::string_view::npos) {
        return text.substr(text.size());
    }
    text = text.substr(first, text.find_last_not_of(" \t\r\n\v\f") - first + 1);
    // Every report in front goes, so that the result is its own normal
    // form: "599 599 NIS" gives "NIS", as "599 NIS" does. The last word
    // stays whatever it is, so a serial after a report is kept.
    size_t from = 0;
    while (true) {
        size_t report = from;
        while (report < text.size() && report - from < 4 && IsReportChar(text[report])) {
            ++report;
        }
        const size_t length = report - from;
        if ((length != 2 && length != 3) || report == text.size() || !IsBlank(text[report])) {
            break;
        }
        from = report;
        while (from < text.size() && IsBlank(text[from])) {
            ++from;
        }
    }
    return text.substr(from);
}

}  // namespace host
