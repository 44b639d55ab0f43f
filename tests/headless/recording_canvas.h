// A canvas without pixels that keeps every drawing operation in order, with
// the drawing state each one ran under (text colour, background mode and
// colour, selected pen), so tests can read exactly what a paint drew.
//
// Its off-screen surfaces are recording canvases too. When one is copied
// back with CopyFrom, the target records the copy with its area and a copy
// of everything that was drawn into the surface, so the drawing stays
// readable after the surface is gone.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <vector>

#include "platform/canvas.h"

namespace plat {

enum class CanvasOpKind {
    kFillSolidRect,
    kDraw3dRect,
    kDrawFocusRect,
    kCreatePen,
    kSelectPen,
    kDeletePen,
    kEllipse,
    kSetTextColour,
    kSetBackgroundMode,
    kSetBackgroundColour,
    kDrawCentredText,
    kTextOut,
    kCreateOffscreen,
    kCopyFrom,
};

// A pen as it was made.
struct PenInfo {
    PenId id = 0;
    PenStyle style = PenStyle::kSolid;
    int width = 0;
    Colour colour = 0;
};

struct CanvasOp {
    CanvasOpKind kind = CanvasOpKind::kFillSolidRect;
    // The rectangle of a fill, frame, ellipse or centred text; the area of
    // an off-screen surface or a copy; for TextOut the point (x, y) as
    // left and top, with right == left and bottom == top.
    Rect rect;
    // Fill colour; top-left colour of a 3-D frame; the new text or
    // background colour.
    Colour colour = 0;
    // Bottom-right colour of a 3-D frame.
    Colour colour2 = 0;
    // The pen made, selected or deleted; for an ellipse the selected pen.
    PenInfo pen;
    // The new background mode of SetBackgroundMode.
    BackgroundMode mode = BackgroundMode::kOpaque;
    std::string text;
    // The state a text or an ellipse was drawn under.
    Colour textColour = 0;
    BackgroundMode backgroundMode = BackgroundMode::kOpaque;
    Colour backgroundColour = 0;
    // For kCopyFrom: what had been drawn into the surface.
    std::vector<CanvasOp> content;
};

class RecordingCanvas : public Canvas {
  public:
    // The pen selected in a fresh canvas: solid, 1 pixel, black.
    static constexpr PenId kDefaultPen = 1;

    // A window's canvas: `clipBox` is what ClipBox reports. A fresh canvas
    // has a black text colour, an opaque white background and the default
    // pen, as a new device context has.
    explicit RecordingCanvas(const Rect& clipBox = {}, bool printer = false);
    ~RecordingCanvas() override;

    const std::vector<CanvasOp>& Ops() const { return ops_; }
    void ClearOps() { ops_.clear(); }
    // The operations of one kind, in order.
    std::vector<CanvasOp> OpsOf(CanvasOpKind kind) const;
    // Their rectangles, in order.
    std::vector<Rect> RectsOf(CanvasOpKind kind) const;
    // The texts of DrawCentredText and TextOut, in order.
    std::vector<std::string> Texts() const;

    // The current state.
    Colour TextColour() const { return textColour_; }
    BackgroundMode Mode() const { return mode_; }
    Colour BackgroundColour() const { return backgroundColour_; }
    PenId SelectedPen() const { return selectedPen_; }
    // Pens made by CreatePen and not deleted yet.
    std::size_t LivePens() const { return pens_.size(); }
    // Off-screen surfaces made by this canvas and not destroyed yet.
    std::size_t LiveOffscreens() const { return *liveOffscreens_; }
    // Faults in the use of pens: deleting a pen that is selected or that
    // does not exist, selecting a pen that does not exist.
    int PenErrors() const { return penErrors_; }

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
    Rect ClipBox() const override { return clipBox_; }
    bool IsPrinter() const override { return printer_; }
    std::unique_ptr<Canvas> CreateOffscreen(const Rect& area) override;
    // Records the copy; `offscreen` must be a RecordingCanvas.
    void CopyFrom(Canvas& offscreen, const Rect& area) override;

  private:
    const PenInfo* FindPen(PenId id) const;
    CanvasOp& Record(CanvasOpKind kind, const Rect& r);
    void StampState(CanvasOp& op) const;

    Rect clipBox_;
    bool printer_ = false;
    std::vector<CanvasOp> ops_;
    Colour textColour_ = 0;
    BackgroundMode mode_ = BackgroundMode::kOpaque;
    Colour backgroundColour_ = 0x00FFFFFF;
    PenId selectedPen_ = kDefaultPen;
    PenId nextPen_ = 0x100;
    std::vector<PenInfo> pens_;
    int penErrors_ = 0;
    // Shared with the surfaces this canvas made, which count themselves
    // down when they go; kept alive by whichever of them lives longest.
    std::shared_ptr<std::size_t> liveOffscreens_;
    std::shared_ptr<std::size_t> parentCount_;
};

}  // namespace plat
