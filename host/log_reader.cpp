#include "host/log_reader.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "platform/ole_date.h"

namespace host {
namespace {

std::string Upper(std::string s) {
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

// A decimal number such as 14025 or 14.025; false for anything else.
bool ParseNumber(const std::string& s, double& out) {
    if (s.empty()) {
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

// "2026-12-05" (Cabrillo) or "20261205" (ADIF).
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

// "1432" or, in ADIF, "143205".
bool ParseClock(const std::string& s, LogTime& t) {
    if ((s.size() != 4 && s.size() != 6) || !AllDigits(s)) {
        return false;
    }
    t.hour = std::atoi(s.substr(0, 2).c_str());
    t.minute = std::atoi(s.substr(2, 2).c_str());
    t.second = s.size() == 6 ? std::atoi(s.substr(4, 2).c_str()) : 0;
    return t.hour < 24 && t.minute < 60 && t.second < 60;
}

unsigned HzOfKHz(double kHz) {
    const double hz = std::round(kHz * 1000.0);
    return hz >= 4294967295.0 ? 4294967295u : static_cast<unsigned>(hz);
}

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

class Problems {
  public:
    explicit Problems(ContestLog& log) : log_(log) {}
    void Add(int line, const std::string& reason) { log_.problems.push_back({line, reason}); }

  private:
    ContestLog& log_;
};

// The line end at text[at], CR LF, LF or CR alone: its length, or 0 when
// text[at] ends no line.
size_t LineEndAt(const std::string& text, size_t at) {
    if (text[at] == '\n') {
        return 1;
    }
    if (text[at] == '\r') {
        return at + 1 < text.size() && text[at + 1] == '\n' ? 2 : 1;
    }
    return 0;
}

// Reads the next line into line, without its line end; false at the end.
bool NextLine(const std::string& text, size_t& at, std::string& line) {
    if (at >= text.size()) {
        return false;
    }
    const size_t end = text.find_first_of("\r\n", at);
    if (end == std::string::npos) {
        line.assign(text, at, std::string::npos);
        at = text.size();
        return true;
    }
    line.assign(text, at, end - at);
    at = end + LineEndAt(text, end);
    return true;
}

// A header line that names the contest's dates, "X-START-DATE: 2026-02-14"
// and the like: its dates.
void NoteHeaderDates(const std::string& tag, std::istringstream& words, ContestLog& log) {
    if (tag.find("DATE") == std::string::npos && tag.find("START") == std::string::npos &&
        tag.find("END") == std::string::npos) {
        return;
    }
    std::string word;
    while (words >> word) {
        LogTime t;
        if (word.size() == 10 && ParseDate(word, t)) {
            t.hour = 12;
            if (ValidTime(t)) {
                log.headerDates.push_back(t);
            }
        }
    }
}

// A header line, "NAME: Ana Test": its tag without the colon and its value
// without surrounding blanks.
void NoteHeaderField(const std::string& tag, const std::string& value, ContestLog& log) {
    const size_t from = value.find_first_not_of(" \t");
    const size_t to = value.find_last_not_of(" \t");
    log.headerFields.emplace_back(
        tag.back() == ':' ? tag.substr(0, tag.size() - 1) : tag,
        from == std::string::npos ? std::string() : value.substr(from, to - from + 1));
}

void ParseCabrillo(const std::string& text, ContestLog& log) {
    Problems problems(log);
    std::string line;
    int lineNo = 0;
    bool inHeader = true;
    for (size_t at = 0; NextLine(text, at, line);) {
        ++lineNo;
        std::istringstream words(line);
        std::string tag;
        if (!(words >> tag)) {
            continue;
        }
        tag = Upper(tag);
        if (tag == "END-OF-LOG:") {
            break;
        }
        if (tag == "CALLSIGN:") {
            std::string call;
            words >> call;
            log.ownCall = Upper(call);
            continue;
        }
        if (tag != "QSO:") {
            // Other header tags, and X-QSO: lines, which are not scored.
            if (inHeader && tag != "X-QSO:" && tag != "START-OF-LOG:") {
                std::string value;
                std::getline(words, value);
                NoteHeaderField(tag, value, log);
                std::istringstream valueWords(value);
                NoteHeaderDates(tag, valueWords, log);
            }
            continue;
        }
        inHeader = false;
        std::vector<std::string> f;
        std::string word;
        while (words >> word) {
            f.push_back(word);
        }
        // frequency mode date time own-call rst exch call rst exch [transmitter]
        if (f.size() < 10) {
            problems.Add(lineNo, "QSO line has " + std::to_string(f.size()) +
                                     " fields, expected 10 (frequency, mode, date, time, own "
                                     "call, RST and exchange sent, call, RST and exchange "
                                     "received)");
            continue;
        }
        if (f.size() > 11) {
            problems.Add(lineNo,
                         "QSO line has " + std::to_string(f.size()) + " fields, expected 10 or 11");
            continue;
        }
        LogQso q;
        q.line = lineNo;
        double kHz = 0.0;
        if (!ParseNumber(f[0], kHz)) {
            problems.Add(lineNo, "frequency '" + f[0] + "' is not a number of kHz");
            continue;
        }
        if (kHz < 1000.0) {
            kHz *= 1000.0;  // a VHF band written in MHz, such as 50 or 144
        }
        if (!ParseDate(f[2], q.time) || !ParseClock(f[3], q.time) || !ValidTime(q.time)) {
            problems.Add(lineNo,
                         "date and time '" + f[2] + " " + f[3] + "' are not YYYY-MM-DD HHMM");
            continue;
        }
        q.frequencyHz = HzOfKHz(kHz);
        q.band = BandOfKHz(kHz);
        q.mode = ContestMode(f[1]);
        q.ownCall = Upper(f[4]);
        q.rstSent = f[5];
        q.exchSent = f[6];
        q.call = Upper(f[7]);
        q.rstRcvd = f[8];
        q.exchRcvd = f[9];
        log.qsos.push_back(q);
    }
}

// ADIF: <NAME:length[:type]>value fields, a record closed by <EOR>, an
// optional header closed by <EOH>.
void ParseAdif(const std::string& text, ContestLog& log) {
    Problems problems(log);
    std::map<std::string, std::string> fields;
    int lineNo = 1;
    int recordLine = 0;
    size_t at = 0;
    // Counts CR LF, LF and CR alone as one line end each.
    auto advanceTo = [&](size_t to) {
        for (; at < to && at < text.size(); ++at) {
            if (text[at] == '\n' || (text[at] == '\r' && LineEndAt(text, at) == 1)) {
                ++lineNo;
            }
        }
    };
    while (true) {
        const size_t open = text.find('<', at);
        if (open == std::string::npos) {
            break;
        }
        advanceTo(open);
        const size_t close = text.find('>', open);
        if (close == std::string::npos) {
            problems.Add(lineNo, "field tag not closed with '>'");
            break;
        }
        const std::string tag = text.substr(open + 1, close - open - 1);
        const std::vector<std::string> parts = [&] {
            std::vector<std::string> p;
            std::istringstream s(tag);
            std::string part;
            while (std::getline(s, part, ':')) {
                p.push_back(part);
            }
            return p;
        }();
        const std::string field = parts.empty() ? std::string() : Upper(parts[0]);
        const int tagLine = lineNo;
        advanceTo(close + 1);
        if (field == "EOH") {
            fields.clear();
            recordLine = 0;
            continue;
        }
        if (field == "EOR") {
            LogQso q;
            q.line = recordLine != 0 ? recordLine : tagLine;
            std::string why;
            auto get = [&](const char* key) {
                auto found = fields.find(key);
                return found == fields.end() ? std::string() : found->second;
            };
            q.call = Upper(get("CALL"));
            double mhz = 0.0;
            const std::string freq = get("FREQ");
            const std::string band = get("BAND");
            if (q.call.empty()) {
                why = "record has no CALL";
            } else if (!ParseDate(get("QSO_DATE"), q.time)) {
                why = "QSO_DATE '" + get("QSO_DATE") + "' is not YYYYMMDD";
            } else if (!ParseClock(get("TIME_ON"), q.time) || !ValidTime(q.time)) {
                why = "TIME_ON '" + get("TIME_ON") + "' is not HHMM or HHMMSS";
            } else if (!freq.empty() && !ParseNumber(freq, mhz)) {
                why = "FREQ '" + freq + "' is not a number of MHz";
            } else if (freq.empty() && band.empty()) {
                why = "record has neither FREQ nor BAND";
            }
            if (!why.empty()) {
                problems.Add(q.line, why);
            } else {
                if (!freq.empty()) {
                    q.frequencyHz = HzOfKHz(mhz * 1000.0);
                    q.band = BandOfKHz(mhz * 1000.0);
                } else {
                    // Without a frequency the QSO is placed at the band's lower edge.
                    std::string lower = band;
                    for (char& c : lower) {
                        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                    }
                    q.band = lower;
                    for (const BandEdge& b : kBands) {
                        if (lower == b.name) {
                            q.frequencyHz = HzOfKHz(b.low);
                        }
                    }
                }
                const std::string mode = get("MODE");
                q.mode = ContestMode(mode.empty() ? get("SUBMODE") : mode);
                q.ownCall = Upper(get("STATION_CALLSIGN"));
                if (q.ownCall.empty()) {
                    q.ownCall = Upper(get("OPERATOR"));
                }
                q.rstSent = get("RST_SENT");
                q.rstRcvd = get("RST_RCVD");
                q.exchSent = get("STX_STRING");
                if (q.exchSent.empty()) {
                    q.exchSent = get("STX");
                }
                q.exchRcvd = get("SRX_STRING");
                if (q.exchRcvd.empty()) {
                    q.exchRcvd = get("SRX");
                }
                if (log.ownCall.empty()) {
                    log.ownCall = q.ownCall;
                }
                log.qsos.push_back(q);
            }
            fields.clear();
            recordLine = 0;
            continue;
        }
        if (parts.size() < 2) {
            continue;  // a tag without a length carries no value
        }
        if (!AllDigits(parts[1])) {
            problems.Add(tagLine,
                         "field " + field + " has length '" + parts[1] + "', not a number");
            continue;
        }
        const size_t length = static_cast<size_t>(std::strtoul(parts[1].c_str(), nullptr, 10));
        if (close + 1 + length > text.size()) {
            problems.Add(tagLine, "field " + field + " runs past the end of the file");
            fields.clear();
            break;
        }
        if (recordLine == 0) {
            recordLine = tagLine;
        }
        fields[field] = text.substr(close + 1, length);
        advanceTo(close + 1 + length);
    }
    if (!fields.empty()) {
        problems.Add(recordLine, "last record not closed with <EOR>");
    }
}

bool ContainsNoCase(const std::string& text, const std::string& upperNeedle) {
    return Upper(text).find(upperNeedle) != std::string::npos;
}

}  // namespace

std::string BandOfKHz(double kHz) {
    for (const BandEdge& b : kBands) {
        if (kHz >= b.low && kHz <= b.high) {
            return b.name;
        }
    }
    return std::string();
}

std::string ContestMode(const std::string& logMode) {
    std::string mode = Upper(logMode);
    if (mode == "PH" || mode == "SSB" || mode == "USB" || mode == "LSB") {
        return "SSB";
    }
    return mode;
}

bool ParseLog(const std::string& text, const std::string& name, ContestLog& log,
              std::string& error) {
    log = ContestLog();
    const size_t first = text.find_first_not_of(" \t\r\n\xef\xbb\xbf");
    const bool cabrilloStart =
        first != std::string::npos && Upper(text.substr(first, 13)) == "START-OF-LOG:";
    if (!cabrilloStart && (ContainsNoCase(text, "<EOR>") || ContainsNoCase(text, "<EOH>"))) {
        log.format = LogFormat::kAdif;
        ParseAdif(text, log);
        return true;
    }
    if (cabrilloStart || text.compare(first == std::string::npos ? 0 : first, 4, "QSO:") == 0 ||
        text.find("\nQSO:") != std::string::npos || text.find("\rQSO:") != std::string::npos) {
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
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) {
        error = path + ": is a folder, not a log";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path + ": cannot open the log";
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
