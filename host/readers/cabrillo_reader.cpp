#include "host/readers/cabrillo_reader.h"

#include <sstream>
#include <vector>

#include "host/readers/call_rule.h"
#include "host/readers/log_fields.h"
#include "platform/plain_text.h"

namespace host {
namespace {

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
    log.headerFields.emplace_back(tag.back() == ':' ? tag.substr(0, tag.size() - 1) : tag,
                                  plat::TrimBlanks(value));
}

bool IsCall(const std::string& word, const std::string& ownCall) {
    return BrokenCallRule(word, ownCall).empty();
}

// Why a QSO line's fields (after "QSO:") cannot be read as one QSO; "" when
// they can: frequency mode date time own-call rst exch call rst exch
// [transmitter].
std::string WrongColumns(const std::vector<std::string>& f) {
    // A word too many or too few before the call shows in which column
    // holds a call.
    if (f.size() >= 11 && !IsCall(f[7], f[4]) && IsCall(f[8], f[4])) {
        return "extra field: '" + f[7] + "' stands where the call belongs, the call " + f[8] +
               " one column later";
    }
    if (f.size() == 9 && IsCall(f[6], f[4]) && !IsCall(f[7], f[4])) {
        return "sent number missing: the call " + f[6] + " stands in its column";
    }
    if (f.size() == 9 && IsCall(f[7], f[4]) && !IsCall(f[6], f[4])) {
        return "received number missing: the line ends after the received RST";
    }
    if (f.size() < 10) {
        return "QSO line has " + std::to_string(f.size()) +
               " fields, expected 10 (frequency, mode, date, time, own call, RST and exchange "
               "sent, call, RST and exchange received)";
    }
    if (f.size() > 11) {
        return "QSO line has " + std::to_string(f.size()) + " fields, expected 10 or 11";
    }
    return std::string();
}

// Reads the fields of a QSO line into q; "" or why they cannot be read.
std::string ReadQsoFields(const std::vector<std::string>& f, LogQso& q) {
    std::string why = WrongColumns(f);
    if (!why.empty()) {
        return why;
    }
    double kHz = 0.0;
    if (!ParseNumber(f[0], kHz)) {
        return "frequency '" + f[0] + "' is not a number of kHz";
    }
    if (kHz < 1000.0) {
        kHz *= 1000.0;  // a VHF band written in MHz, such as 50 or 144
    }
    if (!HzOfKHz(kHz, q.frequencyHz)) {
        return "frequency '" + f[0] + "' does not fit (at most 4294967 kHz)";
    }
    if (!ParseDate(f[2], q.time)) {
        return "date '" + f[2] + "' is not YYYY-MM-DD";
    }
    if (!ValidTime(q.time)) {
        return "the day " + f[2] + " does not exist";
    }
    if (!ParseClock(f[3], q.time) || !ValidTime(q.time)) {
        return "time '" + f[3] + "' is not HHMM";
    }
    q.band = BandOfKHz(kHz);
    q.mode = ContestMode(f[1]);
    q.ownCall = plat::AsciiUpper(f[4]);
    q.rstSent = f[5];
    q.exchSent = f[6];
    q.call = plat::AsciiUpper(f[7]);
    q.rstRcvd = f[8];
    q.exchRcvd = f[9];
    FinishQso(q);
    return std::string();
}

}  // namespace

void ParseCabrillo(const std::string& text, ContestLog& log) {
    std::string line;
    int lineNo = 0;
    bool inHeader = true;
    int endLine = 0;        // the first END-OF-LOG:
    int firstAfterEnd = 0;  // the first QSO line after it
    int linesAfterEnd = 0;
    int callsignLine = 0;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find_first_of("\r\n", at);
        line.assign(text, at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? text.size() : end + LineEndAt(text, end);
        ++lineNo;
        std::istringstream words(line);
        std::string tag;
        if (!(words >> tag)) {
            continue;
        }
        tag = plat::AsciiUpper(tag);
        if (tag == "END-OF-LOG:") {
            endLine = endLine == 0 ? lineNo : endLine;
            continue;
        }
        if (tag == "CALLSIGN:") {
            std::string call;
            if (callsignLine == 0 && words >> call) {
                log.ownCall = plat::AsciiUpper(call);
                callsignLine = lineNo;
            }
            continue;
        }
        if (tag == "X-QSO:") {
            ++log.ignoredQsoLines;
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
        if (endLine != 0) {
            firstAfterEnd = firstAfterEnd == 0 ? lineNo : firstAfterEnd;
            ++linesAfterEnd;
        }
        std::vector<std::string> f;
        for (std::string word; words >> word;) {
            f.push_back(word);
        }
        LogQso q;
        q.line = lineNo;
        const std::string why = ReadQsoFields(f, q);
        if (why.empty()) {
            log.qsos.push_back(q);
        } else {
            log.problems.push_back({lineNo, why});
        }
    }
    if (linesAfterEnd > 0) {
        log.warnings.push_back(
            {firstAfterEnd,
             std::to_string(linesAfterEnd) + (linesAfterEnd == 1 ? " QSO line" : " QSO lines") +
                 " after END-OF-LOG: (line " + std::to_string(endLine) + "), read all the same"});
    }
    // The log was made under the call its QSO lines carry.
    size_t carrying = 0;
    const std::string qsoCall = QsoLinesCall(log.qsos, carrying);
    if (callsignLine != 0 && !qsoCall.empty() && qsoCall != log.ownCall) {
        const std::string which = carrying == log.qsos.size()
                                      ? std::string("the QSO lines")
                                      : "most QSO lines (" + std::to_string(carrying) + " of " +
                                            std::to_string(log.qsos.size()) + ")";
        log.warnings.push_back({callsignLine, "CALLSIGN: " + log.ownCall +
                                                  " differs from the own call on " + which + ", " +
                                                  qsoCall + "; taking " + qsoCall});
        log.ownCall = qsoCall;
    }
}

}  // namespace host
