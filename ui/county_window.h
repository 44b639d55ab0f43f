// The county window (template 106): the 30 YU/YT counties as oval buttons,
// green while not worked on the radio's band, magenta with yellow text once
// the refresh marks them.
#pragma once

#include <array>

#include "controls/advanced_button.h"
#include "scoring/contest_lists.h"
#include "ui/info_window.h"
#include "ui/refresh_rules.h"

namespace ui {

// Button colours: background and text.
constexpr plat::Colour kCountyIdleBack = plat::Rgb(0x00, 0xFF, 0x00);
constexpr plat::Colour kCountyIdleText = plat::Rgb(0x01, 0x01, 0x01);
constexpr plat::Colour kCountyWorkedBack = plat::Rgb(0xFF, 0x00, 0xFF);
constexpr plat::Colour kCountyWorkedText = plat::Rgb(0xFF, 0xFF, 0x00);
constexpr plat::Colour kCountyDisabledText = plat::Rgb(0x80, 0x80, 0x80);

class YU_County : public InfoWindow {  // NOLINT(readability-identifier-naming)
  public:
    YU_County() : InfoWindow("yu_x", "yu_y") {}

    // Attaches the 30 buttons, green and oval, all marks clear.
    bool OnInitDialog(plat::DialogWindow& w) override;
    void OnDrawItem(plat::DialogWindow& w, int id, plat::Canvas& c, const plat::Rect& r,
                    unsigned state) override;
    void OnDestroy(plat::DialogWindow& w) override;

    // Clears all 30 marks and paints every button not worked.
    void ResetCountyMarks();
    // Marks county k (fixed county order) and paints its button worked.
    void MarkCounty(int k);
    const CountyMarks& Marks() const { return m_worked; }

  private:
    CountyMarks m_worked{};
    std::array<controls::CAdvancedButton, kCountyCount> m_countyButtons;
};

}  // namespace ui
