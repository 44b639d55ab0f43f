// The county window (template 106): the 30 YU/YT counties, marked when
// worked on the radio's band.
#pragma once

#include "ui/info_window.h"

namespace ui {

class YU_County : public InfoWindow {  // NOLINT(readability-identifier-naming)
  public:
    YU_County() : InfoWindow("yu_x", "yu_y") {}
};

}  // namespace ui
