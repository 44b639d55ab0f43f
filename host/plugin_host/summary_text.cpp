#include "host/plugin_host/summary_text.h"

#include <cstdio>
#include <sstream>

#include "host/host_error.h"
#include "scoring/text_summary_format.h"

namespace host {
namespace {

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

[[noreturn]] void Unreadable(size_t line, const std::string& text) {
    throw PluginError("the plug-in's summary cannot be read at line " + std::to_string(line + 1) +
                      ": '" + text + "'");
}

bool Prefixed(const std::string& line, const char* prefix, std::string& rest) {
    const std::string p = prefix;
    if (line.compare(0, p.size(), p) != 0) {
        return false;
    }
    rest = line.substr(p.size());
    return true;
}

}  // namespace

SummaryFigures ReadSummary(const std::string& text) {
    const std::vector<std::string> lines = Lines(text);
    SummaryFigures f;
    size_t i = 0;
    // Heading: the contest with its dates, "\tContestant: CALL ", the column
    // names.
    if (lines.size() < 3 || !Prefixed(lines[0], kSummaryContest, f.dates)) {
        Unreadable(0, lines.empty() ? std::string() : lines[0]);
    }
    if (!Prefixed(lines[1], kSummaryContestant, f.ownCall) || f.ownCall.empty() ||
        f.ownCall.back() != ' ') {
        Unreadable(1, lines[1]);
    }
    f.ownCall.pop_back();
    i = 3;
    auto row = [&](SummaryBand& b) {
        char band[64] = {};
        int used = 0;
        const std::string& line = lines[i];
        if (line.size() >= sizeof band ||
            std::sscanf(line.c_str(), "%63[^\t]\t %ld\t %ld\t %ld\t %ld%n", band, &b.qsos,
                        &b.points, &b.dxcc, &b.counties, &used) != 5 ||
            static_cast<size_t>(used) != line.size()) {
            Unreadable(i, line);
        }
        b.band = band;
    };
    for (; i < lines.size() && lines[i].rfind(kSummaryTotal, 0) != 0; ++i) {
        f.bands.emplace_back();
        row(f.bands.back());
    }
    if (i + 8 > lines.size()) {
        Unreadable(i, i < lines.size() ? lines[i] : "");
    }
    row(f.totals);
    // The line at read with its label followed by format.
    auto scan = [&](size_t at, const char* label, const char* format, int count, long* a,
                    long* b = nullptr, long* c = nullptr, long* d = nullptr) {
        long ignored = 0;
        const std::string labelled = std::string(label) + format;
        if (std::sscanf(lines[at].c_str(), labelled.c_str(), a, b ? b : &ignored, c ? c : &ignored,
                        d ? d : &ignored) != count) {
            Unreadable(at, lines[at]);
        }
    };
    long points = 0, dxcc = 0, counties = 0;
    scan(i + 1, kSummaryDupe, " %ld", 1, &f.dupes);
    scan(i + 2, kSummaryBadQso, " %ld", 1, &f.badQsos);
    scan(i + 3, kSummaryScore, "%ld*(%ld+%ld) = %ld", 4, &points, &dxcc, &counties, &f.score);
    scan(i + 4, kSummaryLastPoints, " %ld", 1, &f.lastQsoPoints);
    scan(i + 6, kSummaryQsoRate, " %ld /%ld", 2, &f.qsosLastHour, &f.qsosPerHourFromLast10Minutes);
    scan(i + 7, kSummaryPointsRate, " %ld /%ld", 2, &f.pointsLastHour,
         &f.pointsPerHourFromLast10Minutes);
    return f;
}

}  // namespace host
