// A rectangular button face: a solid fill, a bevel of one-pixel rings and
// the platform's dotted focus frame.
#pragma once

#include "controls/drawn_object.h"

namespace controls {

class DrawnRect : public DrawnObject {
  public:
    // Fill, a raised two-ring bevel; when focused, the outer ring sunken if
    // pressed, and the focus frame 2 pixels inside.
    void Draw(plat::Canvas& dc, plat::Rect r, unsigned state, plat::Colour c) const override;
    // |depth| rings, each 1 pixel further in. One ring is white and grey;
    // more rings are palette-relative greys, lighter on the outside.
    void DrawBorder(plat::Canvas& dc, plat::Rect r, int depth) const override;
    void Fill(plat::Canvas& dc, plat::Rect r, plat::Colour c) const override;
    // The colour is not used: the focus frame is drawn by inverting.
    void DrawFocus(plat::Canvas& dc, plat::Rect r, plat::Colour c) const override;
};

}  // namespace controls
