// The HTML form of the results summary: fixed templates, byte for byte,
// with every inserted text escaped so that a call sign cannot add markup to
// the host's page.
#include "platform/html_text.h"
#include "platform/plain_text.h"
#include "scoring/summary_layout.h"

namespace {

using plat::FormatText;

const char* const kPageStart =
    "<html><head><style>table{ width:100%; }table, th, td{ border: 1px solid black; "
    "border-collapse: collapse; }th, td{ padding: 1px; text-align: middle; }th,td{ "
    "background-color: #fffac6; color: black}</style></head><body>";
const char* const kTitle =
    "<center><b>%s</b></center><center>Contestant:  <b>%s</center></b><table>";
const char* const kTitleText = "   VE-VU-RO VIVIDAD %s-%s";
const char* const kColumnHeads =
    "<tr><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th></tr>";
const char* const kCountsRow =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>%i</center></td>"
    "<td><center>%i</center></td><td><center>%i</center></td></tr>";
const char* const kCountRow =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td colspan=8> </td></tr>";
const char* const kScoreRow =
    "<tr><th>%s</th><td colspan=9><center>%i * (%i + %i) = %i</center></td></tr>";
const char* const kLastPointsRow =
    "<tr><th>%s</small></th><td colspan=9><center>%5i</center></td></tr>";
const char* const kRateHeading = "<th colspan=10><center>%s</center></th></tr>";
const char* const kRateRow = "<tr><th> %s </th><td colspan=9><center>%5i /%i</center></td></tr>";
const char* const kPageEnd = "</table></body></html>";

std::string Escaped(const std::string& text) {
    return plat::HtmlEscaped(text);
}

void Heading(std::string& out, const SummaryHeading& h) {
    out += kPageStart;
    const std::string title =
        FormatText(kTitleText, Escaped(h.startDayMonth).c_str(), Escaped(h.endDate).c_str());
    out += FormatText(kTitle, title.c_str(), Escaped(h.ownCall).c_str());
    out += FormatText(kColumnHeads, "Band", "QSOs", "Points", "DXCC", "YU-County");
}

void BandRow(std::string& out, const SummaryBandRow& r) {
    out += FormatText(kCountsRow, Escaped(r.band).c_str(), r.qsos, r.points, r.dxcc, r.counties);
}

void Totals(std::string& out, const SummaryTotals& t) {
    out += FormatText(kCountsRow, "Total", t.qsos, t.points, t.dxcc, t.counties);
    out += FormatText(kCountRow, "Dupe", t.dupes);
    out += FormatText(kCountRow, "Bad QSO", t.badQsos);
    out += FormatText(kScoreRow, "Score:", t.points, t.dxcc, t.counties, t.score);
    out += FormatText(kLastPointsRow, "Last QSO points:", t.lastPoints);
    out += FormatText(kRateHeading, "Rate");
    out += FormatText(kRateRow, "Hourly (10min/1 hour) QSO rate:", t.q60,
                      PerHourFromTenMinutes(t.q10));
    out += FormatText(kRateRow, "Hourly (10min/1 hour) pts rate:", t.p60,
                      PerHourFromTenMinutes(t.p10));
    out += kPageEnd;
}

}  // namespace

const SummaryLayout& HtmlSummaryLayout() {
    static const SummaryLayout layout{Heading, BandRow, Totals};
    return layout;
}
