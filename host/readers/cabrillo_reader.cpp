#include "host/readers/cabrillo_reader.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <sstream>
#include <string_view>
#include <utility>
#include <vector>

#include "host/readers/call_rule.h"
#include "host/readers/log_fields.h"
#include "host/run_beside.h"
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

// Blanks between the words of a line, as a stream reads words in the C
// locale; the line ends are not part of the line.
bool IsWordBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

// Where the line that starts at text[at] ends: its first CR or LF, or the
// end of the text.
size_t LineEnd(std::string_view text, size_t at) {
    for (; at < text.size(); ++at) {
        if (text[at] == '\n' || text[at] == '\r') {
            return at;
        }
    }
    return text.size();
}

struct Word {
    size_t begin = 0;
    size_t size = 0;  // 0: the line has no more words
};

// The next word of the line from pos on; pos moves past it. A line's words
// end at its CR or LF.
Word NextWord(std::string_view text, size_t& pos) {
    size_t at = pos;  // kept in a register while the line is scanned
    while (at < text.size() && IsWordBlank(text[at])) {
        ++at;
    }
    Word w{at, 0};
    while (at < text.size() && !IsWordBlank(text[at]) && text[at] != '\n' && text[at] != '\r') {
        ++at;
    }
    w.size = at - w.begin;
    pos = at;
    return w;
}

// Whether a word is "QSO:" in any case; told apart before a tag is copied,
// as most lines of a log are QSO lines.
bool IsQsoTag(std::string_view text, const Word& w) {
    return w.size == 4 && plat::AsciiUpper(text[w.begin]) == 'Q' &&
           plat::AsciiUpper(text[w.begin + 1]) == 'S' &&
           plat::AsciiUpper(text[w.begin + 2]) == 'O' && text[w.begin + 3] == ':';
}

// How many lines of the text could be QSO lines (their first word starts
// with "QSO:" in any case): room for the QSOs, found by a quick look at the
// start of each line. Only a hint: it counts lines up to an LF, so a log
// whose lines end in CR alone gets less room and grows as it is read.
size_t QsoLineCount(std::string_view text) {
    size_t count = 0;
    for (size_t at = 0; at < text.size();) {
        while (at < text.size() && (IsWordBlank(text[at]) || text[at] == '\r')) {
            ++at;
        }
        if (text.size() - at >= 4 && plat::AsciiUpper(text[at]) == 'Q' &&
            plat::AsciiUpper(text[at + 1]) == 'S' && plat::AsciiUpper(text[at + 2]) == 'O' &&
            text[at + 3] == ':') {
            ++count;
        }
        const size_t end = text.find('\n', at);
        at = end == std::string_view::npos ? text.size() : end + 1;
    }
    return count;
}

bool IsCall(std::string_view word, std::string_view ownCall) {
    return BrokenCallRule(std::string(word), std::string(ownCall)).empty();
}

// The word in capitals.
void AssignUpper(std::string& out, std::string_view word) {
    out.assign(word);
    for (char& c : out) {
        c = plat::AsciiUpper(c);
    }
}

