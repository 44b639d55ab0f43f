// Each record is read whole or reported once, at the line of its first field.
#include "host/readers/adif_reader.h"

#include <cstdlib>
#include <initializer_list>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/readers/log_fields.h"
#include "platform/plain_text.h"

namespace host {
namespace {

bool IsBlankOrEnd(const std::string& text, size_t at) {
    return at >= text.size() || text[at] == ' ' || text[at] == '\t' || text[at] == '\r' ||
           text[at] == '\n' || text[at] == '<';
}

// The value as the log wrote it: up to the next tag, without the blanks
// before it.
std::string WrittenValue(const std::string& text, size_t from) {
    const size_t tag = text.find('<', from);
    return plat::TrimBlanks(text.substr(from, tag == std::string::npos ? tag : tag - from));
}

// What a length that does not match the value says: whether the value runs
// on past it or stops short of it, and the value (cut short).
std::string LengthMismatch(const std::string& length, size_t size, const std::string& written) {
    const std::string shown = written.size() > 40 ? written.substr(0, 40) : written;
    return ": length " + length + (written.size() < size ? " is longer" : " is shorter") +
           " than its value '" + shown + "'";
}

// "field CALL" and the rest of the sentence.
std::string FieldSays(const std::string& field, std::initializer_list<std::string> rest) {
    std::string out = "field " + field;
    for (const std::string& piece : rest) {
        out += piece;
    }
    return out;
}

using Fields = std::map<std::string, std::string>;

std::string Get(const Fields& fields, const char* key) {
    const auto found = fields.find(key);
    return found == fields.end() ? std::string() : found->second;
}

// A call field: trimmed, in capitals.
std::string CallField(const Fields& fields, const char* key) {
    return plat::AsciiUpper(plat::TrimBlanks(Get(fields, key)));
}

// Reads a complete record into q; "" or why it cannot be read. What was read
// all the same but deserves a word is added to notes.
std::string ReadRecord(const Fields& fields, LogQso& q, std::vector<std::string>& notes) {
    q.call = CallField(fields, "CALL");
    const std::string date = Get(fields, "QSO_DATE");
    const std::string clock = Get(fields, "TIME_ON");
    const std::string freq = Get(fields, "FREQ");
    const std::string band = Get(fields, "BAND");
    std::string mode = Get(fields, "MODE");
    mode = mode.empty() ? Get(fields, "SUBMODE") : mode;
    double mhz = 0.0;
    if (q.call.empty()) {
        return "record has no CALL";
    }
    if (date.empty()) {
        return "QSO_DATE missing";
    }
    if (!ParseDate(date, q.time)) {
        return "QSO_DATE '" + date + "' is not YYYYMMDD";
    }
    if (!ValidTime(q.time)) {
        return "QSO_DATE '" + date + "': the day does not exist";
    }
    if (clock.empty()) {
        return "TIME_ON missing";
    }
    if (!ParseClock(clock, q.time) || !ValidTime(q.time)) {
        return "TIME_ON '" + clock + "' is not HHMM or HHMMSS";
    }
    if (!freq.empty() && !ParseNumber(freq, mhz)) {
        return "FREQ '" + freq + "' is not a number of MHz";
    }
    if (!freq.empty() && !HzOfKHz(mhz * 1000.0, q.frequencyHz)) {
        return "FREQ '" + freq + "' does not fit (at most 4294.967 MHz)";
    }
    if (freq.empty() && band.empty()) {
        return "record has neither FREQ nor BAND";
    }
    if (mode.empty()) {
        return "MODE missing";
    }
    std::string bandName;
    for (char c : plat::TrimBlanks(band)) {
        bandName += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    }
    if (!freq.empty()) {
        q.band = BandOfKHz(mhz * 1000.0);
        if (!band.empty() && bandName != q.band) {
            notes.push_back("FREQ " + freq + " lies " +
                            (q.band.empty() ? std::string("on no amateur band") : "on " + q.band) +
                            ", BAND says " + band + "; taking FREQ");
        }
    } else {
        // Without a frequency the QSO is placed at the band's lower edge.
        q.band = bandName;
        unsigned hz = 0;
        q.frequencyHz = HzOfKHz(BandLowKHz(q.band), hz) ? hz : 0;
    }
    q.mode = ContestMode(mode);
    q.ownCall = CallField(fields, "STATION_CALLSIGN");
    if (q.ownCall.empty()) {
        q.ownCall = CallField(fields, "OPERATOR");
    }
    q.rstSent = Get(fields, "RST_SENT");
    q.rstRcvd = Get(fields, "RST_RCVD");
    q.exchSent = Get(fields, "STX_STRING");
    q.exchSent = q.exchSent.empty() ? Get(fields, "STX") : q.exchSent;
    q.exchRcvd = Get(fields, "SRX_STRING");
    q.exchRcvd = q.exchRcvd.empty() ? Get(fields, "SRX") : q.exchRcvd;
    FinishQso(q);
    return std::string();
}

// The record being read: its fields, the line of its first field, and the
// first reason it cannot be read.
struct Record {
    Fields fields;
    int line = 0;
    std::string broken;
    std::vector<std::string> notes;
    bool open = false;

