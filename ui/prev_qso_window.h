// The previous-QSO window (template 108): when and on which bands and modes
// the typed call was worked before.
#pragma once

#include "ui/info_window.h"

namespace ui {

class Prev_QSO : public InfoWindow {  // NOLINT(readability-identifier-naming)
  public:
    Prev_QSO() : InfoWindow("prev_x", "prev_y") {}
    void OnDrawItem(plat::DialogWindow& w, int id, plat::Canvas& c, const plat::Rect& r,
                    unsigned state) override;
    // Lowers prevQsoWindowOpen, unless a newer previous-QSO window already
    // took this one's place.
    void OnDestroy(plat::DialogWindow& w) override;
};

}  // namespace ui