// Why a QSO line's fields (after "QSO:") cannot be read as one QSO; "" when
// they can: frequency mode date time own-call rst exch call rst exch
// [transmitter].
std::string WrongColumns(const std::vector<std::string_view>& f) {
    // A word too many or too few before the call shows in which column
    // holds a call.
    if (f.size() >= 11 && !IsCall(f[7], f[4]) && IsCall(f[8], f[4])) {
        return "extra field: '" + std::string(f[7]) + "' stands where the call belongs, the call " +
               std::string(f[8]) + " one column later";
    }
    if (f.size() == 9 && IsCall(f[6], f[4]) && !IsCall(f[7], f[4])) {
        return "sent number missing: the call " + std::string(f[6]) + " stands in its column";
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

// Reads the fields of a QSO line (views into the log's text) into q; "" or
// why they cannot be read.
std::string ReadQsoFields(const std::vector<std::string_view>& f, LogQso& q) {
    std::string why = WrongColumns(f);
    if (!why.empty()) {
        return why;
    }
    double kHz = 0.0;
    if (!ParseNumber(f[0], kHz)) {
        return "frequency '" + std::string(f[0]) + "' is not a number of kHz";
    }
    if (kHz < 1000.0) {
        kHz *= 1000.0;  // a VHF band written in MHz, such as 50 or 144
    }
    if (!HzOfKHz(kHz, q.frequencyHz)) {
        return "frequency '" + std::string(f[0]) + "' does not fit (at most 4294967 kHz)";
    }
    if (!ParseDate(f[2], q.time)) {
        return "date '" + std::string(f[2]) + "' is not YYYY-MM-DD";
    }
    if (!ValidTime(q.time)) {
        return "the day " + std::string(f[2]) + " does not exist";
    }
    if (!ParseClock(f[3], q.time) || !ValidTime(q.time)) {
        return "time '" + std::string(f[3]) + "' is not HHMM";
    }
    q.band = BandOfKHz(kHz);
    q.mode = ContestMode(f[1]);
    AssignUpper(q.ownCall, f[4]);
    q.rstSent.assign(f[5]);
    q.exchSent.assign(f[6]);
    AssignUpper(q.call, f[7]);
    q.rstRcvd.assign(f[8]);
    q.exchRcvd.assign(f[9]);
    FinishQso(q);
    return std::string();
}

// What a stretch of a log's lines holds beyond what it puts in its log,
// each line number counted from the stretch's first line as line 1 (0:
// none).
struct Stretch {
    int lines = 0;
    int endLine = 0;        // the first END-OF-LOG:
    int firstAfterEnd = 0;  // the first QSO line after it
    int linesAfterEnd = 0;
    int callsignLine = 0;  // the first CALLSIGN: that names a call
    int firstQsoLine = 0;
    int qsoLines = 0;  // QSO: lines, readable or not
};

// A QSO line, its fields from pos on; pos moves to the line's end.
void ReadQsoLine(std::string_view text, size_t& pos, int lineNo, std::vector<std::string_view>& f,
                 ContestLog& log, Stretch& s) {
    s.firstQsoLine = s.firstQsoLine == 0 ? lineNo : s.firstQsoLine;
    ++s.qsoLines;
    if (s.endLine != 0) {
        s.firstAfterEnd = s.firstAfterEnd == 0 ? lineNo : s.firstAfterEnd;
        ++s.linesAfterEnd;
    }
    f.clear();
    for (Word w = NextWord(text, pos); w.size != 0; w = NextWord(text, pos)) {
        f.emplace_back(text.data() + w.begin, w.size);
    }
    // Read in place; taken back when the line cannot be read.
    LogQso& q = log.qsos.emplace_back();
    q.line = lineNo;
    const std::string why = ReadQsoFields(f, q);
    if (!why.empty()) {
        log.qsos.pop_back();
        log.problems.push_back({lineNo, why});
    }
}

// A line of another tag, its value from pos to end.
void ReadTagLine(std::string_view text, const Word& tagWord, size_t pos, size_t end, int lineNo,
                 ContestLog& log, Stretch& s) {
    const std::string tag = plat::AsciiUpper(std::string(text.substr(tagWord.begin, tagWord.size)));
    if (tag == "END-OF-LOG:") {
        s.endLine = s.endLine == 0 ? lineNo : s.endLine;
        return;
    }
    if (tag == "CALLSIGN:") {
        const Word call = NextWord(text, pos);
        if (s.callsignLine == 0 && call.size != 0) {
            log.ownCall = plat::AsciiUpper(std::string(text.substr(call.begin, call.size)));
            s.callsignLine = lineNo;
        }
        return;
    }
    if (tag == "X-QSO:") {
        // A QSO the log itself marks as not to be scored.
        ++log.ignoredQsoLines;
        return;
    }
    if (s.firstQsoLine == 0 && tag != "START-OF-LOG:") {
        const std::string value(text.substr(pos, end - pos));
        NoteHeaderField(tag, value, log);
        std::istringstream valueWords(value);
        NoteHeaderDates(tag, valueWords, log);
    }
}

// Reads the lines of text into log (its QSOs, problems, own call, X-QSO:
// lines, and the header lines before the stretch's first QSO line) and s.
void ReadStretch(std::string_view text, ContestLog& log, Stretch& s) {
    std::vector<std::string_view> f;  // a QSO line's fields after its tag
    int lineNo = 0;
    for (size_t at = 0; at < text.size();) {
        ++lineNo;
        size_t pos = at;
        const Word tagWord = NextWord(text, pos);
        // A blank line's words, and a QSO line's, stop at the line's end.
        size_t end = pos;
        if (IsQsoTag(text, tagWord)) {
            ReadQsoLine(text, pos, lineNo, f, log, s);
            end = pos;
        } else if (tagWord.size != 0) {
            end = LineEnd(text, pos);
            ReadTagLine(text, tagWord, pos, end, lineNo, log, s);
        }
        at = end == text.size() ? end : end + LineEndAt(text, end);
    }
    s.lines = lineNo;
}

// A line number of the stretch that follows one of `before` lines.
int After(int before, int line) {
    return line == 0 ? 0 : before + line;
}

// Moves what the stretch read after log's (s) holds into it, as if both had
// been read as one: the later stretch's header lines count only while no QSO
// line came before, its END-OF-LOG: and CALLSIGN: only when the first had
// none.
void JoinStretch(ContestLog& log, Stretch& s, ContestLog& later, const Stretch& t) {
    const int before = s.lines;
    for (LogQso& q : later.qsos) {
        q.line += before;
        log.qsos.push_back(std::move(q));
    }
    for (LogProblem& p : later.problems) {
        p.line += before;
        log.problems.push_back(std::move(p));
    }
    if (s.firstQsoLine == 0) {
        std::move(later.headerFields.begin(), later.headerFields.end(),
                  std::back_inserter(log.headerFields));
        log.headerDates.insert(log.headerDates.end(), later.headerDates.begin(),
                               later.headerDates.end());
    }
    log.ignoredQsoLines += later.ignoredQsoLines;
    if (s.callsignLine == 0 && t.callsignLine != 0) {
        log.ownCall = std::move(later.ownCall);
        s.callsignLine = After(before, t.callsignLine);
    }
    if (s.endLine != 0) {
        // Every QSO line of the later stretch comes after the END-OF-LOG:.
        s.firstAfterEnd = s.firstAfterEnd != 0 ? s.firstAfterEnd : After(before, t.firstQsoLine);
        s.linesAfterEnd += t.qsoLines;
    } else {
        s.endLine = After(before, t.endLine);
        s.firstAfterEnd = After(before, t.firstAfterEnd);
        s.linesAfterEnd = t.linesAfterEnd;
    }
    s.firstQsoLine = s.firstQsoLine != 0 ? s.firstQsoLine : After(before, t.firstQsoLine);
    s.qsoLines += t.qsoLines;
    s.lines += t.lines;
}

// What is said of the log as a whole once all its lines are read.
void FinishLog(ContestLog& log, const Stretch& s) {
    if (s.linesAfterEnd > 0) {
        log.warnings.push_back(
            {s.firstAfterEnd,
             std::to_string(s.linesAfterEnd) + (s.linesAfterEnd == 1 ? " QSO line" : " QSO lines") +
                 " after END-OF-LOG: (line " + std::to_string(s.endLine) + "), read all the same"});
    }
    // The log was made under the call its QSO lines carry; CALLSIGN: keeps a
    // tie.
    size_t carrying = 0;
    const std::string qsoCall = QsoLinesCall(log.qsos, carrying);
    if (s.callsignLine != 0 && !qsoCall.empty() && qsoCall != log.ownCall &&
        carrying > static_cast<size_t>(
                       std::count_if(log.qsos.begin(), log.qsos.end(),
                                     [&](const LogQso& q) { return q.ownCall == log.ownCall; }))) {
        const std::string which = carrying == log.qsos.size()
                                      ? std::string("the QSO lines")
                                      : "most QSO lines (" + std::to_string(carrying) + " of " +
                                            std::to_string(log.qsos.size()) + ")";
        log.warnings.push_back({s.callsignLine, "CALLSIGN: " + log.ownCall +
                                                    " differs from the own call on " + which +
                                                    ", " + qsoCall + "; taking " + qsoCall});
        log.ownCall = qsoCall;
    }
}

}  // namespace

void ParseCabrillo(const std::string& text, ContestLog& log) {
    if (text.size() > kCabrilloHalvesAbove) {
        ParseCabrilloInHalves(text, text.size() / 2, log);
        return;
    }
    Stretch s;
    log.qsos.reserve(QsoLineCount(text));
    ReadStretch(text, log, s);
    FinishLog(log, s);
}

void ParseCabrilloInHalves(const std::string& text, size_t cut, ContestLog& log) {
    const std::string_view all(text);
    const size_t lf = all.find('\n', cut == 0 ? 0 : cut - 1);
    const size_t split = lf == std::string_view::npos ? all.size() : lf + 1;
    const std::string_view first = all.substr(0, split);
    const std::string_view second = all.substr(split);
    size_t room = 0;
    size_t laterRoom = 0;
    RunBeside([&] { laterRoom = QsoLineCount(second); }, [&] { room = QsoLineCount(first); });
    log.qsos.reserve(room + laterRoom);
    Stretch s;
    Stretch t;
    ContestLog later;
    later.qsos.reserve(laterRoom);
    RunBeside([&] { ReadStretch(second, later, t); }, [&] { ReadStretch(first, log, s); });
    JoinStretch(log, s, later, t);
    // What is left of the later stretch is let go beside the last look.
    RunBeside([&] { later = ContestLog(); }, [&] { FinishLog(log, s); });
}

}  // namespace host
