#include "ui/county_window.h"

#include <cstddef>

#include "ui/dialog_tables.h"
#include "ui/handler_guard.h"

namespace ui {

bool YU_County::OnInitDialog(plat::DialogWindow& w) {
    for (size_t i = 0; i < m_countyButtons.size(); ++i) {
        controls::CAdvancedButton& button = m_countyButtons[i];
        button.AttachToItem(kIdFirstCounty + static_cast<int>(i), w, kCountyIdleBack,
                            kCountyIdleText, kCountyDisabledText);
        button.SetShape(controls::CAdvancedButton::ShapeEllipse);
    }
    return InfoWindow::OnInitDialog(w);
}

void YU_County::OnDrawItem(plat::DialogWindow&, int id, plat::Canvas& c, const plat::Rect& r,
                           unsigned state) {
    const int k = id - kIdFirstCounty;
    if (k >= 0 && k < kCountyCount) {
        Guarded([&] { m_countyButtons[static_cast<size_t>(k)].DrawItem(c, r, state); });
    }
}

void YU_County::OnDestroy(plat::DialogWindow& w) {
    for (controls::CAdvancedButton& button : m_countyButtons) {
        button.Detach();
    }
    InfoWindow::OnDestroy(w);
}

void YU_County::ResetCountyMarks() {
    m_worked = CountyMarks();
    for (controls::CAdvancedButton& button : m_countyButtons) {
        button.SetBackColor(kCountyIdleBack);
        button.SetForeColor(kCountyIdleText);
    }
}

void YU_County::MarkCounty(int k) {
    if (k < 0 || k >= kCountyCount) {
        return;
    }
    m_worked[static_cast<size_t>(k)] = true;
    m_countyButtons[static_cast<size_t>(k)].SetBackColor(kCountyWorkedBack);
    m_countyButtons[static_cast<size_t>(k)].SetForeColor(kCountyWorkedText);
}

}  // namespace ui
