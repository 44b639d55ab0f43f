#include "host/one_log/reports.h"

#include <algorithm>
#include <cstdio>
#include <iostream>

#include "host/counted.h"
#include "host/host_error.h"
#include "host/one_log/rules_choice.h"
#include "host/output_files.h"
#include "platform/ole_date.h"

namespace host {
namespace {

// "YU1AAA 40m CW 2026-02-14 1301"; a frequency on no band in kHz.
std::string Describe(const QsoFields& q) {
    const std::string band =
        q.band.empty() ? std::to_string(q.frequencyHz / 1000) + " kHz" : q.band;
    return q.call + " " + band + " " + q.mode + " " + plat::FormatOleDate(q.time, "%Y-%m-%d %H%M");
}

// The length of the UTF-8 sequence that starts text[at], or 0 when the
// bytes there are no valid UTF-8.
size_t Utf8Length(const std::string& text, size_t at) {
    const unsigned char lead = static_cast<unsigned char>(text[at]);
    size_t n = 0;
    unsigned min = 0;
    unsigned code = 0;
    if (lead < 0x80) {
        return 1;
    } else if (lead >= 0xc2 && lead <= 0xdf) {
        n = 2, min = 0x80, code = lead & 0x1fu;
    } else if (lead >= 0xe0 && lead <= 0xef) {
        n = 3, min = 0x800, code = lead & 0x0fu;
    } else if (lead >= 0xf0 && lead <= 0xf4) {
        n = 4, min = 0x10000, code = lead & 0x07u;
    } else {
        return 0;
    }
    if (at + n > text.size()) {
        return 0;
    }
    for (size_t i = 1; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[at + i]);
        if ((c & 0xc0u) != 0x80u) {
            return 0;
        }
        code = (code << 6) | (c & 0x3fu);
    }
    const bool surrogate = code >= 0xd800 && code <= 0xdfff;
    return code < min || code > 0x10ffff || surrogate ? 0 : n;
}

std::string BandFigures(const SummaryBand& b) {
    return "\"qsos\": " + std::to_string(b.qsos) + ", \"points\": " + std::to_string(b.points) +
           ", \"dxcc\": " + std::to_string(b.dxcc) +
           ", \"counties\": " + std::to_string(b.counties);
}

// The QSO lines of the log the .cbr does not hold, and why: the lines not
// passed to the plug-in, and the QSOs it refused (it keeps every QSO it
// stores).
std::string NotInCabrilloFile(const PreparedLog& p, const Session& s, const ProblemList& problems,
                              const std::string& cbrName) {
    const size_t badCalls = p.log.badCalls.size();
    const size_t lines = p.log.problems.size() + badCalls + p.qsos.size();
    const size_t unreadable = problems.Count(ProblemKind::kUnreadable);
    const size_t notPassed = p.qsos.size() - p.passed.size();
    const size_t outside = std::min(p.outside.size(), notPassed);
    size_t refused = 0;
    size_t byKind[kProblemKinds] = {};
    for (size_t k = 0; k < p.passed.size(); ++k) {
        if (s.Stored(k)) {
            continue;
        }
        ++refused;
        for (ProblemKind kind :
             {ProblemKind::kWrongBand, ProblemKind::kWrongMode, ProblemKind::kNoExchange}) {
            if ((s.Reasons(k) & MaskOf(kind)) != 0) {
                ++byKind[static_cast<size_t>(kind)];
                break;
            }
        }
    }
    const size_t missing = unreadable + badCalls + notPassed + refused;
    std::string text =
        Counted(missing, "QSO line") + " of " + std::to_string(lines) + " not in " + cbrName;
    if (missing == 0) {
        return text;
    }
    text += ": not passed: " + std::to_string(unreadable) + " unreadable, " +
            std::to_string(badCalls) + " bad call, " + std::to_string(outside) +
            " outside the period";
    if (notPassed > outside) {
        text += ", " + std::to_string(notPassed - outside) + " other";
    }
    text += "; refused by the plug-in:";
    for (ProblemKind kind :
         {ProblemKind::kWrongBand, ProblemKind::kWrongMode, ProblemKind::kNoExchange}) {
        text += std::string(kind == ProblemKind::kWrongBand ? " " : ", ") +
                std::to_string(byKind[static_cast<size_t>(kind)]) + " " + ProblemLabel(kind);
    }
    return text;
}

}  // namespace

