// The tab-separated text form of the results summary; lines end in CR LF.
#include <climits>

#include "platform/plain_text.h"
#include "scoring/summary_layout.h"

int PerHourFromTenMinutes(int tenMinuteCount) {
    const long long perHour = 6LL * tenMinuteCount;
    return perHour > INT_MAX ? INT_MAX : static_cast<int>(perHour);
}

namespace {

using plat::FormatText;

void Heading(std::string& out, const SummaryHeading& h) {
    out += FormatText(
        "    DI-VE-RI  %s-%s\r\n\tContestant: %s \r\n\tQSOs\tPoints\tDXCC\tYU-County\r\n",
        h.startDayMonth.c_str(), h.endDate.c_str(), h.ownCall.c_str());
}

void BandRow(std::string& out, const SummaryBandRow& r) {
    out += FormatText("%s\t %i\t %i\t %i\t %i\r\n", r.band.c_str(), r.qsos, r.points, r.dxcc,
                      r.counties);
}

void Totals(std::string& out, const SummaryTotals& t) {
    out += FormatText("Total\t %i\t %i\t %i\t %i\r\n", t.qsos, t.points, t.dxcc, t.counties);
    out += FormatText("Dupe\t %i\r\n", t.dupes);
    out += FormatText("Bad QSO\t %i\r\n", t.badQsos);
    out += FormatText("Score: %i*(%i+%i) = %i\r\n", t.points, t.dxcc, t.counties, t.score);
    out += FormatText("Last QSO points: %5i\r\n", t.lastPoints);
    out += "Rate\r\n";
    out += FormatText("Hourly (10min/1 hour) QSO rate: %5i /%i\r\n", t.q60,
                      PerHourFromTenMinutes(t.q10));
    out += FormatText("Hourly (10min/1 hour) pts rate: %5i /%i\r\n", t.p60,
                      PerHourFromTenMinutes(t.p10));
}

}  // namespace

const SummaryLayout& TextSummaryLayout() {
    static const SummaryLayout layout{Heading, BandRow, Totals};
    return layout;
}
