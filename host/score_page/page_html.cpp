#include "host/score_page/page_html.h"

#include "host/output_files.h"
#include "host/score_page/page_svg.h"
#include "host/score_page/page_text.h"
#include "scoring/contest_lists.h"

namespace host {
namespace {

// Texts from the log are cut to this many bytes (the soapbox has its own
// limit), so that one hostile field cannot swell the page.
constexpr size_t kFieldBytes = 200;

std::string Safe(const std::string& text, size_t maxBytes = kFieldBytes) {
    return HtmlText(CutText(text, maxBytes));
}

const char* const kStyle = R"(
:root{color-scheme:light;--ink:#1a1a1a;--muted:#555;--line:#d0d0d0;--tint:#f3f4f6;--bad:#a40000;--bad-bg:#fde2e2;--ok:#1b6e1b;--ok-bg:#e3f2e3}
*{box-sizing:border-box}
html{-webkit-text-size-adjust:100%}
body{margin:0;font:15px/1.45 system-ui,-apple-system,"Segoe UI",Roboto,"DejaVu Sans",sans-serif;color:var(--ink);background:#fff;overflow-wrap:anywhere}
main,header,footer{max-width:1200px;margin:0 auto;padding:0 16px}
header{padding-top:16px}
h1{font-size:1.6em;margin:0 0 4px}
h1 .contest{font-weight:normal;color:var(--muted);font-size:.75em}
h1 .dates{white-space:nowrap}
h2{font-size:1.2em;margin:24px 0 8px;border-bottom:2px solid var(--line);padding-bottom:2px}
h3{font-size:1em;margin:16px 0 6px}
.meta{margin:0;color:var(--muted)}
.top{display:grid;grid-template-columns:minmax(0,3fr) minmax(0,2fr);gap:0 32px}
.scroll{overflow-x:auto;max-width:100%;position:relative}
table{border-collapse:collapse;font-variant-numeric:tabular-nums;overflow-wrap:normal}
th,td{white-space:nowrap}
th,td{padding:3px 10px;border-bottom:1px solid var(--line);text-align:right}
th[scope=row],thead th:first-child{text-align:left}
thead th{border-bottom:2px solid var(--ink);font-weight:600}
tfoot th,tfoot td{border-top:2px solid var(--ink);font-weight:700}
dl.figures{display:grid;grid-template-columns:max-content minmax(0,1fr);gap:2px 16px;margin:12px 0 0}
dl.figures dt{color:var(--muted)}
dl.figures dd{margin:0;font-weight:600}
.soapbox{margin:8px 0 0;padding:6px 10px;border-left:3px solid var(--line);color:var(--muted);white-space:pre-wrap}
figure{margin:0}
svg.chart{display:block;width:100%;height:auto;max-height:70vh}
.chart text{font-size:12px;fill:var(--ink)}
.chart .grid line{stroke:#e2e2e2;stroke-width:1}
.chart .qsos,.chart .utc{text-anchor:end;dominant-baseline:middle}
.chart .points{text-anchor:start;dominant-baseline:middle}
.chart .axis-name{font-weight:600;dominant-baseline:auto;text-anchor:start}
.chart .axis-name.points{text-anchor:end}
.chart .hl{text-anchor:middle}
.chart .date{fill:var(--muted)}
.chart .day{stroke:#999;stroke-dasharray:4 3}
.chart .bars rect{stroke:#fff;stroke-width:.8}
.chart .points-line polyline{fill:none;stroke:var(--ink);stroke-width:2.2;stroke-linejoin:round}
.chart .points-line circle{fill:var(--ink)}
.legend{display:flex;flex-wrap:wrap;gap:4px 18px;margin:6px 0 0;padding:0;list-style:none}
.swatch{display:inline-block;width:14px;height:14px;margin-right:6px;vertical-align:-2px;border-radius:2px}
.swatch.line{height:3px;vertical-align:4px;background:var(--ink)}
.note{color:var(--bad)}
details{margin:8px 0}
summary{cursor:pointer;color:var(--muted)}
#county-grid th,#county-grid td{padding:2px 4px;text-align:center;font-size:.85em}
#county-grid thead th{writing-mode:vertical-rl;transform:rotate(180deg);height:3.6em;font-weight:600}
#county-grid thead th:first-child,#county-grid thead th:last-child{writing-mode:horizontal-tb;transform:none;height:auto}
#county-grid td.worked{background:var(--ok-bg);color:var(--ok)}
#county-grid td.missing{background:var(--bad-bg);color:var(--bad);font-weight:700}
.vh{position:absolute;width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0);white-space:nowrap}
.entities{display:grid;grid-template-columns:repeat(auto-fill,minmax(210px,1fr));gap:0 24px}
.entities ul{list-style:none;margin:0;padding:0;display:flex;flex-wrap:wrap;gap:3px}
.entities li{padding:0 5px;border:1px solid var(--line);border-radius:3px;font-size:.85em}
.entities h4{margin:12px 0 4px}
.entities h4 .swatch{width:10px;height:10px;vertical-align:0}
.modes td.bar{width:45%;min-width:120px}
.split{display:flex;height:12px;border:1px solid var(--line)}
.split .cw{background:#3b3b3b}
.split .ssb{background:#9aa0a6}
.problems{margin:0;padding-left:0;list-style:none}
.problems li{padding:2px 0;border-bottom:1px solid var(--tint)}
.problems .line{display:inline-block;min-width:6.5em;color:var(--muted);font-variant-numeric:tabular-nums}
footer{color:var(--muted);font-size:.85em;padding:24px 16px}
@media screen and (max-width:760px){
 body{font-size:14px}
 .top{grid-template-columns:minmax(0,1fr)}
 main,header,footer{padding:0 10px}
 .chart text{font-size:22px}
 .chart .hl:not(.major){display:none}
 th,td{padding:3px 6px}
}
@media screen and (max-width:480px){
 svg.chart{min-width:560px;max-height:none}
}
@media print{
 @page{size:A4;margin:12mm}
 body{font-size:9pt;-webkit-print-color-adjust:exact;print-color-adjust:exact}
 main,header,footer{max-width:none;padding:0}
 h2{margin:10px 0 4px}
 details,footer{display:none}
 svg.chart{max-height:72mm}
 .problems{columns:2;column-gap:8mm}
 .entities{grid-template-columns:repeat(5,minmax(0,1fr));gap:0 4mm}
 .entities li{font-size:7.5pt;padding:0 3px}
 #county-grid th,#county-grid td{padding:1px 2px;font-size:7pt}
 figure,table,.entities section,.problems li{break-inside:avoid}
 h2,h3,h4{break-after:avoid}
 .scroll{overflow:visible}
}
)";

std::string Cell(long value, const char* id = nullptr) {
    return std::string("<td") + (id != nullptr ? std::string(" id=\"") + id + "\"" : "") + ">" +
           std::to_string(value) + "</td>";
}

// A table's head: first, one column per name, last; then the body opens.
void HeadRow(const char* first, const char* const* names, size_t count, const char* last,
             std::string& out) {
    out += std::string("<thead><tr><th scope=\"col\">") + first + "</th>";
    for (size_t i = 0; i < count; ++i) {
        out += std::string("<th scope=\"col\">") + names[i] + "</th>";
    }
    out += std::string("<th scope=\"col\">") + last + "</th></tr></thead><tbody>";
}

void Header(const PageData& d, std::string& out) {
    out += "<header><h1><span id=\"own-call\">" + Safe(d.ownCall) +
           "</span> <span class=\"contest\">YU DX HF contest <span class=\"dates\">" +
           Safe(d.summary.dates) +
           "</span></span></h1><p class=\"meta\">Contest period <span id=\"period\">" +
           Safe(d.periodStart) + " to " + Safe(d.periodEnd) + " UTC</span> &middot; log <code>" +
           Safe(d.logName, 400) + "</code></p></header>";
}

void SummaryTable(const PageData& d, std::string& out) {
    const SummaryFigures& f = d.summary;
    out +=
        "<section aria-labelledby=\"h-summary\"><h2 id=\"h-summary\">Summary</h2>"
        "<div class=\"scroll\"><table id=\"summary\"><thead><tr><th scope=\"col\">Band</th>"
        "<th scope=\"col\">QSOs</th><th scope=\"col\">Points</th><th scope=\"col\">DXCC</th>"
        "<th scope=\"col\">Counties</th></tr></thead><tbody>";
    for (const SummaryBand& b : f.bands) {
        out += "<tr><th scope=\"row\">" + Safe(b.band) + "</th>" + Cell(b.qsos) + Cell(b.points) +
               Cell(b.dxcc) + Cell(b.counties) + "</tr>";
    }
    out += "</tbody><tfoot><tr><th scope=\"row\">Total</th>" + Cell(f.totals.qsos, "total-qsos") +
           Cell(f.totals.points, "total-points") + Cell(f.totals.dxcc, "total-dxcc") +
           Cell(f.totals.counties, "total-counties") + "</tr></tfoot></table></div>";
    auto figure = [&out](const char* name, const char* id, const std::string& value) {
        out += std::string("<dt>") + name + "</dt><dd id=\"" + id + "\">" + value + "</dd>";
    };
    out += "<dl class=\"figures\">";
    figure("Score", "score",
           std::to_string(f.totals.points) + " &times; (" + std::to_string(f.totals.dxcc) + " + " +
               std::to_string(f.totals.counties) + ") = <span id=\"score-value\">" +
               std::to_string(f.score) + "</span>");
    figure("Rules", "rules",
           d.rules == "2020"
               ? "the contest's rules since 2020" +
                     (d.entryBand.empty() ? std::string()
                                          : ": a " + Safe(d.entryBand) +
                                                " entry, scored on its band alone: "
                                                "<span id=\"entry-score\">" +
                                                std::to_string(d.entryScore) + "</span>")
               : std::string("the plug-in's own (classic)"));
    figure("Dupes", "dupes", std::to_string(f.dupes));
    figure("Bad QSOs", "bad-qsos", std::to_string(f.badQsos));
    figure("Last QSO points", "last-qso-points", std::to_string(f.lastQsoPoints));
    // A report run counts no rates: its zeros say nothing about the log.
    const std::string noRates = d.reportRun ? " (a report run counts no rates)" : "";
    figure("QSO rate", "qso-rate",
           std::to_string(f.qsosLastHour) + " in the last hour, " +
               std::to_string(f.qsosPerHourFromLast10Minutes) + "/h from the last 10 minutes" +
               noRates);
    figure("Points rate", "points-rate",
           std::to_string(f.pointsLastHour) + " in the last hour, " +
               std::to_string(f.pointsPerHourFromLast10Minutes) + "/h from the last 10 minutes" +
               noRates);
    out += "</dl></section>";
}

void Station(const PageData& d, std::string& out) {
    out +=
        "<section aria-labelledby=\"h-station\"><h2 id=\"h-station\">Station</h2>"
        "<dl class=\"figures\" id=\"categories\"><dt>Call</dt><dd>" +
        Safe(d.ownCall) + "</dd>";
    if (!d.name.empty()) {
        out += "<dt>Name</dt><dd id=\"name\">" + Safe(d.name) + "</dd>";
    }
    for (const auto& field : d.categories) {
        out += "<dt>" + Safe(field.first.substr(9)) + "</dt><dd>" + Safe(field.second) + "</dd>";
    }
    out += "</dl>";
    if (d.categories.empty()) {
        out += "<p class=\"meta\">The log names no category.</p>";
    }
    if (!d.soapbox.empty()) {
        out += "<p class=\"soapbox\" id=\"soapbox\">" + HtmlText(d.soapbox) +
               (d.soapboxCut ? " <em>(cut short)</em>" : "") + "</p>";
    }
    out += "</section>";
}

void Chart(const PageData& d, std::string& out) {
    out +=
        "<section aria-labelledby=\"h-chart\"><h2 id=\"h-chart\">QSOs per hour</h2><figure><div "
        "class=\"scroll\">" +
        HourChartSvg(d) + "</div><figcaption><ul class=\"legend\">";
    for (size_t b = 0; b < kPageBands; ++b) {
        out += std::string("<li><span class=\"swatch\" style=\"background:") + PageBandColour(b) +
               "\"></span>" + g_contestBandNames[b] + "</li>";
    }
    if (d.recountMatches) {
        out += "<li><span class=\"swatch line\"></span>points per hour (right scale)</li>";
    }
    out += "</ul></figcaption></figure>";
    if (!d.recountMatches) {
        out +=
            "<p class=\"note\" id=\"recount-note\">The QSOs counted for this page do not add "
            "up to the plug-in's summary (" +
            Safe(d.recountDifference) +
            "), so the points per hour are not shown; the summary above is the plug-in's.</p>";
    }
    if (d.qsosOutsideChart > 0) {
        out += "<p class=\"note\">" + std::to_string(d.qsosOutsideChart) +
               " counted QSOs lie outside the hours drawn.</p>";
    }
    out += "<details><summary>The chart as a table</summary><div class=\"scroll\"><table>";
    HeadRow("Hour (UTC)", g_contestBandNames, kPageBands,
            d.recountMatches ? "QSOs</th><th scope=\"col\">Points" : "QSOs", out);
    for (const PageHour& h : d.hours) {
        char hour[8];
        std::snprintf(hour, sizeof hour, " %02d:00", h.utcHour);
        out += "<tr><th scope=\"row\">" + Safe(h.date) + hour + "</th>";
        for (long n : h.qsos) {
            out += Cell(n);
        }
        out += Cell(h.total()) + (d.recountMatches ? Cell(h.points) : "") + "</tr>";
    }
    out += "</tbody></table></div></details></section>";
}

void CountyGrid(const PageData& d, std::string& out) {
    out +=
        "<h3>YU/YT counties worked (&#10003;) and missing (&#10007;)</h3>"
        "<div class=\"scroll\"><table id=\"county-grid\">";
    HeadRow("Band", g_countyCodes, kCountyCount, "Worked", out);
    for (size_t b = 0; b < kPageBands; ++b) {
        const std::vector<std::string>& worked = d.bands[b].counties;
        out += std::string("<tr><th scope=\"row\">") + g_contestBandNames[b] + "</th>";
        size_t next = 0;
        for (const char* code : g_countyCodes) {
            const bool has = next < worked.size() && worked[next] == code;
            next += has ? 1 : 0;
            out += has ? "<td class=\"county worked\"><span aria-hidden=\"true\">&#10003;</span>"
                         "<span class=\"vh\">worked</span></td>"
                       : "<td class=\"county missing\"><span aria-hidden=\"true\">&#10007;</span>"
                         "<span class=\"vh\">missing</span></td>";
        }
        out += "<td>" + std::to_string(worked.size()) + "/" + std::to_string(kCountyCount) +
               "</td></tr>";
    }
    out += "</tbody></table></div>";
}

void Entities(const PageData& d, std::string& out) {
    out += "<h3>DXCC entities worked</h3><div class=\"entities\" id=\"entities\">";
    for (size_t b = 0; b < kPageBands; ++b) {
        const std::vector<PageEntity>& list = d.bands[b].entities;
        out += std::string("<section><h4><span class=\"swatch\" style=\"background:") +
               PageBandColour(b) + "\"></span>" + g_contestBandNames[b] + " (" +
               std::to_string(list.size()) + ")</h4>";
        if (list.empty()) {
            out += "<p class=\"meta\">none</p></section>";
            continue;
        }
        out += "<ul>";
        for (const PageEntity& e : list) {
            const std::string prefix = e.prefix.empty() ? "(no entity)" : e.prefix;
            out += e.name.empty() ? "<li>" + Safe(prefix) + "</li>"
                                  : "<li title=\"" + Safe(e.name) + "\">" + Safe(prefix) +
                                        "<span class=\"vh\"> " + Safe(e.name) + "</span></li>";
        }
        out += "</ul></section>";
    }
    out += "</div>";
}

void Modes(const PageData& d, std::string& out) {
    out +=
        "<section aria-labelledby=\"h-modes\"><h2 id=\"h-modes\">CW and SSB</h2>"
        "<div class=\"scroll\"><table class=\"modes\" id=\"modes\"><thead><tr>"
        "<th scope=\"col\">Band</th><th scope=\"col\">CW</th><th scope=\"col\">SSB</th>"
        "<th scope=\"col\">Share (CW dark)</th></tr></thead><tbody>";
    for (size_t b = 0; b < kPageBands; ++b) {
        const PageBand& band = d.bands[b];
        const long all = band.cw + band.ssb;
        const long cwShare = all == 0 ? 0 : band.cw * 100 / all;
        out += std::string("<tr><th scope=\"row\">") + g_contestBandNames[b] + "</th>" +
               Cell(band.cw) + Cell(band.ssb) + "<td class=\"bar\">";
        if (all > 0) {
            out += "<div class=\"split\" aria-hidden=\"true\"><span class=\"cw\" style=\"width:" +
                   std::to_string(cwShare) +
                   "%\"></span><span class=\"ssb\" style=\"width:" + std::to_string(100 - cwShare) +
                   "%\"></span></div>";
        }
        out += "</td></tr>";
    }
    out += "</tbody></table></div></section>";
}

void Problems(const PageData& d, std::string& out) {
    // A QSO that is a dupe without a county stands under both kinds but
    // counts once.
    const size_t count = d.problemQsos;
    out +=
        "<section id=\"problems\" aria-labelledby=\"h-problems\"><h2 id=\"h-problems\">"
        "Problems (" +
        std::to_string(count) + ")</h2>";
    if (count == 0) {
        out += "<p>Every QSO scored on complete data.</p>";
    }
    for (const PageProblems& group : d.problems) {
        out += std::string("<h3 class=\"kind\">") + ProblemLabel(group.kind) + " (" +
               std::to_string(group.items.size()) + ")</h3><ul class=\"problems\">";
        for (const Problem& p : group.items) {
            out += "<li><span class=\"line\">line " + std::to_string(p.line) + "</span> " +
                   Safe(p.detail, 2 * kFieldBytes) + "</li>";
        }
        out += "</ul>";
    }
    out += "</section>";
}

}  // namespace

std::string ScorePageHtml(const PageData& d) {
    std::string out =
        "<!DOCTYPE html>\n<html lang=\"en\"><head><meta charset=\"utf-8\">"
        "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">"
        "<meta http-equiv=\"Content-Security-Policy\" content=\"default-src 'none'; "
        "style-src 'unsafe-inline'\"><title>" +
        Safe(d.ownCall) + ": YU DX HF contest " + Safe(d.summary.dates) + "</title><style>" +
        kStyle + "</style></head><body>";
    Header(d, out);
    out += "<main><div class=\"top\">";
    SummaryTable(d, out);
    Station(d, out);
    out += "</div>";
    Chart(d, out);
    out += "<section aria-labelledby=\"h-mults\"><h2 id=\"h-mults\">Multipliers per band</h2>";
    CountyGrid(d, out);
    Entities(d, out);
    out += "</section>";
    Modes(d, out);
    Problems(d, out);
    out +=
        "</main><footer>Made by stats-host from the plug-in's summary of this log.</footer>"
        "</body></html>\n";
    return out;
}

void WriteScorePage(const std::string& path, const PageData& d) {
    WriteOutputFile(path, ScorePageHtml(d), "page");
}

}  // namespace host
