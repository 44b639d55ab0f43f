#include "host/results/results_json.h"

#include <charconv>
#include <cstdio>

#include "host/one_log/reports.h"
#include "host/output_files.h"
#include "host/results/standings.h"

namespace host {
namespace {

void AppendNumber(std::string& out, long long n) {
    char digits[24];
    out.append(digits, std::to_chars(digits, digits + sizeof digits, n).ptr);
}

std::string Figures(const PassFigures& f) {
    return "{\"qsos\": " + std::to_string(f.qsos) + ", \"points\": " + std::to_string(f.points) +
           ", \"multipliers\": " + std::to_string(f.multipliers) +
           ", \"score\": " + std::to_string(f.score) + "}";
}

std::string BandFigures(const SummaryBand& b) {
    return "{\"qsos\": " + std::to_string(b.qsos) + ", \"points\": " + std::to_string(b.points) +
           ", \"dxcc\": " + std::to_string(b.dxcc) +
           ", \"counties\": " + std::to_string(b.counties) + "}";
}

// The plug-in's own rows per band, claimed beside checked; the checked pass
// has a row for every band the claimed pass has, zero where nothing stood.
std::string PerBand(const CheckedLog& l) {
    std::string out = "[";
    for (size_t i = 0; i < l.claimed.bands.size(); ++i) {
        const SummaryBand& claimed = l.claimed.bands[i];
        out += std::string(i == 0 ? "" : ",") + "\n       {\"band\": " + JsonString(claimed.band) +
               ", \"claimed\": " + BandFigures(claimed) +
               ", \"checked\": " + BandFigures(CheckedBand(l, claimed.band)) + "}";
    }
    return out + "]";
}

// Each multiplier lost, with the first line that brought it and the others.
std::string LostMultipliers(const CheckedLog& l) {
    const std::vector<LostMultiplier>& lost = l.standing.lostMultipliers;
    std::string out = "[";
    for (size_t i = 0; i < lost.size(); ++i) {
        const LostMultiplier& m = lost[i];
        const CheckedQso& q = l.qsos[m.qso];
        out += std::string(i == 0 ? "" : ",") + "\n       {\"band\": " + JsonString(m.band) +
               ", \"kind\": " + (m.county ? "\"county\"" : "\"dxcc\"") +
               ", \"multiplier\": " + JsonString(m.multiplier) +
               ", \"entity\": " + JsonString(m.entity) + ", \"line\": " + std::to_string(q.line) +
               ", \"time\": " + JsonString(LoggedTime(q.qso->time)) +
               ", \"mode\": " + JsonString(q.qso->mode) + ", \"call\": " + JsonString(q.qso->call) +
               ", \"status\": " + JsonString(StatusName(q.verdict.status)) + ", \"other_lines\": [";
        for (size_t k = 0; k < m.otherLines.size(); ++k) {
            out += (k == 0 ? "" : ", ") + std::to_string(m.otherLines[k]);
        }
        out += "]}";
    }
    return out + "]";
}

std::string CategoryJson(const Standing& s) {
    const EntryCategory& c = s.category;
    return std::string("{\"letter\": ") +
           (c.letter != 0 ? JsonString(std::string(1, c.letter)) : "null") +
           ", \"section\": " + JsonString(SectionName(c.yu)) +
           ", \"ranked\": " + (s.ranked ? "true" : "false") +
           ", \"why_not_ranked\": " + JsonString(s.whyNotRanked) + "}";
}

std::string RanksJson(const Standing& s) {
    if (!s.ranked) {
        return "null";
    }
    return "{\"category\": " + std::to_string(s.ranks.category) +
           ", \"entity\": " + std::to_string(s.ranks.entity) +
           ", \"continent\": " + std::to_string(s.ranks.continent) + "}";
}

std::string Strings(const std::vector<std::string>& texts) {
    std::string out = "[";
    for (size_t i = 0; i < texts.size(); ++i) {
        out += (i == 0 ? "" : ", ") + JsonString(texts[i]);
    }
    return out + "]";
}

// The lines that do not stand over the lines cross-checked, to four places;
// null when no line was cross-checked.
std::string ErrorRate(const CheckedLog& l) {
    size_t wrong = 0;
    size_t checked = 0;
    if (!ErrorRateOf(l, wrong, checked)) {
        return "null";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.4f", static_cast<double>(wrong) / checked);
    return text;
}

// One log's object, appended to out: built as text, a million QSO lines
// cost far less so than through a stream.
void AppendLog(std::string& out, const CheckedLog& l) {
    const EntrantLog& e = *l.entrant;
    out += "    {\"file\": " + JsonString(e.file) + ", \"call\": " + JsonString(e.call) +
           ", \"entry_band\": " + (l.entryBand.empty() ? "null" : JsonString(l.entryBand)) +
           ", \"clock_offset_minutes\": " + std::to_string(l.clockOffset) +
           ",\n     \"categories\": {";
    for (size_t i = 0; i < e.categories.size(); ++i) {
        out += (i == 0 ? "" : ", ") + JsonString(e.categories[i].first) + ": " +
               JsonString(e.categories[i].second);
    }
    out += "},\n     \"clock_offset_found\": " + std::to_string(l.clockOffsetFound) +
           ",\n     \"category\": " + CategoryJson(l.standing) +
           ",\n     \"ranks\": " + RanksJson(l.standing) +
           ",\n     \"error_rate\": " + ErrorRate(l) +
           ",\n     \"warnings\": " + Strings(l.standing.warnings);
    out += ",\n     \"claimed\": " + Figures(l.claimed) +
           ",\n     \"checked\": " + Figures(l.checked) + ",\n     \"per_band\": " + PerBand(l) +
           ",\n     \"lost_multipliers\": " + LostMultipliers(l) + ",\n     \"counts\": {";
    for (size_t s = 1; s < kQsoStatuses; ++s) {
        out += (s == 1 ? "" : ", ") + JsonString(StatusKey(static_cast<QsoStatus>(s))) + ": " +
               std::to_string(l.counts[s]);
    }
    out += "},\n     \"qsos\": [";
    for (size_t i = 0; i < l.qsos.size(); ++i) {
        const CheckedQso& q = l.qsos[i];
        out += i == 0 ? "\n      {\"line\": " : ",\n      {\"line\": ";
        AppendNumber(out, q.line);
        if (q.qso != nullptr) {
            // A time as logged is digits and separators: nothing to escape.
            out += ", \"time\": \"";
            AppendLoggedTime(out, q.qso->time);
            out += "\", \"band\": ";
            AppendJsonString(out, q.qso->band);
            out += ", \"mode\": ";
            AppendJsonString(out, q.qso->mode);
            out += ", \"call\": ";
            AppendJsonString(out, q.qso->call);
        } else {
            out += R"(, "time": "", "band": "", "mode": "", "call": "")";
        }
        // The status names are plain words: nothing to escape.
        out += ", \"status\": \"";
        out += StatusName(q.verdict.status);
        out += "\", \"detail\": ";
        AppendJsonString(out, q.qso != nullptr ? q.verdict.detail : q.reason);
        out += '}';
    }
    out += l.qsos.empty() ? "]}" : "\n     ]}";
}

}  // namespace

void WriteResultsJson(const std::string& path, const CheckedContest& c) {
    OutputFile out(path, "JSON results");
    std::string text = "{\n  \"rules\": " + JsonString(RuleSetName(c.rules)) +
                       ",\n  \"period\": {\"start\": " + JsonString(FormatWhen(c.period.start)) +
                       ", \"end\": " + JsonString(FormatWhen(c.period.end)) +
                       ", \"chosen_by\": " + JsonString(c.period.fromQsos ? "qsos" : "options") +
                       "},\n" + "  \"time_window_minutes\": " + std::to_string(c.timeWindow) +
                       ", \"uniques\": " + JsonString(c.keepUniques ? "keep" : "remove") + ",\n" +
                       "  \"logs\": [";
    for (size_t i = 0; i < c.logs.size(); ++i) {
        text += i == 0 ? "\n" : ",\n";
        AppendLog(text, c.logs[i]);
        out.Write(text);
        text.clear();
    }
    text += c.logs.empty() ? "],\n" : "\n  ],\n";
    text += "  \"skipped\": [";
    for (size_t i = 0; i < c.skipped.size(); ++i) {
        text += (i == 0 ? "\n" : ",\n") + std::string("    {\"file\": ") +
                JsonString(c.skipped[i].file) + ", \"reason\": " + JsonString(c.skipped[i].reason) +
                "}";
    }
    text += c.skipped.empty() ? "],\n" : "\n  ],\n";
    text += "  \"review\": [";
    for (size_t i = 0; i < c.review.size(); ++i) {
        const ReviewEntry& r = c.review[i];
        text += (i == 0 ? "\n" : ",\n") + std::string("    {\"call\": ") + JsonString(r.call) +
                ", \"file\": " + JsonString(r.file) + ", \"reason\": " + JsonString(r.reason) +
                ", \"detail\": " + JsonString(r.detail) + "}";
    }
    text += c.review.empty() ? "]\n}\n" : "\n  ]\n}\n";
    out.Write(text);
    out.Commit();
}

}  // namespace host
