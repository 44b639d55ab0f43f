#include "host/readers/exchange_text.h"

#include <cstddef>

#include "platform/plain_text.h"

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
    std::string out = plat::AsciiUpper(plat::TrimBlanks(text));
    size_t report = 0;
    while (report < out.size() && report < 4 && IsReportChar(out[report])) {
        ++report;
    }
    if ((report == 2 || report == 3) && report < out.size() && IsBlank(out[report])) {
        size_t rest = report;
        while (rest < out.size() && IsBlank(out[rest])) {
            ++rest;
        }
        out.erase(0, rest);
    }
    return out;
}

}  // namespace host
