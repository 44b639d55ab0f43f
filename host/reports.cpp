#include "host/reports.h"

#include <cstdio>
#include <fstream>
#include <iostream>

#include "host/host_error.h"
#include "platform/ole_date.h"

namespace host {
namespace {

// "YU1AAA 40m CW 2026-02-14 1301"; a frequency on no band in kHz.
std::string Describe(const QsoFields& q) {
    const std::string band =
        q.band.empty() ? std::to_string(q.frequencyHz / 1000) + " kHz" : q.band;
    return q.call + " " + band + " " + q.mode + " " + plat::FormatOleDate(q.time, "%Y-%m-%d %H%M");
}

void WriteFile(const std::string& path, const std::string& text, const char* what) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        throw InputError(path + ": cannot write the " + what);
    }
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (u < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
            out += escaped;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

std::string BandFigures(const SummaryBand& b) {
    return "\"qsos\": " + std::to_string(b.qsos) + ", \"points\": " + std::to_string(b.points) +
           ", \"dxcc\": " + std::to_string(b.dxcc) +
           ", \"counties\": " + std::to_string(b.counties);
}

}  // namespace

ProblemList CollectProblems(const PreparedLog& p, const Session& s) {
    ProblemList list;
    for (const LogProblem& problem : p.log.problems) {
        list.Add(problem.line, ProblemKind::kUnreadable, problem.reason);
    }
    for (const LogProblem& problem : p.log.badCalls) {
        list.Add(problem.line, ProblemKind::kBadCall, problem.reason);
    }
    for (size_t i : p.outside) {
        list.Add(p.log.qsos[i].line, ProblemKind::kOutsidePeriod, Describe(p.qsos[i]));
    }
    for (size_t k = 0; k < p.passed.size(); ++k) {
        const size_t i = p.passed[k];
        const int line = p.log.qsos[i].line;
        const QsoFields& q = p.qsos[i];
        if (p.noCountry[i]) {
            list.Add(line, ProblemKind::kNoCountry, Describe(q) + ", passed without a DXCC entity");
        }
        const ProblemMask reasons = s.Reasons(k);
        for (size_t kind = 0; kind < kProblemKinds; ++kind) {
            const ProblemKind pk = static_cast<ProblemKind>(kind);
            if ((reasons & MaskOf(pk)) == 0) {
                continue;
            }
            std::string detail = Describe(q);
            if (pk == ProblemKind::kNoCounty) {
                detail += ", exchange '" + q.exchRcvd + "'";
            } else if (pk == ProblemKind::kNoExchange) {
                detail += ", exchange sent '" + q.exchSent + "', received '" + q.exchRcvd + "'";
            }
            list.Add(line, pk, detail);
        }
    }
    return list;
}

void WriteProblemsFile(const std::string& path, const std::string& logName, ProblemList& problems) {
    std::string text;
    for (const Problem& problem : problems.Sorted()) {
        text += logName + ":" + std::to_string(problem.line) + ": " + ProblemLabel(problem.kind) +
                ": " + problem.detail + "\n";
    }
    WriteFile(path, text, "problems list");
}

void ReportClosing(const PreparedLog& p, const Session& s, const ProblemList& problems,
                   const std::string& seeAlso) {
    std::cerr << "stats-host: " << p.qsos.size() << " QSOs read, "
              << p.qsos.size() - p.outside.size() << " in the contest period, " << s.storedCount()
              << " stored; problems: " << problems.CountsText();
    if (!seeAlso.empty()) {
        std::cerr << " (" << seeAlso << ")";
    }
    std::cerr << "\n";
}

void WriteJsonFile(const std::string& path, const std::string& logName, const PreparedLog& p,
                   const Session& s, const SummaryFigures& f, const ProblemList& problems) {
    std::string j = "{\n";
    j += "  \"log\": " + JsonString(logName) + ",\n";
    j += "  \"own_call\": " + JsonString(f.ownCall) + ",\n";
    j += "  \"period\": {\"start\": " + JsonString(FormatWhen(p.period.start)) +
         ", \"end\": " + JsonString(FormatWhen(p.period.end)) +
         ", \"chosen_by\": " + JsonString(p.period.fromQsos ? "qsos" : "options") +
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
    j += "  \"score\": " + std::to_string(f.score) + ",\n";
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
    WriteFile(path, j, "JSON summary");
}

}  // namespace host
