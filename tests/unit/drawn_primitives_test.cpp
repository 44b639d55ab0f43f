// The button faces as operation lists on the recording canvas: bevel rings
// and their greys, the ellipse fill's shrinking rings, the focused and
// pressed looks, the label, and that no pen outlives an operation.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "controls/drawn_ellipse.h"
#include "controls/drawn_rect.h"
#include "tests/headless/recording_canvas.h"

namespace {

using plat::BackgroundMode;
using plat::CanvasOp;
using plat::CanvasOpKind;
using plat::Colour;
using plat::PenStyle;
using plat::RecordingCanvas;
using plat::Rect;

constexpr Colour kWhite = 0x00FFFFFF;
constexpr Colour kGrey = 0x00808080;
constexpr Colour kNearBlack = 0x00010101;
constexpr Colour kGreen = 0x0000FF00;
constexpr unsigned kPressed = plat::kItemSelected;
constexpr unsigned kFocused = plat::kItemFocus;

constexpr Colour PaletteGrey(unsigned level) {
    return 0x02000000 | level | (level << 8) | (level << 16);
}

struct Ring {
    Rect rect;
    Colour topLeft;
    Colour bottomRight;
    bool operator==(const Ring& o) const {
        return rect == o.rect && topLeft == o.topLeft && bottomRight == o.bottomRight;
    }
};

std::vector<Ring> Rings(const RecordingCanvas& c) {
    std::vector<Ring> out;
    for (const CanvasOp& op : c.OpsOf(CanvasOpKind::kDraw3dRect)) {
        out.push_back({op.rect, op.colour, op.colour2});
    }
    return out;
}

// Pens made during the paint are all deleted and the default one is back.
void ExpectPensTidy(const RecordingCanvas& c) {
    EXPECT_EQ(c.LivePens(), 0u);
    EXPECT_EQ(c.PenErrors(), 0);
    EXPECT_EQ(c.SelectedPen(), RecordingCanvas::kDefaultPen);
}

TEST(DrawnRectTest, BorderRingsByDepth) {
    const Rect r{0, 0, 50, 20};
    const controls::DrawnRect face;
    struct Case {
        int depth;
        std::vector<Ring> rings;
    };
    const Case cases[] = {
        {2,
         {{r, PaletteGrey(255), PaletteGrey(127)},
          {r.Deflated(1), PaletteGrey(223), PaletteGrey(85)}}},
        {-2,
         {{r, PaletteGrey(127), PaletteGrey(255)},
          {r.Deflated(1), PaletteGrey(85), PaletteGrey(223)}}},
        {1, {{r, kWhite, kGrey}}},
        {-1, {{r, kGrey, kWhite}}},
        {0, {}},
    };
    for (const Case& k : cases) {
        RecordingCanvas c;
        face.DrawBorder(c, r, k.depth);
        EXPECT_EQ(Rings(c), k.rings) << "depth " << k.depth;
    }

    // A depth deeper than the face stops once the rings frame nothing,
    // and the most negative depth has a magnitude too.
    for (int depth : {1000000, INT_MIN}) {
        RecordingCanvas c;
        face.DrawBorder(c, {0, 0, 6, 40}, depth);
        EXPECT_EQ(c.Ops().size(), 3u) << "depth " << depth;
    }
}

TEST(DrawnRectTest, FaceFocusAndPressedLook) {
    const Rect r{0, 0, 60, 24};
    const controls::DrawnRect face;
    const Ring raised[] = {{r, PaletteGrey(255), PaletteGrey(127)},
                           {r.Deflated(1), PaletteGrey(223), PaletteGrey(85)}};
    const Ring sunkenOuter{r, kGrey, kWhite};

    // Pressed without focus: the plain raised face.
    for (unsigned state : {0u, kPressed}) {
        RecordingCanvas c;
        face.Draw(c, r, state, kGreen);
        EXPECT_EQ(c.RectsOf(CanvasOpKind::kFillSolidRect), std::vector<Rect>{r});
        EXPECT_EQ(Rings(c), (std::vector<Ring>{raised[0], raised[1]}));
        EXPECT_TRUE(c.OpsOf(CanvasOpKind::kDrawFocusRect).empty());
    }

    RecordingCanvas focused;
    face.Draw(focused, r, kFocused, kGreen);
    EXPECT_EQ(Rings(focused), (std::vector<Ring>{raised[0], raised[1]}));
    EXPECT_EQ(focused.RectsOf(CanvasOpKind::kDrawFocusRect), std::vector<Rect>{r.Deflated(2)});

    RecordingCanvas pushed;
    face.Draw(pushed, r, kFocused | kPressed, kGreen);
    EXPECT_EQ(Rings(pushed), (std::vector<Ring>{raised[0], raised[1], sunkenOuter}));
    EXPECT_EQ(pushed.RectsOf(CanvasOpKind::kDrawFocusRect), std::vector<Rect>{r.Deflated(2)});
    EXPECT_EQ(pushed.Ops().back().kind, CanvasOpKind::kDrawFocusRect);
}

TEST(DrawnEllipseTest, FillShrinksUntilEmptyWithAWidePen) {
    RecordingCanvas c;
    controls::DrawnEllipse().Fill(c, {0, 0, 10, 6}, kGreen);
    EXPECT_EQ(c.RectsOf(CanvasOpKind::kEllipse),
              (std::vector<Rect>{{1, 1, 9, 5}, {2, 2, 8, 4}, {3, 3, 7, 3}}));
    for (const CanvasOp& op : c.OpsOf(CanvasOpKind::kEllipse)) {
        EXPECT_EQ(op.pen.style, PenStyle::kSolid);
        EXPECT_EQ(op.pen.width, 3);
        EXPECT_EQ(op.pen.colour, kGreen);
    }
    ExpectPensTidy(c);

    RecordingCanvas empty;
    controls::DrawnEllipse().Fill(empty, {5, 5, 5, 9}, kGreen);
    EXPECT_TRUE(empty.OpsOf(CanvasOpKind::kEllipse).empty());
    ExpectPensTidy(empty);
}

TEST(DrawnEllipseTest, BorderIsOneOutlineWhateverTheDepth) {
    const Rect r{0, 0, 30, 20};
    for (int depth : {0, 2, 5, -1, -7}) {
        RecordingCanvas c;
        controls::DrawnEllipse().DrawBorder(c, r, depth);
        auto ellipses = c.OpsOf(CanvasOpKind::kEllipse);
        ASSERT_EQ(ellipses.size(), 1u) << "depth " << depth;
        EXPECT_EQ(ellipses[0].rect, r);
        EXPECT_EQ(ellipses[0].pen.width, 2);
        EXPECT_EQ(ellipses[0].pen.colour, depth >= 0 ? kGrey : kNearBlack);
        ExpectPensTidy(c);
    }
}

TEST(DrawnEllipseTest, FocusedPressedFace) {
    const Rect r{0, 0, 40, 20};
    RecordingCanvas c;
    c.SetBackgroundMode(BackgroundMode::kTransparent);
    controls::DrawnEllipse().Draw(c, r, kFocused | kPressed, kGreen);

    std::vector<CanvasOp> outlines;
    std::vector<CanvasOp> dotted;
    for (const CanvasOp& op : c.OpsOf(CanvasOpKind::kEllipse)) {
        if (op.pen.width == 2) {
            outlines.push_back(op);
        } else if (op.pen.style == PenStyle::kDot) {
            dotted.push_back(op);
        }
    }
    // The grey outline 1 pixel in, then the near-black double outline.
    ASSERT_EQ(outlines.size(), 3u);
    EXPECT_EQ(outlines[0].rect, r.Deflated(1));
    EXPECT_EQ(outlines[0].pen.colour, kGrey);
    EXPECT_EQ(outlines[1].rect, r.Deflated(1));
    EXPECT_EQ(outlines[1].pen.colour, kNearBlack);
    EXPECT_EQ(outlines[2].rect, r.Deflated(2));
    EXPECT_EQ(outlines[2].pen.colour, kNearBlack);

    // The dotted focus ellipse, its gaps in the face colour.
    ASSERT_EQ(dotted.size(), 1u);
    EXPECT_EQ(dotted[0].rect, r.Deflated(4));
    EXPECT_EQ(dotted[0].pen.width, 1);
    EXPECT_EQ(dotted[0].pen.colour, kNearBlack);
    EXPECT_EQ(dotted[0].backgroundMode, BackgroundMode::kOpaque);
    EXPECT_EQ(dotted[0].backgroundColour, kGreen);

    // Last, the inside of the focus ellipse in the face colour.
    const CanvasOp last = c.OpsOf(CanvasOpKind::kEllipse).back();
    EXPECT_EQ(last.pen.width, 3);
    EXPECT_EQ(last.pen.colour, kGreen);
    EXPECT_EQ(c.RectsOf(CanvasOpKind::kEllipse).end()[-5], r.Deflated(6));
    ExpectPensTidy(c);
}

TEST(DrawnEllipseTest, UnfocusedFaceIsOutlineAndFillOnly) {
    RecordingCanvas c;
    controls::DrawnEllipse().Draw(c, {0, 0, 40, 20}, kPressed, kGreen);
    auto ellipses = c.OpsOf(CanvasOpKind::kEllipse);
    ASSERT_EQ(ellipses.size(), 9u);  // the outline, then the fill from 36 x 16 down to 20 x 0
    EXPECT_EQ(ellipses[0].pen.colour, kGrey);
    EXPECT_EQ(ellipses[1].rect, (Rect{3, 3, 37, 17}));
    EXPECT_EQ(ellipses[8].rect, (Rect{10, 10, 30, 10}));
}

TEST(DrawnObjectTest, LabelPutsTheTextColourBackAndStaysTransparent) {
    RecordingCanvas c;
    c.SetTextColour(0x00112233);
    const Rect r{0, 0, 40, 20};
    std::string text("CW");
    text += '\0';
    text += "hidden";
    controls::DrawnRect().DrawLabel(c, r, text, kNearBlack);

    auto texts = c.OpsOf(CanvasOpKind::kDrawCentredText);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "CW");
    EXPECT_EQ(texts[0].rect, r);
    EXPECT_EQ(texts[0].textColour, kNearBlack);
    EXPECT_EQ(texts[0].backgroundMode, BackgroundMode::kTransparent);
    EXPECT_EQ(c.TextColour(), 0x00112233u);
    EXPECT_EQ(c.Mode(), BackgroundMode::kTransparent);
}

}  // namespace
