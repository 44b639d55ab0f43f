// An oval button face: a solid ellipse painted by concentric rings of a
// wide pen, a grey or near-black outline and a dotted focus ellipse.
#pragma once

#include "controls/drawn_object.h"

namespace controls {

class DrawnEllipse : public DrawnObject {
  public:
    // A grey outline 1 pixel in, the fill inside it; when focused, a
    // near-black double outline if pressed, and the dotted focus ellipse
    // with the face colour repainted inside it.
    void Draw(plat::Canvas& dc, plat::Rect r, unsigned state, plat::Colour c) const override;
    // One ellipse with a 2-pixel pen, grey for depth >= 0 and near-black
    // below; the magnitude does not matter.
    void DrawBorder(plat::Canvas& dc, plat::Rect r, int depth) const override;
    // Ellipses in ever smaller rectangles with a 3-pixel pen of the colour,
    // until the rectangle is empty: a solid ellipse from 1 pixel inside r.
    void Fill(plat::Canvas& dc, plat::Rect r, plat::Colour c) const override;
    // A dotted near-black ellipse whose gaps take the colour c; leaves the
    // background opaque in c.
    void DrawFocus(plat::Canvas& dc, plat::Rect r, plat::Colour c) const override;
};

}  // namespace controls
