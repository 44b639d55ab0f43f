#include "host/results/site.h"

#include <filesystem>
#include <map>
#include <tuple>
#include <vector>

#include "host/cross_check/results_table.h"
#include "host/host_error.h"
#include "host/output_files.h"
#include "host/results/entrant_page.h"
#include "host/results/site_html.h"
#include "host/results/standings.h"
#include "host/results/ubn_files.h"
#include "platform/html_text.h"

namespace host {
namespace {

using plat::HtmlEscaped;

std::string LetterText(const Standing& s) {
    if (s.category.checklog) {
        return "checklog";
    }
    return s.category.letter == 0 ? "unknown" : std::string(1, s.category.letter);
}

class Index {
  public:
    Index(const CheckedContest& c, bool links) : c_(c), links_(links), ranked_(Ranked(c)) {
        const std::vector<std::string> stems = ReportStems(c);
        for (size_t i = 0; i < c.logs.size(); ++i) {
            stems_[&c.logs[i]] = stems[i];
        }
    }

    std::string Page() const {
        std::string page = PageHead("Contest results") +
                           "<h1>Contest results</h1>\n<p>Contest period " +
                           FormatWhen(c_.period.start) + " to " + FormatWhen(c_.period.end) +
                           " UTC; " + std::to_string(c_.logs.size()) + " logs checked.</p>\n";
        page += Categories() + Bests("DXCC entity", &Standing::entity, &Ranks::entity) +
                Bests("continent", &Standing::continent, &Ranks::continent) + Received();
        return page + "</body>\n</html>\n";
    }

  private:
    std::string Call(const CheckedLog& l) const {
        std::string call = HtmlEscaped(l.entrant->call);
        if (!links_) {
            return call;
        }
        return "<a href=\"entrants/" + HtmlEscaped(stems_.at(&l)) + ".html\">" + call + "</a>";
    }

    std::string Categories() const {
        std::string text;
        for (char letter = 'A'; letter <= 'M'; ++letter) {
            for (bool yu : {true, false}) {
                const std::vector<const CheckedLog*> table = CategoryTable(ranked_, letter, yu);
                if (table.empty()) {
                    continue;
                }
                text += "<h2 id=\"cat-" + std::string(1, letter) + "-" + SectionName(yu) + "\">" +
                        std::string(1, letter) + " " + CategoryTitle(letter) + ", " +
                        (yu ? "YU/YT" : "outside YU/YT") +
                        "</h2>\n<div class=\"table\"><table class=\"category\">\n"
                        "<tr><th>Rank</th><th>Call</th><th>Category</th><th>QSOs</th>"
                        "<th>Multipliers</th><th>Claimed score</th><th>Checked score</th>"
                        "<th>Error rate</th></tr>\n";
                for (const CheckedLog* l : table) {
                    text += "<tr>" + Number(l->standing.ranks.category) + Cell(Call(*l)) +
                            Cell(std::string(1, letter)) + Number(l->checked.qsos) +
                            Number(l->checked.multipliers) + Number(l->claimed.score) +
                            Number(l->checked.score) + Cell(ErrorRateText(*l), true) + "</tr>\n";
                }
                text += "</table></div>\n";
            }
        }
        return text;
    }

    // The first of each entity (or continent) within each letter and section.
    std::string Bests(const char* what, std::string Standing::*key, int Ranks::*place) const {
        std::string rows;
        for (const CheckedLog* l : ranked_) {
            const Standing& s = l->standing;
            if (s.ranked && s.ranks.*place == 1) {
                rows += "<tr>" + Cell(HtmlEscaped((s.*key).empty() ? "unknown" : s.*key)) +
                        Cell(std::string(1, s.category.letter)) +
                        Cell(s.category.yu ? "YU/YT" : "outside") + Cell(Call(*l)) +
                        Number(l->checked.score) + "</tr>\n";
            }
        }
        if (rows.empty()) {
            return std::string();
        }
        return std::string("<h2>Best of each ") + what +
               "</h2>\n<div class=\"table\"><table>\n<tr><th>" +
               (std::string(what) == "continent" ? "Continent" : "Entity") +
               "</th><th>Category</th><th>Section</th><th>Call</th><th>Checked score</th></tr>\n" +
               rows + "</table></div>\n";
    }

    std::string Received() const {
        std::string text =
            "<h2>Logs received</h2>\n<div class=\"table\"><table class=\"received\">\n"
            "<tr><th>Call</th><th>File</th><th>Category</th><th>Not ranked</th></tr>\n";
        std::string checklogs;
        std::map<std::string, const CheckedLog*> byCall;
        for (const CheckedLog& l : c_.logs) {
            byCall.emplace(l.entrant->call + "\t" + l.entrant->file, &l);
        }
        for (const auto& entry : byCall) {
            const CheckedLog& l = *entry.second;
            text += "<tr>" + Cell(Call(l)) + Cell(HtmlEscaped(l.entrant->file)) +
                    Cell(LetterText(l.standing)) + Cell(HtmlEscaped(l.standing.whyNotRanked)) +
                    "</tr>\n";
            if (l.standing.category.checklog) {
                checklogs += "<li>" + Call(l) + "</li>\n";
            }
        }
        text += "</table></div>\n";
        if (!checklogs.empty()) {
            text += "<h2>Checklogs</h2>\n<ul class=\"checklogs\">\n" + checklogs + "</ul>\n";
        }
        if (!c_.skipped.empty()) {
            text += "<h2>Files not used</h2>\n<ul>\n";
            for (const SkippedFile& s : c_.skipped) {
                text += "<li>" + HtmlEscaped(s.file) + ": " + HtmlEscaped(s.reason) + "</li>\n";
            }
            text += "</ul>\n";
        }
        return text;
    }

    const CheckedContest& c_;
    bool links_;
    std::map<const CheckedLog*, std::string> stems_;
    const std::vector<const CheckedLog*> ranked_;  // sorted once for every table
};

}  // namespace

std::string ResultsIndexPage(const CheckedContest& c, bool links) {
    return Index(c, links).Page();
}

void WriteSite(const std::string& dir, const CheckedContest& c) {
    std::error_code error;
    const std::string entrants = dir + "/entrants";
    std::filesystem::create_directories(entrants, error);
    if (error) {
        throw InputError(dir + ": cannot create the folder of the results: " + error.message());
    }
    WriteEntrantFiles(entrants, c, ".html", "page",
                      [&](const CheckedLog& l) { return EntrantPage(l, c.keepUniques); });
    WriteOutputFile(dir + "/index.html", ResultsIndexPage(c, true), "results index");
}

}  // namespace host
