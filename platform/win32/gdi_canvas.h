// The canvas over a GDI device context.
#pragma once

#include "platform/win32/windows_api.h"

#include <memory>

#include "platform/canvas.h"

namespace plat {

class GdiCanvas : public Canvas {
  public:
    // Draws on `dc`, which stays the caller's.
    explicit GdiCanvas(HDC dc) : dc_(dc) {}
    ~GdiCanvas() override;
    GdiCanvas(const GdiCanvas&) = delete;
    GdiCanvas& operator=(const GdiCanvas&) = delete;

    HDC dc() const { return dc_; }

    void FillSolidRect(const Rect& r, Colour c) override;
    void Draw3dRect(const Rect& r, Colour topLeft, Colour bottomRight) override;
    void DrawFocusRect(const Rect& r) override;
    PenId CreatePen(PenStyle style, int width, Colour c) override;
    PenId SelectPen(PenId pen) override;
    void DeletePen(PenId pen) override;
    void Ellipse(const Rect& r) override;
    Colour SetTextColour(Colour c) override;
    BackgroundMode SetBackgroundMode(BackgroundMode m) override;
    Colour SetBackgroundColour(Colour c) override;
    void DrawCentredText(const Rect& r, const std::string& text) override;
    void TextOut(int x, int y, const std::string& text) override;
    Rect ClipBox() const override;
    bool IsPrinter() const override;
    std::unique_ptr<Canvas> CreateOffscreen(const Rect& area) override;
    void CopyFrom(Canvas& offscreen, const Rect& area) override;

  private:
    struct Surface {
        HBITMAP bitmap = nullptr;
        HGDIOBJ previousBitmap = nullptr;
    };
    // An off-screen surface: its own memory context holding `surface`.
    GdiCanvas(HDC memoryDc, const Surface& surface)
        : dc_(memoryDc), owned_(true), surface_(surface) {}

    HDC dc_ = nullptr;
    bool owned_ = false;
    Surface surface_;
};

}  // namespace plat
