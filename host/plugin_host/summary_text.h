// The figures of the plug-in's text summary, read back from the text that
// GetResult0 returned, so that reports carry what the plug-in counted.
#pragma once

#include <string>
#include <vector>

namespace host {

struct SummaryBand {
    std::string band;
    long qsos = 0;
    long points = 0;
    long dxcc = 0;
    long counties = 0;
};

struct SummaryFigures {
    std::string dates;  // "14.02-15.02.2026"
    std::string ownCall;
    std::vector<SummaryBand> bands;  // in the summary's order
    SummaryBand totals;
    long dupes = 0;
    long badQsos = 0;
    long score = 0;
    long lastQsoPoints = 0;
    long qsosLastHour = 0;
    long qsosPerHourFromLast10Minutes = 0;
    long pointsLastHour = 0;
    long pointsPerHourFromLast10Minutes = 0;
};

// Reads the text form of the summary; throws PluginError naming the line
// when the text is not laid out as the plug-in lays it out.
SummaryFigures ReadSummary(const std::string& text);

}  // namespace host
