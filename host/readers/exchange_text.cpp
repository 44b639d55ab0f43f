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
