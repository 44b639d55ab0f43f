// The recording canvas that the control tests read their paints from: it
// must keep the drawing state as a device context does, flag pens misused,
// and keep what was drawn off-screen once the surface is copied back.
#include "tests/headless/recording_canvas.h"

#include <gtest/gtest.h>

namespace {

using plat::BackgroundMode;
using plat::CanvasOpKind;
using plat::PenStyle;
using plat::RecordingCanvas;
using plat::Rect;

TEST(RecordingCanvasTest, TracksStateAndStampsItOnTextsAndEllipses) {
    RecordingCanvas c;
    EXPECT_EQ(c.TextColour(), 0u);
    EXPECT_EQ(c.Mode(), BackgroundMode::kOpaque);

    EXPECT_EQ(c.SetTextColour(0x123456), 0u);
    EXPECT_EQ(c.SetBackgroundMode(BackgroundMode::kTransparent), BackgroundMode::kOpaque);
    EXPECT_EQ(c.SetBackgroundColour(0x00FF00), 0x00FFFFFFu);
    plat::PenId pen = c.CreatePen(PenStyle::kDot, 3, 0x0000FF);
    EXPECT_EQ(c.SelectPen(pen), RecordingCanvas::kDefaultPen);
    c.TextOut(4, 7, "OK");
    c.Ellipse({0, 0, 10, 6});

    auto texts = c.OpsOf(CanvasOpKind::kTextOut);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].rect, (Rect{4, 7, 4, 7}));
    EXPECT_EQ(texts[0].textColour, 0x123456u);
    EXPECT_EQ(texts[0].backgroundMode, BackgroundMode::kTransparent);
    auto ellipses = c.OpsOf(CanvasOpKind::kEllipse);
    ASSERT_EQ(ellipses.size(), 1u);
    EXPECT_EQ(ellipses[0].pen.id, pen);
    EXPECT_EQ(ellipses[0].pen.style, PenStyle::kDot);
    EXPECT_EQ(ellipses[0].pen.width, 3);
    EXPECT_EQ(ellipses[0].backgroundColour, 0x00FF00u);
}

TEST(RecordingCanvasTest, FlagsPensDeletedWhileSelectedOrUnknown) {
    RecordingCanvas c;
    plat::PenId pen = c.CreatePen(PenStyle::kSolid, 2, 0);
    c.SelectPen(pen);
    c.DeletePen(pen);  // still selected
    EXPECT_EQ(c.PenErrors(), 1);
    EXPECT_EQ(c.LivePens(), 1u);
    EXPECT_EQ(c.SelectPen(12345), 0u);  // no such pen: fails, keeps the current one
    EXPECT_EQ(c.SelectedPen(), pen);
    c.SelectPen(RecordingCanvas::kDefaultPen);
    c.DeletePen(pen);
    EXPECT_EQ(c.PenErrors(), 2);
    EXPECT_EQ(c.LivePens(), 0u);
}

TEST(RecordingCanvasTest, CopyKeepsWhatWasDrawnOffscreen) {
    RecordingCanvas target({10, 5, 110, 25});
    {
        auto surface = target.CreateOffscreen({10, 5, 110, 25});
        EXPECT_EQ(target.LiveOffscreens(), 1u);
        EXPECT_EQ(surface->ClipBox(), (Rect{10, 5, 110, 25}));
        EXPECT_EQ(surface->SetTextColour(0x0000FF), 0u);  // a fresh surface's default
        surface->FillSolidRect({10, 5, 20, 15}, 0x00C6FFFF);
        target.CopyFrom(*surface, {10, 5, 110, 25});
    }
    EXPECT_EQ(target.LiveOffscreens(), 0u);
    auto copies = target.OpsOf(CanvasOpKind::kCopyFrom);
    ASSERT_EQ(copies.size(), 1u);
    ASSERT_EQ(copies[0].content.size(), 2u);
    EXPECT_EQ(copies[0].content[1].kind, CanvasOpKind::kFillSolidRect);
    EXPECT_EQ(copies[0].content[1].colour, 0x00C6FFFFu);
    EXPECT_TRUE(target.RectsOf(CanvasOpKind::kFillSolidRect).empty());
}

}  // namespace
