#include "tests/headless/recording_canvas.h"

#include <algorithm>
#include <utility>

namespace plat {

namespace {

constexpr Colour kBlack = 0x00000000;
constexpr Colour kWhite = 0x00FFFFFF;

const PenInfo kDefaultPenInfo{RecordingCanvas::kDefaultPen, PenStyle::kSolid, 1, kBlack};

}  // namespace

RecordingCanvas::RecordingCanvas(const Rect& clipBox, bool printer)
    : clipBox_(clipBox),
      printer_(printer),
      textColour_(kBlack),
      backgroundColour_(kWhite),
      liveOffscreens_(std::make_shared<std::size_t>(0)) {}

RecordingCanvas::~RecordingCanvas() {
    if (parentCount_ && *parentCount_ > 0) {
        --*parentCount_;
    }
}

std::vector<CanvasOp> RecordingCanvas::OpsOf(CanvasOpKind kind) const {
    std::vector<CanvasOp> out;
    for (const CanvasOp& op : ops_) {
        if (op.kind == kind) {
            out.push_back(op);
        }
    }
    return out;
}

std::vector<Rect> RecordingCanvas::RectsOf(CanvasOpKind kind) const {
    std::vector<Rect> out;
    for (const CanvasOp& op : ops_) {
        if (op.kind == kind) {
            out.push_back(op.rect);
        }
    }
    return out;
}

std::vector<std::string> RecordingCanvas::Texts() const {
    std::vector<std::string> out;
    for (const CanvasOp& op : ops_) {
        if (op.kind == CanvasOpKind::kDrawCentredText || op.kind == CanvasOpKind::kTextOut) {
            out.push_back(op.text);
        }
    }
    return out;
}

const PenInfo* RecordingCanvas::FindPen(PenId id) const {
    if (id == kDefaultPen) {
        return &kDefaultPenInfo;
    }
    auto it =
        std::find_if(pens_.begin(), pens_.end(), [id](const PenInfo& p) { return p.id == id; });
    return it == pens_.end() ? nullptr : &*it;
}

CanvasOp& RecordingCanvas::Record(CanvasOpKind kind, const Rect& r) {
    CanvasOp op;
    op.kind = kind;
    op.rect = r;
    ops_.push_back(std::move(op));
    return ops_.back();
}

void RecordingCanvas::StampState(CanvasOp& op) const {
    op.textColour = textColour_;
    op.backgroundMode = mode_;
    op.backgroundColour = backgroundColour_;
    if (const PenInfo* p = FindPen(selectedPen_)) {
        op.pen = *p;
    }
}

void RecordingCanvas::FillSolidRect(const Rect& r, Colour c) {
    Record(CanvasOpKind::kFillSolidRect, r).colour = c;
}

void RecordingCanvas::Draw3dRect(const Rect& r, Colour topLeft, Colour bottomRight) {
    CanvasOp& op = Record(CanvasOpKind::kDraw3dRect, r);
    op.colour = topLeft;
    op.colour2 = bottomRight;
}

void RecordingCanvas::DrawFocusRect(const Rect& r) {
    Record(CanvasOpKind::kDrawFocusRect, r);
}

PenId RecordingCanvas::CreatePen(PenStyle style, int width, Colour c) {
    PenInfo pen{nextPen_++, style, width, c};
    pens_.push_back(pen);
    Record(CanvasOpKind::kCreatePen, {}).pen = pen;
    return pen.id;
}

PenId RecordingCanvas::SelectPen(PenId pen) {
    const PenInfo* p = FindPen(pen);
    CanvasOp& op = Record(CanvasOpKind::kSelectPen, {});
    op.pen.id = pen;
    if (p == nullptr) {
        // Like selecting an invalid handle: fails and changes nothing.
        ++penErrors_;
        return 0;
    }
    op.pen = *p;
    return std::exchange(selectedPen_, pen);
}

void RecordingCanvas::DeletePen(PenId pen) {
    CanvasOp& op = Record(CanvasOpKind::kDeletePen, {});
    op.pen.id = pen;
    auto it =
        std::find_if(pens_.begin(), pens_.end(), [pen](const PenInfo& p) { return p.id == pen; });
    if (it == pens_.end() || pen == selectedPen_) {
        ++penErrors_;
        return;
    }
    op.pen = *it;
    pens_.erase(it);
}

void RecordingCanvas::Ellipse(const Rect& r) {
    StampState(Record(CanvasOpKind::kEllipse, r));
}

Colour RecordingCanvas::SetTextColour(Colour c) {
    Record(CanvasOpKind::kSetTextColour, {}).colour = c;
    return std::exchange(textColour_, c);
}

BackgroundMode RecordingCanvas::SetBackgroundMode(BackgroundMode m) {
    Record(CanvasOpKind::kSetBackgroundMode, {}).mode = m;
    return std::exchange(mode_, m);
}

Colour RecordingCanvas::SetBackgroundColour(Colour c) {
    Record(CanvasOpKind::kSetBackgroundColour, {}).colour = c;
    return std::exchange(backgroundColour_, c);
}

void RecordingCanvas::DrawCentredText(const Rect& r, const std::string& text) {
    CanvasOp& op = Record(CanvasOpKind::kDrawCentredText, r);
    op.text = text;
    StampState(op);
}

void RecordingCanvas::TextOut(int x, int y, const std::string& text) {
    CanvasOp& op = Record(CanvasOpKind::kTextOut, {x, y, x, y});
    op.text = text;
    StampState(op);
}

std::unique_ptr<Canvas> RecordingCanvas::CreateOffscreen(const Rect& area) {
    Record(CanvasOpKind::kCreateOffscreen, area);
    auto surface = std::make_unique<RecordingCanvas>(area, false);
    surface->parentCount_ = liveOffscreens_;
    ++*liveOffscreens_;
    return surface;
}

void RecordingCanvas::CopyFrom(Canvas& offscreen, const Rect& area) {
    CanvasOp& op = Record(CanvasOpKind::kCopyFrom, area);
    if (auto* surface = dynamic_cast<RecordingCanvas*>(&offscreen)) {
        op.content = surface->ops_;
    }
}

}  // namespace plat
