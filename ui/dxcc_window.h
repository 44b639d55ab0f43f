// The DXCC window (template 105): the band's DXCC multipliers, or the
// previous-QSO grid while a call is typed and that window is closed. Its
// table follows the window's size.
#pragma once

#include "ui/info_window.h"

namespace ui {

class Multiplier : public InfoWindow {
  public:
    Multiplier() : InfoWindow("dxcc_x", "dxcc_y") {}

    void OnSize(plat::DialogWindow& w, int cx, int cy) override;
    void OnDrawItem(plat::DialogWindow& w, int id, plat::Canvas& c, const plat::Rect& r,
                    unsigned state) override;
};

}  // namespace ui
