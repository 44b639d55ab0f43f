// Drawing onto a device context: the handful of graphics operations the
// owner-drawn controls need. On Windows a GDI device context stands behind
// it; the tests' headless windows hand it a recording canvas that keeps the
// list of operations with their rectangles, pens and colours, so a test can
// read what a paint drew.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace plat {

// A colour value 0x00BBGGRR (red in the low byte); bit 25 marks a
// palette-relative colour.
using Colour = std::uint32_t;
constexpr Colour Rgb(unsigned r, unsigned g, unsigned b) {
    return static_cast<Colour>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
constexpr Colour kPaletteRelative = 0x02000000;

// Right and bottom exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsEmpty() const { return right <= left || bottom <= top; }
    Rect Deflated(int n) const { return {left + n, top + n, right - n, bottom - n}; }
    bool operator==(const Rect& o) const {
        return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
    }
};

// Owner-draw item state bits.
constexpr unsigned kItemSelected = 0x0001;
constexpr unsigned kItemDisabled = 0x0004;
constexpr unsigned kItemFocus = 0x0010;

enum class PenStyle { kSolid = 0, kDot = 2 };
enum class BackgroundMode { kTransparent = 1, kOpaque = 2 };

// A pen made by CreatePen; 0 is no pen.
using PenId = std::uintptr_t;

class Canvas {
  public:
    virtual ~Canvas() = default;

    // Creates a solid brush, fills the rectangle and deletes the brush.
    virtual void FillSolidRect(const Rect& r, Colour c) = 0;
    // One-pixel frame inside r: top and left in topLeft, right and bottom in
    // bottomRight (the corner pixels top-right and bottom-left are bottomRight).
    virtual void Draw3dRect(const Rect& r, Colour topLeft, Colour bottomRight) = 0;
    // The dotted focus frame, drawn by inverting.
    virtual void DrawFocusRect(const Rect& r) = 0;

    virtual PenId CreatePen(PenStyle style, int width, Colour c) = 0;
    // Makes the pen current and returns the one that was.
    virtual PenId SelectPen(PenId pen) = 0;
    virtual void DeletePen(PenId pen) = 0;
    // Outline with the current pen, inside painted with the current brush.
    virtual void Ellipse(const Rect& r) = 0;

    // Each returns the previous value.
    virtual Colour SetTextColour(Colour c) = 0;
    virtual BackgroundMode SetBackgroundMode(BackgroundMode m) = 0;
    virtual Colour SetBackgroundColour(Colour c) = 0;

    // One line centred horizontally and vertically in r. UTF-8 text.
    virtual void DrawCentredText(const Rect& r, const std::string& text) = 0;
    // Text with its top-left corner at (x, y). UTF-8 text.
    virtual void TextOut(int x, int y, const std::string& text) = 0;

    // The part of the target that needs drawing, in logical coordinates.
    virtual Rect ClipBox() const = 0;
    // True for a printer context: off-screen surfaces draw straight into it.
    virtual bool IsPrinter() const = 0;

    // An off-screen surface compatible with this canvas, covering `area`
    // (logical coordinates of this canvas), in its default state.
    virtual std::unique_ptr<Canvas> CreateOffscreen(const Rect& area) = 0;
    // Copies `area` of an off-screen surface made by CreateOffscreen onto
    // this canvas at the same logical position, pixels unchanged.
    virtual void CopyFrom(Canvas& offscreen, const Rect& area) = 0;
};

}  // namespace plat
