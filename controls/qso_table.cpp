#include "controls/qso_table.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

namespace controls {

namespace {

// Row slots: the call and the titles in slot 0, bands 80m to 10m in slots
// 2 to 6. The text of a slot stands 5 pixels below its top.
constexpr int kRowSlots = 7;
constexpr int kTextInset = 5;
constexpr int kCellX[] = {20, 92, 168, 265};

constexpr int kListLeft = 5;
constexpr int kListTop = 15;
constexpr int kListCellWidth = 40;
constexpr int kListLineHeight = 15;

}  // namespace

bool DrawPrevQsoTable(plat::Canvas& dc, const plat::Rect& item, const QsoTableSnapshot& s) {
    dc.FillSolidRect(item, kTableBackground);
    const int h = item.bottom / kRowSlots;
    const int b = s.currentBandIndex;
    if (IsBandSlot(b)) {
        dc.FillSolidRect({0, (b + 1) * h + kTextInset, item.right, (b + 2) * h - kTextInset},
                         kTableHighlight);
    }
    dc.SetBackgroundMode(plat::BackgroundMode::kTransparent);

    const bool noCall = s.currentCall.empty();
    dc.TextOut(20, 32, "Band");
    dc.TextOut(100, 32, "CW");
    dc.TextOut(170, 5, noCall ? std::string(kNoCall) : s.currentCall);
    dc.TextOut(170, 32, "SSB");
    dc.TextOut(250, 32, "NR/County");

    for (int slot = 2; slot < kRowSlots; ++slot) {
        const std::vector<std::string>& row = s.prevQsoRows[static_cast<std::size_t>(slot - 1)];
        const std::size_t cells = std::min(row.size(), std::size(kCellX));
        for (std::size_t i = 0; i < cells; ++i) {
            dc.TextOut(kCellX[i], slot * h + kTextInset, row[i]);
        }
    }
    return noCall;
}

void DrawDxccList(plat::Canvas& dc, const plat::Rect& item, const QsoTableSnapshot& s) {
    dc.FillSolidRect(item, kWindowBackground);
    if (!IsBandSlot(s.currentBandIndex)) {
        return;
    }
    dc.SetBackgroundMode(plat::BackgroundMode::kTransparent);

    // Byte order, case-sensitive: digits before capitals. Equal prefixes
    // are the same bytes, so the order is the same whatever the sort.
    std::vector<std::string> prefixes = s.bandDxcc;
    std::sort(prefixes.begin(), prefixes.end());
    int x = kListLeft;
    int y = kListTop;
    for (const std::string& prefix : prefixes) {
        dc.TextOut(x, y, prefix);
        x += kListCellWidth;
        if (x > item.right - kListCellWidth) {
            y += kListLineHeight;
            x = kListLeft;
        }
    }
}

}  // namespace controls
