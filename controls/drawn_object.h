// A button face of one shape: its fill, its raised or sunken border, its
// focus mark and its centred label. A primitive keeps no state: every pen
// or brush it makes is gone, and every pen it selects is put back, before
// an operation returns. Rectangles are taken by value so the caller's is
// never changed.
#pragma once

#include <string>

#include "platform/canvas.h"

namespace controls {

class DrawnObject {
  public:
    virtual ~DrawnObject() = default;

    // The whole face: fill, border and, with the focus bit of `state`, the
    // focus mark (and the pressed look with the selected bit as well).
    virtual void Draw(plat::Canvas& dc, plat::Rect r, unsigned state, plat::Colour c) const = 0;
    // One line of text centred in r, in colour c, on a transparent
    // background. The text ends at its first NUL. The text colour is put
    // back afterwards; the background mode stays transparent.
    virtual void DrawLabel(plat::Canvas& dc, plat::Rect r, const std::string& text,
                           plat::Colour c) const;
    // Raised for depth >= 0, sunken below 0.
    virtual void DrawBorder(plat::Canvas& dc, plat::Rect r, int depth) const = 0;
    virtual void Fill(plat::Canvas& dc, plat::Rect r, plat::Colour c) const = 0;
    virtual void DrawFocus(plat::Canvas& dc, plat::Rect r, plat::Colour c) const = 0;
};

}  // namespace controls
