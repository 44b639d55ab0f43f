#include "host/score_page/page_svg.h"

#include <cstdio>

#include "host/score_page/page_text.h"

namespace host {
namespace {

constexpr const char* kColours[kPageBands] = {"#7b1f7b", "#3b6fe6", "#b07800", "#5e3b1c",
                                              "#dd3f78"};

// The drawing area in viewBox units.
constexpr double kWidth = 800;
constexpr double kHeight = 360;
constexpr double kLeft = 60;
constexpr double kRight = 64;
constexpr double kTop = 30;
constexpr double kBottom = 58;
constexpr double kPlotWidth = kWidth - kLeft - kRight;
constexpr double kPlotHeight = kHeight - kTop - kBottom;
constexpr long kTicks = 5;

std::string Num(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

// The smallest step of 1, 2 or 5 times a power of ten with which kTicks
// steps reach top.
long NiceStep(long top) {
    for (long power = 1;; power *= 10) {
        for (long factor : {1, 2, 5}) {
            if (factor * power * kTicks >= top || power > 100000000) {
                return factor * power;
            }
        }
    }
}

std::string HourTitle(const PageHour& h, bool withPoints) {
    char hour[8];
    std::snprintf(hour, sizeof hour, "%02d:00", h.utcHour);
    std::string t = h.date + " " + hour + " UTC: " + std::to_string(h.total()) + " QSOs (";
    for (size_t b = 0; b < kPageBands; ++b) {
        t += std::string(b == 0 ? "" : ", ") + g_contestBandNames[b] + " " +
             std::to_string(h.qsos[b]);
    }
    t += ")";
    if (withPoints) {
        t += ", " + std::to_string(h.points) + " points";
    }
    return t;
}

struct Scale {
    long qsoStep = 1;
    long pointStep = 1;
    double slot = 0;
    double QsoY(long qsos) const {
        return kTop + kPlotHeight -
               kPlotHeight * static_cast<double>(qsos) / static_cast<double>(qsoStep * kTicks);
    }
    double PointY(long points) const {
        return kTop + kPlotHeight -
               kPlotHeight * static_cast<double>(points) / static_cast<double>(pointStep * kTicks);
    }
};

// <text class="cls" x= y=>body</text>, body already escaped.
void AddText(std::string& svg, const char* cls, double x, const std::string& y,
             const std::string& body) {
    svg.append("<text class=\"").append(cls).append("\" x=\"").append(Num(x));
    svg.append("\" y=\"").append(y).append("\">").append(body).append("</text>");
}

void Axes(const PageData& d, const Scale& s, std::string& svg) {
    svg += "<g class=\"grid\">";
    for (long t = 0; t <= kTicks; ++t) {
        const std::string y = Num(s.QsoY(t * s.qsoStep));
        svg.append("<line x1=\"").append(Num(kLeft)).append("\" x2=\"");
        svg.append(Num(kLeft + kPlotWidth)).append("\" y1=\"").append(y);
        svg.append("\" y2=\"").append(y).append("\"/>");
        AddText(svg, "qsos", kLeft - 8, y, std::to_string(t * s.qsoStep));
        if (d.recountMatches) {
            AddText(svg, "points", kLeft + kPlotWidth + 8, y, std::to_string(t * s.pointStep));
        }
    }
    svg += "<text class=\"axis-name\" x=\"2\" y=\"" + Num(kTop - 14) + "\">QSOs</text>";
    if (d.recountMatches) {
        svg += "<text class=\"axis-name points\" x=\"" + Num(kWidth - 2) + "\" y=\"" +
               Num(kTop - 14) + "\">points</text>";
    }
    svg += "</g>";

    // Hour labels: a few on narrow screens (the major ones), more on wide.
    const size_t n = d.hours.size();
    const size_t minor = n <= 12 ? 1 : (n + 11) / 12;
    const size_t major = minor * 3;
    const std::string labelY = Num(kTop + kPlotHeight + 20);
    const std::string dateY = Num(kTop + kPlotHeight + 44);
    svg += "<g class=\"hours\"><text class=\"utc\" x=\"" + Num(kLeft - 8) + "\" y=\"" + labelY +
           "\">UTC</text>";
    for (size_t h = 0; h < n; ++h) {
        const double x = kLeft + s.slot * static_cast<double>(h);
        const bool midnight = d.hours[h].utcHour == 0;
        if (midnight && h > 0) {
            svg += "<line class=\"day\" x1=\"" + Num(x) + "\" x2=\"" + Num(x) + "\" y1=\"" +
                   Num(kTop) + "\" y2=\"" + Num(kTop + kPlotHeight + 30) + "\"/>";
        }
        if (midnight || h == 0) {
            svg += "<text class=\"date\" x=\"" + Num(x) + "\" y=\"" + dateY + "\">" +
                   HtmlText(d.hours[h].date) + "</text>";
        }
        if (h % minor == 0) {
            char label[4];
            std::snprintf(label, sizeof label, "%02d", d.hours[h].utcHour);
            svg += std::string("<text class=\"hl") + (h % major == 0 ? " major" : "") + "\" x=\"" +
                   Num(x + s.slot / 2) + "\" y=\"" + labelY + "\">" + label + "</text>";
        }
    }
    svg += "</g>";
}

void Bars(const PageData& d, const Scale& s, std::string& svg) {
    const double width = s.slot * 0.76;
    for (size_t h = 0; h < d.hours.size(); ++h) {
        const PageHour& hour = d.hours[h];
        if (hour.total() == 0) {
            continue;
        }
        svg += "<g class=\"hour\" data-hour=\"" + HtmlText(hour.date) + " " +
               std::to_string(hour.utcHour) + "\" data-qsos=\"" + std::to_string(hour.total()) +
               "\"><title>" + HtmlText(HourTitle(hour, d.recountMatches)) + "</title>";
        const double x = kLeft + s.slot * static_cast<double>(h) + (s.slot - width) / 2;
        long below = 0;
        for (size_t b = 0; b < kPageBands; ++b) {
            if (hour.qsos[b] == 0) {
                continue;
            }
            const double top = s.QsoY(below + hour.qsos[b]);
            svg += "<rect x=\"" + Num(x) + "\" y=\"" + Num(top) + "\" width=\"" + Num(width) +
                   "\" height=\"" + Num(s.QsoY(below) - top) + "\" fill=\"" + kColours[b] + "\"/>";
            below += hour.qsos[b];
        }
        svg += "</g>";
    }
}

void PointsLine(const PageData& d, const Scale& s, std::string& svg) {
    std::string points;
    std::string dots;
    for (size_t h = 0; h < d.hours.size(); ++h) {
        const std::string xy = Num(kLeft + s.slot * (static_cast<double>(h) + 0.5)) + "," +
                               Num(s.PointY(d.hours[h].points));
        points += (h == 0 ? "" : " ") + xy;
        const size_t comma = xy.find(',');
        dots += "<circle cx=\"" + xy.substr(0, comma) + "\" cy=\"" + xy.substr(comma + 1) +
                "\" r=\"2.6\"/>";
    }
    svg += "<g class=\"points-line\"><polyline points=\"" + points + "\"/>" + dots + "</g>";
}

std::string Description(const PageData& d) {
    long total = 0;
    size_t busiest = 0;
    size_t withQsos = 0;
    for (size_t h = 0; h < d.hours.size(); ++h) {
        total += d.hours[h].total();
        withQsos += d.hours[h].total() > 0 ? 1 : 0;
        busiest = d.hours[h].total() > d.hours[busiest].total() ? h : busiest;
    }
    std::string text = std::to_string(total) + " QSOs in " + std::to_string(withQsos) + " of " +
                       std::to_string(d.hours.size()) + " hours from " + d.periodStart + " UTC";
    if (total > 0) {
        text += "; the busiest hour " + HourTitle(d.hours[busiest], d.recountMatches);
    }
    text += d.recountMatches ? ". Bars by band; the line is the points per hour."
                             : ". Bars by band; no points line (see the note).";
    return text;
}

}  // namespace

const char* PageBandColour(size_t band) {
    return band < kPageBands ? kColours[band] : "#808080";
}

std::string HourChartSvg(const PageData& d) {
    Scale s;
    long mostQsos = 0;
    long mostPoints = 0;
    for (const PageHour& h : d.hours) {
        mostQsos = h.total() > mostQsos ? h.total() : mostQsos;
        mostPoints = h.points > mostPoints ? h.points : mostPoints;
    }
    s.qsoStep = NiceStep(mostQsos);
    s.pointStep = NiceStep(mostPoints);
    s.slot = kPlotWidth / static_cast<double>(d.hours.empty() ? 1 : d.hours.size());

    std::string svg = "<svg class=\"chart\" viewBox=\"0 0 " + Num(kWidth) + " " + Num(kHeight) +
                      "\" role=\"img\" aria-labelledby=\"chart-title chart-desc\" "
                      "xmlns=\"http://www.w3.org/2000/svg\">"
                      "<title id=\"chart-title\">QSOs per hour by band, and points per hour</title>"
                      "<desc id=\"chart-desc\">" +
                      HtmlText(Description(d)) + "</desc>";
    Axes(d, s, svg);
    svg += "<g class=\"bars\">";
    Bars(d, s, svg);
    svg += "</g>";
    if (d.recountMatches) {
        PointsLine(d, s, svg);
    }
    svg += "</svg>";
    return svg;
}

}  // namespace host
