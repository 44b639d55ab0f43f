// A flicker-free surface for one paint. On a screen target it draws into
// an off-screen surface that covers the target's clip box only, in the
// target's own coordinates, and copies that area back in one block when it
// goes. On a printer it draws straight into the target and makes nothing.
//
// Use it as a scoped object inside one paint, and let it go before the
// target does. If the off-screen surface cannot be made, that paint draws
// nothing.
#pragma once

#include <memory>
#include <string>

#include "platform/canvas.h"

namespace controls {

class CMemDC : public plat::Canvas {
  public:
    explicit CMemDC(plat::Canvas& target);
    ~CMemDC() override;
    CMemDC(const CMemDC&) = delete;
    CMemDC& operator=(const CMemDC&) = delete;

    // True when drawing goes to an off-screen surface.
    bool IsOffscreen() const { return offscreen_; }
    // The target's area the surface covers (empty on a printer).
    const plat::Rect& Area() const { return area_; }

    void FillSolidRect(const plat::Rect& r, plat::Colour c) override;
    void Draw3dRect(const plat::Rect& r, plat::Colour topLeft, plat::Colour bottomRight) override;
    void DrawFocusRect(const plat::Rect& r) override;
    plat::PenId CreatePen(plat::PenStyle style, int width, plat::Colour c) override;
    plat::PenId SelectPen(plat::PenId pen) override;
    void DeletePen(plat::PenId pen) override;
    void Ellipse(const plat::Rect& r) override;
    plat::Colour SetTextColour(plat::Colour c) override;
    plat::BackgroundMode SetBackgroundMode(plat::BackgroundMode m) override;
    plat::Colour SetBackgroundColour(plat::Colour c) override;
    void DrawCentredText(const plat::Rect& r, const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    plat::Rect ClipBox() const override;
    bool IsPrinter() const override;
    std::unique_ptr<plat::Canvas> CreateOffscreen(const plat::Rect& area) override;
    void CopyFrom(plat::Canvas& offscreen, const plat::Rect& area) override;

  private:
    // Where drawing goes: the surface, the target on a printer, or nowhere
    // (null) when the surface could not be made.
    plat::Canvas* Out() const { return out_; }

    plat::Canvas& target_;
    std::unique_ptr<plat::Canvas> surface_;
    plat::Rect area_;
    bool offscreen_ = false;
    plat::Canvas* out_ = nullptr;
};

}  // namespace controls