// A JSON string. Bytes that are no UTF-8 (a file name in another code page)
// are read as Latin-1, each byte the character of its value.
std::string JsonString(const std::string& text) {
    std::string out;
    AppendJsonString(out, text);
    return out;
}

void AppendJsonString(std::string& out, const std::string& text) {
    out += '"';
    // Most texts are plain ASCII with nothing to escape: taken whole.
    size_t plain = 0;
    while (plain < text.size()) {
        const unsigned char u = static_cast<unsigned char>(text[plain]);
        if (u < 0x20 || u >= 0x80 || u == '"' || u == '\\') {
            break;
        }
        ++plain;
    }
    out.append(text, 0, plain);
    for (size_t at = plain; at < text.size();) {
        const char c = text[at];
        const unsigned char u = static_cast<unsigned char>(c);
        const size_t n = Utf8Length(text, at);
        char escaped[8];
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20 || n == 0) {
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out.append(text, at, n);
            at += n;
            continue;
        }
        ++at;
    }
    out += '"';
}

ProblemList ReadingProblems(const ContestLog& log) {
    ProblemList list;
    for (const LogProblem& problem : log.problems) {
        list.Add(problem.line, ProblemKind::kUnreadable, problem.reason);
    }
    for (const LogProblem& problem : log.badCalls) {
        list.Add(problem.line, ProblemKind::kBadCall, problem.reason);
    }
    return list;
}

ProblemList CollectProblems(const ContestLog& log, const std::vector<size_t>& outside,
                            const std::vector<size_t>& passed,
                            const std::function<const QsoFields&(size_t)>& qsoAt,
                            const std::function<bool(size_t)>& noCountry, const Session& s) {
    ProblemList list = ReadingProblems(log);
    for (size_t i : outside) {
        const QsoFields& q = qsoAt(i);
        list.Add(q.line, ProblemKind::kOutsidePeriod, Describe(q), static_cast<long>(i));
    }
    for (size_t k = 0; k < passed.size(); ++k) {
        const size_t i = passed[k];
        const bool none = noCountry(i);
        const ProblemMask reasons = s.Reasons(k);
        if (!none && reasons == 0) {
            continue;  // most QSOs: nothing to say, and nothing to make
        }
        const QsoFields& q = qsoAt(i);
        if (none) {
            list.Add(q.line, ProblemKind::kNoCountry,
                     Describe(q) + ", passed without a DXCC entity", static_cast<long>(i));
        }
        for (size_t kind = 0; kind < kProblemKinds; ++kind) {
            const ProblemKind pk = static_cast<ProblemKind>(kind);
            if ((reasons & MaskOf(pk)) == 0) {
                continue;
            }
            std::string detail = Describe(q);
            if (pk == ProblemKind::kNoCounty || pk == ProblemKind::kNotANumber) {
                detail += ", exchange '" + q.exchRcvd + "'";
            } else if (pk == ProblemKind::kNoExchange) {
                detail += ", exchange sent '" + q.exchSent + "', received '" + q.exchRcvd + "'";
            }
            list.Add(q.line, pk, detail, static_cast<long>(i));
        }
    }
    return list;
}

ProblemList CollectProblems(const PreparedLog& p, const Session& s) {
    return CollectProblems(
        p.log, p.outside, p.passed, [&p](size_t i) -> const QsoFields& { return p.qsos[i]; },
        [&p](size_t i) { return static_cast<bool>(p.noCountry[i]); }, s);
}

void WriteProblemsFile(const std::string& path, const std::string& logName, ProblemList& problems) {
    std::string text;
    for (const ProblemLine& problem : problems.ByQso()) {
        text += logName + ":" + std::to_string(problem.line) + ": " + problem.kinds + ": " +
                problem.detail + "\n";
    }
    WriteOutputFile(path, text, "problems list");
}

