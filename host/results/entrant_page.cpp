#include "host/results/entrant_page.h"

#include <vector>

#include "host/results/entrant_report.h"
#include "host/results/site_html.h"
#include "host/results/standings.h"
#include "platform/html_text.h"

namespace host {
namespace {

using plat::HtmlEscaped;

// A stranger's text may hold a word longer than a phone is wide.
const char* const kPageStyle = "p, li { overflow-wrap: anywhere; }\n";

std::string Text(const std::string& text) {
    return Cell(HtmlEscaped(text));
}

// The same cells appended to a row: a log of half a million lines has that
// many rows.
void AppendText(std::string& row, const std::string& text) {
    row += "<td>";
    row += HtmlEscaped(text);
    row += "</td>";
}
void AppendNumber(std::string& row, long value) {
    row += "<td class=\"n\">";
    row += std::to_string(value);
    row += "</td>";
}

std::string Heading(const std::string& title) {
    return "<h2>" + HtmlEscaped(title) + "</h2>\n";
}

std::string List(const char* cls, const std::vector<std::string>& items) {
    std::string text = "<ul class=\"" + std::string(cls) + "\">\n";
    for (const std::string& item : items) {
        text += "<li>" + HtmlEscaped(item) + "</li>\n";
    }
    return text + "</ul>\n";
}

std::string Bands(const CheckedLog& l) {
    if (l.claimed.bands.empty()) {
        return std::string();
    }
    std::string rows;
    for (const SummaryBand& c : l.claimed.bands) {
        const SummaryBand k = CheckedBand(l, c.band);
        rows += "<tr>" + Text(c.band) + Number(c.qsos) + Number(k.qsos) + Number(c.points) +
                Number(k.points) + Number(c.dxcc) + Number(k.dxcc) + Number(c.counties) +
                Number(k.counties) + "</tr>\n";
    }
    return Heading("Per band") +
           Table("bands",
                 {"Band", "QSOs claimed", "QSOs checked", "Points claimed", "Points checked",
                  "DXCC claimed", "DXCC checked", "Counties claimed", "Counties checked"},
                 rows);
}

std::string LostMultipliers(const CheckedLog& l) {
    if (l.standing.lostMultipliers.empty()) {
        return std::string();
    }
    std::string rows;
    for (const LostMultiplier& m : l.standing.lostMultipliers) {
        const CheckedQso& q = l.qsos[m.qso];
        std::string others;
        for (int line : m.otherLines) {
            others += (others.empty() ? "" : ", ") + std::to_string(line);
        }
        rows += "<tr>" + Text(m.band) + Text(MultiplierName(m)) + Number(q.line) +
                Text(LoggedTime(q.qso->time)) + Text(q.qso->mode) + Text(q.qso->call) +
                Text(StatusName(q.verdict.status)) + Text(others) + "</tr>\n";
    }
    return Heading(kLostMultipliersTitle) +
           Table("lost",
                 {"Band", "Multiplier", "Line", "Time", "Mode", "Call", "Status", "Also lines"},
                 rows);
}

std::string Sections(const CheckedLog& l, bool keepUniques) {
    std::string text;
    for (const QsoSection& s : QsoSections(keepUniques)) {
        std::string rows;
        for (const CheckedQso& q : l.qsos) {
            if (q.verdict.status == s.status && q.qso != nullptr) {
                rows += "<tr>";
                AppendNumber(rows, q.line);
                // A time as logged is digits and separators: nothing to escape.
                rows += "<td>";
                AppendLoggedTime(rows, q.qso->time);
                rows += "</td>";
                AppendText(rows, q.qso->band);
                AppendText(rows, q.qso->mode);
                AppendText(rows, q.qso->call);
                AppendText(rows, QsoDetail(s, q));
                rows += "</tr>\n";
            }
        }
        if (!rows.empty()) {
            text += Heading(s.title) +
                    Table("qsos", {"Line", "Time", "Band", "Mode", "Call", "Detail"}, rows);
        }
    }
    return text;
}

std::string Problems(const CheckedLog& l) {
    if (l.problems.empty()) {
        return std::string();
    }
    std::string rows;
    for (const Problem& p : l.problems) {
        rows += "<tr>" + Number(p.line) + Text(ProblemLabel(p.kind)) + Text(p.detail) + "</tr>\n";
    }
    return Heading(kProblemsTitle) + Table("problems", {"Line", "Kind", "Detail"}, rows);
}

}  // namespace

std::string EntrantPage(const CheckedLog& l, bool keepUniques) {
    std::string page =
        PageHead(l.entrant->call + ": contest results", kPageStyle) +
        "<p><a href=\"../index.html\">All results</a></p>\n<h1>" + HtmlEscaped(l.entrant->call) +
        "</h1>\n<p class=\"summary\">" +
        HtmlEscaped("Cross-check of " + l.entrant->call + " (" + l.entrant->file + ")");
    for (const std::string& line : SummaryLines(l)) {
        page += "<br>\n" + HtmlEscaped(line);
    }
    page += "<br>\n" + HtmlEscaped(ClockLine(l)) + "</p>\n";
    if (!l.standing.warnings.empty()) {
        page += Heading("Warnings") + List("warnings", l.standing.warnings);
    }
    page += Bands(l) + LostMultipliers(l) + Sections(l, keepUniques);
    if (!l.standing.copiedWrong.empty()) {
        page += Heading(kCopiedWrongTitle) + List("copied", l.standing.copiedWrong);
    }
    return page + Problems(l) + "</body>\n</html>\n";
}

}  // namespace host
