#include "host/readers/log_fields.h"

#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <map>

#include "host/readers/exchange_text.h"
#include "platform/ole_date.h"
#include "platform/plain_text.h"

namespace host {
namespace {

// The bands of a QSO line, lowest first, in kHz.
struct BandEdge {
    double low;
    double high;
    const char* name;
};
constexpr BandEdge kBands[] = {
    {1800, 2000, "160m"},  {3500, 4000, "80m"},   {5060, 5450, "60m"},   {7000, 7300, "40m"},
    {10100, 10150, "30m"}, {14000, 14350, "20m"}, {18068, 18168, "17m"}, {21000, 21450, "15m"},
    {24890, 24990, "12m"}, {28000, 29700, "10m"}, {50000, 54000, "6m"},  {144000, 148000, "2m"},
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether s holds n digits from at on.
bool Digits(std::string_view s, size_t at, size_t n) {
    for (size_t i = at; i < at + n; ++i) {
        if (!IsDigit(s[i])) {
            return false;
        }
    }
    return true;
}

// The number the n digits of s from at on write.
int Number(std::string_view s, size_t at, size_t n) {
    int value = 0;
    for (size_t i = at; i < at + n; ++i) {
        value = value * 10 + (s[i] - '0');
    }
    return value;
}

}  // namespace

bool AllDigits(std::string_view s) {
    if (s.empty()) {
        return false;
    }
    for (char c : s) {
        if (!std::isdigit(static_cast<unsigned char>(c))) {
            return false;
        }
    }
    return true;
}

bool ParseNumber(std::string_view s, double& out) {
    if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '.')) {
        return false;
    }
    // Digits with at most one point and at most 15 digits in all, the
    // frequencies of nearly every line: the digits make an exact whole
    // number, and one division by an exact power of ten rounds as strtod
    // does. Anything else is left to strtod.
    static constexpr double kTens[] = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    uint64_t whole = 0;
    size_t digits = 0;
    size_t point = s.size();
    bool plain = s.size() <= 16;
    for (size_t i = 0; plain && i < s.size(); ++i) {
        if (IsDigit(s[i])) {
            whole = whole * 10 + static_cast<uint64_t>(s[i] - '0');
            ++digits;
        } else if (s[i] == '.' && point == s.size()) {
            point = i;
        } else {
            plain = false;
        }
    }
    if (plain && digits > 0 && digits <= 15) {
        const size_t decimals = point == s.size() ? 0 : s.size() - point - 1;
        out = static_cast<double>(whole) / kTens[decimals];
        return true;
    }
    const std::string text(s);
    char* end = nullptr;
    out = std::strtod(text.c_str(), &end);
    return end == text.c_str() + text.size() && std::isfinite(out) && out >= 0.0;
}

bool ValidTime(const LogTime& t) {
    double ignored = 0.0;
    return plat::FieldsToOleDate(t.year, t.month, t.day, t.hour, t.minute, t.second, ignored);
}

bool ParseDate(std::string_view s, LogTime& t) {
    const bool dashes = s.size() == 10 && s[4] == '-' && s[7] == '-';
    if (!dashes && s.size() != 8) {
        return false;
    }
    const size_t month = dashes ? 5 : 4;
    const size_t day = dashes ? 8 : 6;
    if (!Digits(s, 0, 4) || !Digits(s, month, 2) || !Digits(s, day, 2)) {
        return false;
    }
    t.year = Number(s, 0, 4);
    t.month = Number(s, month, 2);
    t.day = Number(s, day, 2);
    // A month or day no calendar has means the digits are in another order
    // (DDMMYYYY, say); a day that month lacks is left to ValidTime.
    return t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31;
}

bool ParseClock(std::string_view s, LogTime& t) {
    if ((s.size() != 4 && s.size() != 6) || !AllDigits(s)) {
        return false;
    }
    t.hour = Number(s, 0, 2);
    t.minute = Number(s, 2, 2);
    t.second = s.size() == 6 ? Number(s, 4, 2) : 0;
    return t.hour < 24 && t.minute < 60 && t.second < 60;
}

bool HzOfKHz(double kHz, unsigned& hz) {
    const double rounded = std::round(kHz * 1000.0);
    if (!(rounded <= 4294967295.0)) {
        return false;
    }
    hz = static_cast<unsigned>(rounded);
    return true;
}

double BandLowKHz(const std::string& band) {
    for (const BandEdge& b : kBands) {
        if (band == b.name) {
            return b.low;
        }
    }
    return 0.0;
}

size_t LineEndAt(std::string_view text, size_t at) {
    if (text[at] == '\n') {
        return 1;
    }
    if (text[at] == '\r') {
        return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    }
    return 0;
}

std::string QsoLinesCall(const std::vector<LogQso>& qsos, size_t& carrying) {
    std::map<std::string, size_t> counts;
    auto last = counts.end();  // the previous QSO's call: most often this one's too
    std::string best;
    carrying = 0;
    for (const LogQso& q : qsos) {
        if (q.ownCall.empty()) {
            continue;
        }
        if (last == counts.end() || last->first != q.ownCall) {
            last = counts.emplace(q.ownCall, 0).first;
        }
        const size_t n = ++last->second;
        if (n > carrying) {
            best = q.ownCall;
            carrying = n;
        }
    }
    return best;
}

void FinishQso(LogQso& q) {
    const char* report = q.mode == "CW" ? "599" : q.mode == "SSB" ? "59" : "";
    if (q.rstSent.empty()) {
        q.rstSent = report;
    }
    if (q.rstRcvd.empty()) {
        q.rstRcvd = report;
    }
    NormaliseExchange(q.exchSent);
    NormaliseExchange(q.exchRcvd);
}

std::string BandOfKHz(double kHz) {
    for (const BandEdge& b : kBands) {
        if (kHz >= b.low && kHz <= b.high) {
            return b.name;
        }
    }
    return std::string();
}

std::string ContestMode(std::string_view logMode) {
    std::string mode(logMode);
    for (char& c : mode) {
        c = plat::AsciiUpper(c);
    }
    if (mode == "PH" || mode == "SSB" || mode == "USB" || mode == "LSB") {
        return "SSB";
    }
    return mode;
}

}  // namespace host
