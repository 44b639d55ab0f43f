// The off-screen surface of a paint: it covers the target's clip box only,
// in the target's coordinates, and reaches the target as one copy of that
// area; on a printer it draws straight through.
#include "controls/mem_dc.h"

#include <gtest/gtest.h>

#include <memory>

#include "tests/headless/recording_canvas.h"

namespace {

using plat::CanvasOp;
using plat::CanvasOpKind;
using plat::RecordingCanvas;
using plat::Rect;

TEST(MemDcTest, SurfaceCoversTheClipBoxAndIsCopiedOnceAtTheEnd) {
    const Rect clip{10, 5, 110, 25};
    RecordingCanvas target(clip);
    {
        controls::CMemDC mem(target);
        EXPECT_TRUE(mem.IsOffscreen());
        EXPECT_EQ(mem.Area(), clip);
        EXPECT_EQ(target.LiveOffscreens(), 1u);
        mem.FillSolidRect({10, 5, 11, 6}, 0x000000FF);
        mem.TextOut(10, 5, "9A");
        // Nothing reaches the target before the surface goes.
        EXPECT_TRUE(target.OpsOf(CanvasOpKind::kCopyFrom).empty());
    }
    EXPECT_EQ(target.LiveOffscreens(), 0u);
    ASSERT_EQ(target.Ops().size(), 2u);
    EXPECT_EQ(target.Ops()[0].kind, CanvasOpKind::kCreateOffscreen);
    EXPECT_EQ(target.Ops()[0].rect, clip);  // a 100 x 20 surface whose first pixel is (10, 5)
    const CanvasOp& copy = target.Ops()[1];
    EXPECT_EQ(copy.kind, CanvasOpKind::kCopyFrom);
    EXPECT_EQ(copy.rect, clip);
    ASSERT_EQ(copy.content.size(), 2u);
    EXPECT_EQ(copy.content[0].rect, (Rect{10, 5, 11, 6}));
    EXPECT_EQ(copy.content[1].text, "9A");
}

TEST(MemDcTest, PrinterIsDrawnStraightThrough) {
    RecordingCanvas printer({0, 0, 2000, 3000}, /*printer=*/true);
    {
        controls::CMemDC mem(printer);
        EXPECT_FALSE(mem.IsOffscreen());
        EXPECT_TRUE(mem.IsPrinter());
        mem.FillSolidRect({1, 2, 3, 4}, 0x00C6FFFF);
    }
    ASSERT_EQ(printer.Ops().size(), 1u);
    EXPECT_EQ(printer.Ops()[0].kind, CanvasOpKind::kFillSolidRect);
    EXPECT_EQ(printer.Ops()[0].rect, (Rect{1, 2, 3, 4}));
}

// A target whose off-screen surfaces cannot be made.
class NoOffscreenCanvas : public RecordingCanvas {
  public:
    using RecordingCanvas::RecordingCanvas;
    std::unique_ptr<plat::Canvas> CreateOffscreen(const Rect& /*area*/) override { return nullptr; }
};

TEST(MemDcTest, FailedSurfaceLeavesThePaintUndone) {
    NoOffscreenCanvas target({0, 0, 50, 50});
    {
        controls::CMemDC mem(target);
        mem.FillSolidRect({0, 0, 50, 50}, 0);
        mem.SelectPen(mem.CreatePen(plat::PenStyle::kSolid, 1, 0));
    }
    EXPECT_TRUE(target.Ops().empty());
}

}  // namespace