void ReportClosing(const PreparedLog& p, const Session& s, const ProblemList& problems,
                   const std::string& seeAlso, const std::string& cbrName) {
    const std::string note = RulesNote(p);
    if (!note.empty()) {
        std::cerr << "stats-host: note: " << note << "\n";
    }
    std::cerr << "stats-host: " << Counted(p.qsos.size(), "QSO") << " read, ";
    if (p.log.ignoredQsoLines > 0) {
        std::cerr << Counted(p.log.ignoredQsoLines, "X-QSO line") << " not scored, ";
    }
    std::cerr << p.qsos.size() - p.outside.size() << " in the contest period "
              << FormatWhen(p.period.start) << " to " << FormatWhen(p.period.end) << " ("
              << p.period.chosenBy << "), " << s.storedCount() << " stored";
    if (!p.timeOrdered) {
        std::cerr << ", replayed in time order (the log is not)";
    }
    std::cerr << "; problems: " << problems.CountsText(p.rules == RuleSet::k2020);
    if (!seeAlso.empty()) {
        std::cerr << " (" << seeAlso << ")";
    }
    if (!cbrName.empty()) {
        std::cerr << "; " << NotInCabrilloFile(p, s, problems, cbrName);
    }
    if (p.rules == RuleSet::k2020) {
        std::cerr << "; scored by the contest's rules since 2020"
                  << (p.entryBand.empty() ? "" : " as a " + p.entryBand + " entry");
    }
    std::cerr << "\n";
}

void WriteJsonFile(const std::string& path, const std::string& logName, const PreparedLog& p,
                   const Session& s, const SummaryFigures& f, const ProblemList& problems) {
    std::string j = "{\n";
    j += "  \"log\": " + JsonString(logName) + ",\n";
    j += "  \"own_call\": " + JsonString(f.ownCall) + ",\n";
    j += "  \"rules\": " + JsonString(RuleSetName(p.rules)) + ",\n";
    j += "  \"entry_band\": " + (p.entryBand.empty() ? "null" : JsonString(p.entryBand)) + ",\n";
    j += "  \"period\": {\"start\": " + JsonString(FormatWhen(p.period.start)) +
         ", \"end\": " + JsonString(FormatWhen(p.period.end)) +
         ", \"chosen_by\": " + JsonString(p.period.chosenBy) +
         ", \"summary_dates\": " + JsonString(f.dates) + "},\n";
    j += "  \"bands\": [";
    for (size_t i = 0; i < f.bands.size(); ++i) {
        j += std::string(i == 0 ? "\n" : ",\n") + "    {\"band\": " + JsonString(f.bands[i].band) +
             ", " + BandFigures(f.bands[i]) + "}";
    }
    j += f.bands.empty() ? "],\n" : "\n  ],\n";
    j += "  \"totals\": {" + BandFigures(f.totals) + "},\n";
    j += "  \"dupes\": " + std::to_string(f.dupes) + ",\n";
    j += "  \"bad_qsos\": " + std::to_string(f.badQsos) + ",\n";
    j += "  \"score\": " + std::to_string(EntryScore(f, p.entryBand)) + ",\n";
    j += "  \"all_bands_score\": " + std::to_string(f.score) + ",\n";
    j += "  \"last_qso_points\": " + std::to_string(f.lastQsoPoints) + ",\n";
    j += "  \"rates\": {\"qsos_last_hour\": " + std::to_string(f.qsosLastHour) +
         ", \"qsos_per_hour_from_last_10_minutes\": " +
         std::to_string(f.qsosPerHourFromLast10Minutes) +
         ", \"points_last_hour\": " + std::to_string(f.pointsLastHour) +
         ", \"points_per_hour_from_last_10_minutes\": " +
         std::to_string(f.pointsPerHourFromLast10Minutes) + "},\n";
    j += "  \"qsos\": {\"read\": " + std::to_string(p.qsos.size()) +
         ", \"in_period\": " + std::to_string(p.qsos.size() - p.outside.size()) +
         ", \"passed\": " + std::to_string(p.passed.size()) +
         ", \"stored\": " + std::to_string(s.storedCount()) + "},\n";
    j += "  \"problems\": {";
    for (size_t k = 0; k < kProblemKinds; ++k) {
        const ProblemKind kind = static_cast<ProblemKind>(k);
        j += std::string(k == 0 ? "" : ", ") + JsonString(ProblemKey(kind)) + ": " +
             std::to_string(problems.Count(kind));
    }
    j += "}\n}\n";
    WriteOutputFile(path, j, "JSON summary");
}

}  // namespace host
