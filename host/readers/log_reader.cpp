#include "host/readers/log_reader.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "host/readers/call_rule.h"
#include "host/readers/exchange_text.h"
#include "host/readers/log_fields.h"
#include "platform/ole_date.h"

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

constexpr char kUtf8Bom[] = "\xef\xbb\xbf";

// UTF-16 text: its byte order mark, or ASCII with a zero byte beside each
// character.
bool LooksUtf16(const std::string& text) {
    if (text.size() >= 2 &&
        ((text[0] == '\xff' && text[1] == '\xfe') || (text[0] == '\xfe' && text[1] == '\xff'))) {
        return true;
    }
    if (text.size() < 4) {
        return false;
    }
    const bool zeroFirst = text[0] == '\0';
    for (size_t i = 0; i < 4; i += 2) {
        const char zero = zeroFirst ? text[i] : text[i + 1];
        const unsigned char ascii = static_cast<unsigned char>(zeroFirst ? text[i + 1] : text[i]);
        if (zero != '\0' || ascii < 0x09 || ascii > 0x7e) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string UpperText(std::string s) {
    for (char& c : s) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return s;
}

bool AllDigits(const std::string& s) {
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

bool ParseNumber(const std::string& s, double& out) {
    if (s.empty() || !(std::isdigit(static_cast<unsigned char>(s[0])) || s[0] == '.')) {
        return false;
    }
    char* end = nullptr;
    out = std::strtod(s.c_str(), &end);
    return end == s.c_str() + s.size() && std::isfinite(out) && out >= 0.0;
}

bool ValidTime(const LogTime& t) {
    double ignored = 0.0;
    return plat::FieldsToOleDate(t.year, t.month, t.day, t.hour, t.minute, t.second, ignored);
}

bool ParseDate(const std::string& s, LogTime& t) {
    std::string digits;
    if (s.size() == 10 && s[4] == '-' && s[7] == '-') {
        digits = s.substr(0, 4) + s.substr(5, 2) + s.substr(8, 2);
    } else {
        digits = s;
    }
    if (digits.size() != 8 || !AllDigits(digits)) {
        return false;
    }
    t.year = std::atoi(digits.substr(0, 4).c_str());
    t.month = std::atoi(digits.substr(4, 2).c_str());
    t.day = std::atoi(digits.substr(6, 2).c_str());
    return true;
}

bool ParseClock(const std::string& s, LogTime& t) {
    if ((s.size() != 4 && s.size() != 6) || !AllDigits(s)) {
        return false;
    }
    t.hour = std::atoi(s.substr(0, 2).c_str());
    t.minute = std::atoi(s.substr(2, 2).c_str());
    t.second = s.size() == 6 ? std::atoi(s.substr(4, 2).c_str()) : 0;
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

size_t LineEndAt(const std::string& text, size_t at) {
    if (text[at] == '\n') {
        return 1;
    }
    if (text[at] == '\r') {
        return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    }
    return 0;
}

void FinishQso(LogQso& q) {
    const char* report = q.mode == "CW" ? "599" : q.mode == "SSB" ? "59" : "";
    if (q.rstSent.empty()) {
        q.rstSent = report;
    }
    if (q.rstRcvd.empty()) {
        q.rstRcvd = report;
    }
    q.exchSent = NormalisedExchange(q.exchSent);
    q.exchRcvd = NormalisedExchange(q.exchRcvd);
}

std::string OwnCallOf(const ContestLog& log, const std::string& given) {
    if (!given.empty()) {
        return given;
    }
    if (!log.ownCall.empty()) {
        return log.ownCall;
    }
    return log.qsos.empty() ? std::string() : log.qsos.front().ownCall;
}

void SetAsideBadCalls(ContestLog& log, const std::string& ownCall) {
    std::vector<LogQso> kept;
    kept.reserve(log.qsos.size());
    for (LogQso& q : log.qsos) {
        const std::string broken = BrokenCallRule(q.call, ownCall);
        if (broken.empty()) {
            kept.push_back(std::move(q));
        } else {
            log.badCalls.push_back({q.line, "'" + q.call + "': " + broken});
        }
    }
    log.qsos = std::move(kept);
}

std::string BandOfKHz(double kHz) {
    for (const BandEdge& b : kBands) {
        if (kHz >= b.low && kHz <= b.high) {
            return b.name;
        }
    }
    return std::string();
}

std::string ContestMode(const std::string& logMode) {
    std::string mode = UpperText(logMode);
    if (mode == "PH" || mode == "SSB" || mode == "USB" || mode == "LSB") {
        return "SSB";
    }
    return mode;
}

bool ParseLog(const std::string& raw, const std::string& name, ContestLog& log,
              std::string& error) {
    log = ContestLog();
    if (LooksUtf16(raw)) {
        error = name + ": UTF-16 text; save the log as UTF-8 or ASCII";
        return false;
    }
    // A UTF-8 byte order mark is no part of the first line.
    const std::string text = raw.compare(0, 3, kUtf8Bom) == 0 ? raw.substr(3) : raw;
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        error = name + ": empty file";
        return false;
    }
    const std::string upper = UpperText(text);
    const bool cabrilloStart = upper.compare(first, 13, "START-OF-LOG:") == 0;
    if (!cabrilloStart &&
        (upper.find("<EOR>") != std::string::npos || upper.find("<EOH>") != std::string::npos)) {
        log.format = LogFormat::kAdif;
        ParseAdif(text, log);
        return true;
    }
    if (cabrilloStart || upper.compare(first, 4, "QSO:") == 0 ||
        upper.find("\nQSO:") != std::string::npos || upper.find("\rQSO:") != std::string::npos) {
        log.format = LogFormat::kCabrillo;
        ParseCabrillo(text, log);
        return true;
    }
    error = name +
            ":1: neither a Cabrillo log (START-OF-LOG:, QSO: lines) nor an ADIF log "
            "(<EOR> records)";
    return false;
}

bool ReadLogFile(const std::string& path, ContestLog& log, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = path + ": is a folder, not a log";
        return false;
    }
    if (!std::filesystem::exists(path, ec) && !ec) {
        error = path + ": no such file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const std::error_code why(errno, std::generic_category());
        error = path + ": cannot open the log" +
                (why == std::errc::permission_denied ? std::string(": permission denied") : "");
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        error = path + ": cannot read the log";
        return false;
    }
    return ParseLog(text.str(), path, log, error);
}

}  // namespace host