    void Start(int at) {
        if (!open) {
            open = true;
            line = at;
        }
    }
    // A field on a later line than the record's first names its own line.
    void Break(int at, const std::string& why) {
        Start(at);
        if (broken.empty()) {
            broken = at == line ? why : why + " (line " + std::to_string(at) + ")";
        }
    }
};

}  // namespace

void ParseAdif(const std::string& text, ContestLog& log) {
    Record record;
    int lineNo = 1;
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
            record.Break(lineNo, "field tag not closed with '>'");
            break;
        }
        const std::string tag = text.substr(open + 1, close - open - 1);
        const size_t colon = tag.find(':');
        const std::string field = plat::AsciiUpper(tag.substr(0, colon));
        const int tagLine = lineNo;
        advanceTo(close + 1);
        if (field == "EOH") {
            record = Record();
            continue;
        }
        if (field == "EOR") {
            LogQso q;
            q.line = record.open ? record.line : tagLine;
            const std::string why =
                record.broken.empty() ? ReadRecord(record.fields, q, record.notes) : record.broken;
            if (why.empty()) {
                for (const std::string& note : record.notes) {
                    log.warnings.push_back({q.line, note});
                }
                log.qsos.push_back(std::move(q));
            } else {
                log.problems.push_back({q.line, why});
            }
            record = Record();
            continue;
        }
        if (colon == std::string::npos) {
            continue;  // a tag without a length carries no value
        }
        const size_t lengthEnd = tag.find(':', colon + 1);
        const std::string length = tag.substr(
            colon + 1, lengthEnd == std::string::npos ? std::string::npos : lengthEnd - colon - 1);
        if (!AllDigits(length) || length.size() > 9) {
            record.Break(tagLine, FieldSays(field, {" has length '", length, "', not a number"}));
            continue;
        }
        const size_t size = static_cast<size_t>(std::strtoul(length.c_str(), nullptr, 10));
        const size_t valueEnd = close + 1 + size;
        if (valueEnd > text.size()) {
            record.Break(tagLine, "field " + field + " runs past the end of the file");
            break;
        }
        record.Start(tagLine);
        if (!IsBlankOrEnd(text, valueEnd)) {
            record.Break(
                tagLine,
                FieldSays(field, {LengthMismatch(length, size, WrittenValue(text, close + 1))}));
        }
        std::string value = text.substr(close + 1, size);
        const auto earlier = record.fields.find(field);
        if (earlier != record.fields.end() && earlier->second != value) {
            record.notes.push_back(FieldSays(field, {" given twice, '", earlier->second, "' and '",
                                                     value, "'; taking the second"}));
        }
        record.fields[field] = std::move(value);
        advanceTo(valueEnd);
    }
    // The log was made under the call most of its records carry.
    size_t carrying = 0;
    log.ownCall = QsoLinesCall(log.qsos, carrying);
    if (record.open) {
        log.problems.push_back({record.line, record.broken.empty()
                                                 ? "last record not closed with <EOR>"
                                                 : record.broken});
    }
}

}  // namespace host
