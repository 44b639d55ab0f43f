#include "controls/drawn_object.h"

namespace controls {

void DrawnObject::DrawLabel(plat::Canvas& dc, plat::Rect r, const std::string& text,
                            plat::Colour c) const {
    const plat::Colour previous = dc.SetTextColour(c);
    dc.SetBackgroundMode(plat::BackgroundMode::kTransparent);
    dc.DrawCentredText(r, text.substr(0, text.find('\0')));
    dc.SetTextColour(previous);
}

}  // namespace controls
