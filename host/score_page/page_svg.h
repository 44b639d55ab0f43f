// The score page's chart: QSOs per hour stacked by band, with the points per
// hour as a line, as inline SVG that scales with its box.
#pragma once

#include <string>

#include "host/score_page/page_data.h"

namespace host {

// The fill of a band's bars and swatches, "#rrggbb", by index into
// g_contestBandNames. Dark and light colours take turns so that neighbours in a
// stack stand apart; each has at least 3:1 contrast against white.
const char* PageBandColour(size_t band);

// The <svg> element: one <g class="hour"> per hour with QSOs, its bars in
// band order from the bottom, the points line when the recount matched the
// summary, and a <title> and <desc> as its text alternative.
std::string HourChartSvg(const PageData& d);

}  // namespace host
