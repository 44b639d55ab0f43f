#include "controls/drawn_rect.h"

namespace controls {

namespace {

plat::Colour PaletteGrey(unsigned level) {
    return plat::kPaletteRelative | plat::Rgb(level, level, level);
}

}  // namespace

void DrawnRect::Draw(plat::Canvas& dc, plat::Rect r, unsigned state, plat::Colour c) const {
    Fill(dc, r, c);
    DrawBorder(dc, r, 2);
    if ((state & plat::kItemFocus) == 0) {
        return;
    }
    if ((state & plat::kItemSelected) != 0) {
        DrawBorder(dc, r, -1);  // the outer ring sunken: the button looks pushed in
    }
    DrawFocus(dc, r.Deflated(2), c);
}

void DrawnRect::DrawBorder(plat::Canvas& dc, plat::Rect r, int depth) const {
    // Unsigned, so that the magnitude of the most negative depth exists.
    const unsigned rings =
        depth < 0 ? 0u - static_cast<unsigned>(depth) : static_cast<unsigned>(depth);
    for (unsigned i = 0; i < rings; ++i) {
        const plat::Rect ring = r.Deflated(static_cast<int>(i));
        // Rings further in than the middle would frame nothing.
        if (ring.IsEmpty()) {
            break;
        }
        plat::Colour light = plat::Rgb(255, 255, 255);
        plat::Colour dark = plat::Rgb(128, 128, 128);
        if (rings != 1) {
            light = PaletteGrey(63 / (i + 1) + 192);
            dark = PaletteGrey(255 / (i + 2));
        }
        if (depth >= 0) {
            dc.Draw3dRect(ring, light, dark);
        } else {
            dc.Draw3dRect(ring, dark, light);
        }
    }
}

void DrawnRect::Fill(plat::Canvas& dc, plat::Rect r, plat::Colour c) const {
    dc.FillSolidRect(r, c);
}

void DrawnRect::DrawFocus(plat::Canvas& dc, plat::Rect r, plat::Colour /*c*/) const {
    dc.DrawFocusRect(r);
}

}  // namespace controls
