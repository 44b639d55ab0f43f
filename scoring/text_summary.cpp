// The tab-separated text form of the results summary; lines end in CR LF.
#include <climits>

#include "platform/plain_text.h"
#include "scoring/summary_layout.h"
#include "scoring/text_summary_format.h"

int PerHourFromTenMinutes(int tenMinuteCount) {
    const long long perHour = 6LL * tenMinuteCount;
    return perHour > INT_MAX ? INT_MAX : static_cast<int>(perHour);
}

namespace {

using plat::FormatText;

void Heading(std::string& out, const SummaryHeading& h) {
    out += FormatText("%s%s-%s\r\n%s%s \r\n%s\r\n", kSummaryContest, h.startDayMonth.c_str(),
                      h.endDate.c_str(), kSummaryContestant, h.ownCall.c_str(), kSummaryColumns);
}

void BandRow(std::string& out, const SummaryBandRow& r) {
    out += FormatText("%s\t %i\t %i\t %i\t %i\r\n", r.band.c_str(), r.qsos, r.points, r.dxcc,
                      r.counties);
}

void Totals(std::string& out, const SummaryTotals& t) {
    out +=
        FormatText("%s %i\t %i\t %i\t %i\r\n", kSummaryTotal, t.qsos, t.points, t.dxcc, t.counties);
    out += FormatText("%s %i\r\n", kSummaryDupe, t.dupes);
    out += FormatText("%s %i\r\n", kSummaryBadQso, t.badQsos);
    out +=
        FormatText("%s%i*(%i+%i) = %i\r\n", kSummaryScore, t.points, t.dxcc, t.counties, t.score);
    out += FormatText("%s%5i\r\n", kSummaryLastPoints, t.lastPoints);
    out += FormatText("%s\r\n", kSummaryRate);
    out += FormatText("%s%5i /%i\r\n", kSummaryQsoRate, t.q60, PerHourFromTenMinutes(t.q10));
    out += FormatText("%s%5i /%i\r\n", kSummaryPointsRate, t.p60, PerHourFromTenMinutes(t.p10));
}

}  // namespace

const SummaryLayout& TextSummaryLayout() {
    static const SummaryLayout layout{Heading, BandRow, Totals};
    return layout;
}
