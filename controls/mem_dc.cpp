#include "controls/mem_dc.h"

namespace controls {

CMemDC::CMemDC(plat::Canvas& target) : target_(target) {
    if (target_.IsPrinter()) {
        out_ = &target_;
        return;
    }
    offscreen_ = true;
    area_ = target_.ClipBox();
    surface_ = target_.CreateOffscreen(area_);
    out_ = surface_.get();
}

CMemDC::~CMemDC() {
    if (surface_) {
        target_.CopyFrom(*surface_, area_);
    }
}

void CMemDC::FillSolidRect(const plat::Rect& r, plat::Colour c) {
    if (Out() != nullptr) {
        Out()->FillSolidRect(r, c);
    }
}

void CMemDC::Draw3dRect(const plat::Rect& r, plat::Colour topLeft, plat::Colour bottomRight) {
    if (Out() != nullptr) {
        Out()->Draw3dRect(r, topLeft, bottomRight);
    }
}

void CMemDC::DrawFocusRect(const plat::Rect& r) {
    if (Out() != nullptr) {
        Out()->DrawFocusRect(r);
    }
}

plat::PenId CMemDC::CreatePen(plat::PenStyle style, int width, plat::Colour c) {
    return Out() != nullptr ? Out()->CreatePen(style, width, c) : 0;
}

plat::PenId CMemDC::SelectPen(plat::PenId pen) {
    return Out() != nullptr ? Out()->SelectPen(pen) : 0;
}

void CMemDC::DeletePen(plat::PenId pen) {
    if (Out() != nullptr) {
        Out()->DeletePen(pen);
    }
}

void CMemDC::Ellipse(const plat::Rect& r) {
    if (Out() != nullptr) {
        Out()->Ellipse(r);
    }
}

plat::Colour CMemDC::SetTextColour(plat::Colour c) {
    return Out() != nullptr ? Out()->SetTextColour(c) : 0;
}

plat::BackgroundMode CMemDC::SetBackgroundMode(plat::BackgroundMode m) {
    return Out() != nullptr ? Out()->SetBackgroundMode(m) : plat::BackgroundMode::kOpaque;
}

plat::Colour CMemDC::SetBackgroundColour(plat::Colour c) {
    return Out() != nullptr ? Out()->SetBackgroundColour(c) : 0;
}

void CMemDC::DrawCentredText(const plat::Rect& r, const std::string& text) {
    if (Out() != nullptr) {
        Out()->DrawCentredText(r, text);
    }
}

void CMemDC::TextOut(int x, int y, const std::string& text) {
    if (Out() != nullptr) {
        Out()->TextOut(x, y, text);
    }
}

plat::Rect CMemDC::ClipBox() const {
    return offscreen_ ? area_ : target_.ClipBox();
}

bool CMemDC::IsPrinter() const {
    return !offscreen_;
}

std::unique_ptr<plat::Canvas> CMemDC::CreateOffscreen(const plat::Rect& area) {
    return Out() != nullptr ? Out()->CreateOffscreen(area) : nullptr;
}

void CMemDC::CopyFrom(plat::Canvas& offscreen, const plat::Rect& area) {
    if (Out() != nullptr) {
        Out()->CopyFrom(offscreen, area);
    }
}

}  // namespace controls
