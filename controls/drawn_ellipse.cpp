#include "controls/drawn_ellipse.h"

namespace controls {

namespace {

constexpr plat::Colour kOutlineGrey = plat::Rgb(128, 128, 128);
constexpr plat::Colour kNearBlack = plat::Rgb(1, 1, 1);

// Draws ellipses with a pen of its own, selected for the draw and deleted
// afterwards, with the previous pen put back.
class ScopedPen {
  public:
    ScopedPen(plat::Canvas& dc, plat::PenStyle style, int width, plat::Colour c)
        : dc_(dc), pen_(dc.CreatePen(style, width, c)), previous_(dc.SelectPen(pen_)) {}
    ~ScopedPen() {
        dc_.SelectPen(previous_);
        dc_.DeletePen(pen_);
    }
    ScopedPen(const ScopedPen&) = delete;
    ScopedPen& operator=(const ScopedPen&) = delete;

  private:
    plat::Canvas& dc_;
    plat::PenId pen_;
    plat::PenId previous_;
};

}  // namespace

void DrawnEllipse::Draw(plat::Canvas& dc, plat::Rect r, unsigned state, plat::Colour c) const {
    r = r.Deflated(1);
    DrawBorder(dc, r, 2);
    r = r.Deflated(1);
    Fill(dc, r, c);
    if ((state & plat::kItemFocus) == 0) {
        return;
    }
    if ((state & plat::kItemSelected) != 0) {
        DrawBorder(dc, r.Deflated(-1), -1);
        DrawBorder(dc, r, -1);
    }
    Fill(dc, r, c);
    r = r.Deflated(2);
    DrawFocus(dc, r, c);
    Fill(dc, r.Deflated(1), c);  // the inside of the focus ellipse in the face colour
}

void DrawnEllipse::DrawBorder(plat::Canvas& dc, plat::Rect r, int depth) const {
    ScopedPen pen(dc, plat::PenStyle::kSolid, 2, depth >= 0 ? kOutlineGrey : kNearBlack);
    dc.Ellipse(r);
}

void DrawnEllipse::Fill(plat::Canvas& dc, plat::Rect r, plat::Colour c) const {
    ScopedPen pen(dc, plat::PenStyle::kSolid, 3, c);
    // The emptiness test comes before each shrink, so the last ellipse is
    // drawn in a rectangle that is already empty.
    while (!r.IsEmpty()) {
        r = r.Deflated(1);
        dc.Ellipse(r);
    }
}

void DrawnEllipse::DrawFocus(plat::Canvas& dc, plat::Rect r, plat::Colour c) const {
    ScopedPen pen(dc, plat::PenStyle::kDot, 1, kNearBlack);
    dc.SetBackgroundMode(plat::BackgroundMode::kOpaque);
    dc.SetBackgroundColour(c);
    dc.Ellipse(r);
}

}  // namespace controls
