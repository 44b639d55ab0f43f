// The DXCC window (template 105): the band's DXCC multipliers, or the
// previous-QSO grid while a call is typed and that window is closed.
#pragma once

#include "ui/info_window.h"

namespace ui {

class Multiplier : public InfoWindow {
  public:
    Multiplier() : InfoWindow("dxcc_x", "dxcc_y") {}
};

}  // namespace ui
