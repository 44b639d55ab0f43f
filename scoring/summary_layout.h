// The two forms of the results summary: tab-separated text, and the HTML
// page for hosts that identified themselves. Both show the same numbers.
#pragma once

#include <string>

struct SummaryHeading {
    std::string startDayMonth;
    std::string endDate;
    std::string ownCall;
};

struct SummaryBandRow {
    std::string band;
    int qsos = 0;
    int points = 0;
    int dxcc = 0;
    int counties = 0;
};

struct SummaryTotals {
    int qsos = 0;
    int points = 0;
    int dxcc = 0;
    int counties = 0;
    int dupes = 0;
    int badQsos = 0;
    int score = 0;
    int entryScore = 0;  // the band's score for a single-band entry, else the score
    int lastPoints = 0;
    int q60 = 0;
    int q10 = 0;  // QSOs of the last ten minutes, not yet scaled to an hour
    int p60 = 0;
    int p10 = 0;
};

struct SummaryLayout {
    void (*heading)(std::string& out, const SummaryHeading& heading);
    void (*bandRow)(std::string& out, const SummaryBandRow& row);
    void (*totals)(std::string& out, const SummaryTotals& totals);
};

const SummaryLayout& TextSummaryLayout();
const SummaryLayout& HtmlSummaryLayout();

// An hourly figure projected from ten minutes, kept within the int range.
int PerHourFromTenMinutes(int tenMinuteCount);
