#include "ui/refresh_adapters.h"

#include "ui/dialog_tables.h"
#include "ui/window_set.h"
#include "ui/window_texts.h"

namespace ui {

bool RefreshedWindows::PrevQsoWindowOpen() {
    return prevQsoWindowOpen.load();
}

void RefreshedWindows::SetPrevQsoCaption(const std::string& text) {
    if (Prev_QSO* window = windows_.PrevQso()) {
        window->Window()->SetCaption(Shown(text));
    }
}

void RefreshedWindows::RepaintPrevQsoTable() {
    if (Prev_QSO* window = windows_.PrevQso()) {
        window->Window()->InvalidateItem(kIdPrevQsoTable);
    }
}

bool RefreshedWindows::DxccWindowExists() {
    return windows_.Dxcc() != nullptr;
}

void RefreshedWindows::SetDxccCaption(const std::string& text) {
    if (Multiplier* window = windows_.Dxcc()) {
        window->Window()->SetCaption(Shown(text));
    }
}

void RefreshedWindows::RepaintDxccTable() {
    if (Multiplier* window = windows_.Dxcc()) {
        window->Window()->InvalidateItem(kIdDxccTable);
    }
}

bool RefreshedWindows::CountyWindowExists() {
    return windows_.County() != nullptr;
}

void RefreshedWindows::SetCountyCaption(const std::string& text) {
    if (YU_County* window = windows_.County()) {
        window->Window()->SetCaption(Shown(text));
    }
}

void RefreshedWindows::ResetCountyMarks() {
    if (YU_County* window = windows_.County()) {
        window->ResetCountyMarks();
    }
}

CountyMarks RefreshedWindows::CountyMarksNow() {
    YU_County* window = windows_.County();
    return window != nullptr ? window->Marks() : CountyMarks();
}

void RefreshedWindows::MarkCounty(int k) {
    if (YU_County* window = windows_.County()) {
        window->MarkCounty(k);
    }
}

}  // namespace ui
