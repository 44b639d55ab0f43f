// A libFuzzer target for the Cabrillo and ADIF readers: any bytes are read
// without a crash, and every QSO line (ADIF: every record) is either read,
// set aside for its call or reported with its line, exactly once.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "host/readers/call_rule.h"
#include "host/readers/exchange_text.h"
#include "host/readers/log_reader.h"

namespace {

void Fail(const char* what, int line) {
    std::fprintf(stderr, "log reader invariant broken: %s (line %d)\n", what, line);
    std::abort();
}

char Upper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}

// The lines whose first word is QSO:, each once; lines is set to the number
// of lines, CR LF, LF and CR alone each ending one.
std::map<int, int> CabrilloQsoLines(const std::string& text, int& lines) {
    std::map<int, int> qsoLines;
    int line = 1;
    for (size_t at = 0; at <= text.size();) {
        size_t end = at;
        while (end < text.size() && !IsLineEnd(text[end])) {
            ++end;
        }
        size_t word = at;
        while (word < end && (text[word] == ' ' || text[word] == '\t' || text[word] == '\v' ||
                              text[word] == '\f')) {
            ++word;
        }
        const char* tag = "QSO:";
        size_t i = 0;
        while (i < 4 && word + i < end && Upper(text[word + i]) == tag[i]) {
            ++i;
        }
        const size_t after = word + 4;
        if (i == 4 && (after == end || text[after] == ' ' || text[after] == '\t' ||
                       text[after] == '\v' || text[after] == '\f')) {
            qsoLines[line] = 0;
        }
        if (end == text.size()) {
            lines = line;
            break;
        }
        at = end + (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n' ? 2 : 1);
        ++line;
    }
    return qsoLines;
}

// ADIF records: each <EOR>, and a record the file ends in. Field values are
// skipped by their length; <EOH> drops what came before it as the header.
size_t AdifRecords(const std::string& text) {
    size_t records = 0;
    bool pending = false;
    size_t at = 0;
    while (true) {
        const size_t open = text.find('<', at);
        if (open == std::string::npos) {
            break;
        }
        const size_t close = text.find('>', open);
        if (close == std::string::npos) {
            pending = true;
            break;
        }
        std::string name;
        size_t i = open + 1;
        for (; i < close && text[i] != ':'; ++i) {
            name += Upper(text[i]);
        }
        at = close + 1;
        if (name == "EOH" || name == "EOR") {
            records += name == "EOR" ? 1 : 0;
            pending = false;
            continue;
        }
        if (i == close) {
            continue;
        }
        pending = true;
        size_t length = 0;
        size_t digits = 0;
        for (++i; i < close && text[i] != ':'; ++i, ++digits) {
            if (text[i] < '0' || text[i] > '9' || digits == 9) {
                digits = 10;
                break;
            }
            length = length * 10 + static_cast<size_t>(text[i] - '0');
        }
        if (digits == 0 || digits > 9) {
            continue;
        }
        if (length > text.size() - at) {
            break;
        }
        at += length;
    }
    return records + (pending ? 1 : 0);
}

void CheckQsos(const host::ContestLog& log, const std::string& ownCall) {
    for (const host::LogQso& q : log.qsos) {
        if (!host::BrokenCallRule(q.call, ownCall).empty()) {
            Fail("a QSO kept with a call that cannot be a call", q.line);
        }
        if (host::NormalisedExchange(q.exchRcvd) != q.exchRcvd ||
            host::NormalisedExchange(q.exchSent) != q.exchSent) {
            Fail("an exchange not in its normal form", q.line);
        }
        if ((q.mode == "CW" || q.mode == "SSB") && (q.rstSent.empty() || q.rstRcvd.empty())) {
            Fail("a CW or SSB QSO without a report", q.line);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string raw(reinterpret_cast<const char*>(data), size);
    host::ContestLog log;
    std::string error;
    if (!host::ParseLog(raw, "fuzz.log", log, error)) {
        if (error.empty() || !log.qsos.empty() || !log.problems.empty()) {
            Fail("a refused log with no reason, or with QSOs", 0);
        }
        return 0;
    }
    host::SetAsideBadCalls(log, log.ownCall);
    CheckQsos(log, log.ownCall);
    // The readers see the text without a UTF-8 byte order mark.
    const std::string text = raw.compare(0, 3, "\xef\xbb\xbf") == 0 ? raw.substr(3) : raw;
    int lines = 0;
    const std::map<int, int> expected = CabrilloQsoLines(text, lines);
    std::map<int, int> seen;
    size_t accounted = 0;
    auto note = [&](int line) {
        if (line < 1 || line > lines) {
            Fail("a line number outside the file", line);
        }
        ++seen[line];
        ++accounted;
    };
    for (const host::LogQso& q : log.qsos) {
        note(q.line);
    }
    for (const host::LogProblem& p : log.badCalls) {
        note(p.line);
    }
    for (const host::LogProblem& p : log.problems) {
        note(p.line);
    }
    for (const host::LogProblem& p : log.warnings) {
        if (p.line < 1 || p.line > lines) {
            Fail("a warning outside the file", p.line);
        }
    }
    if (log.format == host::LogFormat::kAdif) {
        if (accounted != AdifRecords(text)) {
            Fail("ADIF records read and reported do not add up to the records", 0);
        }
        return 0;
    }
    for (const auto& [line, count] : seen) {
        if (count != 1) {
            Fail("a QSO line read or reported twice", line);
        }
        if (expected.count(line) == 0) {
            Fail("a line read or reported that is no QSO line", line);
        }
    }
    for (const auto& entry : expected) {
        if (seen.count(entry.first) == 0) {
            Fail("a QSO line neither read nor reported", entry.first);
        }
    }
    return 0;
}
