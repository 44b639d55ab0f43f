#include "host/cross_check/results_page.h"

#include <map>
#include <vector>

#include "host/cross_check/results_table.h"
#include "platform/html_text.h"

namespace host {
namespace {

using plat::HtmlEscaped;

const char* const kHead =
    "<!DOCTYPE html>\n<html lang=\"en\">\n<head>\n<meta charset=\"utf-8\">\n"
    "<title>Contest results after the cross-check</title>\n<style>\n"
    "body { font-family: sans-serif; margin: 1em 2em; }\n"
    "table { border-collapse: collapse; margin-bottom: 1.5em; }\n"
    "th, td { border: 1px solid #999; padding: 2px 8px; }\n"
    "td.n { text-align: right; }\n"
    "th { background: #eee; }\n"
    "</style>\n</head>\n<body>\n";

const char* const kColumns =
    "<tr><th>#</th><th>Call</th><th>Claimed score</th><th>Checked score</th>"
    "<th>QSOs claimed</th><th>QSOs checked</th><th>Not in log</th><th>Busted</th>"
    "<th>Uniques</th><th>Clock offset (min)</th></tr>\n";

std::string CategoryValue(const CheckedLog& l, const char* name) {
    for (const auto& category : l.entrant->categories) {
        if (category.first == name) {
            return category.second;
        }
    }
    return std::string("no ") + name;
}

std::string Cell(long value) {
    return "<td class=\"n\">" + std::to_string(value) + "</td>";
}

std::string Row(int place, const ResultsRow& r) {
    const std::string offset = (r.clockOffset > 0 ? "+" : "") + std::to_string(r.clockOffset);
    return "<tr>" + Cell(place) + "<td>" + HtmlEscaped(r.call) + "</td>" + Cell(r.claimedScore) +
           Cell(r.checkedScore) + Cell(r.claimedQsos) + Cell(r.checkedQsos) +
           Cell(static_cast<long>(r.nil)) + Cell(static_cast<long>(r.busted)) +
           Cell(static_cast<long>(r.uniques)) + "<td class=\"n\">" + offset + "</td></tr>\n";
}

}  // namespace

std::string ResultsPage(const CheckedContest& c) {
    // Category -> its logs, best first: the ranking taken apart.
    std::map<std::string, std::vector<const CheckedLog*>> sections;
    for (const CheckedLog* l : Ranked(c)) {
        sections[CategoryValue(*l, "CATEGORY-OPERATOR") + " " + CategoryValue(*l, "CATEGORY-MODE")]
            .push_back(l);
    }
    std::string page = kHead;
    page += "<h1>Contest results after the cross-check</h1>\n<p>Contest period " +
            FormatWhen(c.period.start) + " to " + FormatWhen(c.period.end) +
            " UTC; QSOs match within " + std::to_string(c.timeWindow) +
            " minutes after each log's clock offset; QSOs with a station no other log has are " +
            (c.keepUniques ? "kept" : "removed") + ". " + std::to_string(c.logs.size()) +
            " logs checked, " + std::to_string(c.skipped.size()) + " files not used.</p>\n";
    for (const auto& section : sections) {
        page += "<h2>" + HtmlEscaped(section.first) + "</h2>\n<table>\n" + kColumns;
        int place = 0;
        for (const CheckedLog* l : section.second) {
            page += Row(++place, RowOf(*l));
        }
        page += "</table>\n";
    }
    if (!c.skipped.empty()) {
        page += "<h2>Files not used</h2>\n<ul>\n";
        for (const SkippedFile& s : c.skipped) {
            page += "<li>" + HtmlEscaped(s.file) + ": " + HtmlEscaped(s.reason) + "</li>\n";
        }
        page += "</ul>\n";
    }
    return page + "</body>\n</html>\n";
}

}  // namespace host
