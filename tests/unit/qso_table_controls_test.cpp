// The previous-QSO table and the DXCC list as their controls paint them
// through an off-screen surface: geometry of rows and highlight, header
// texts, the list's order and wrapping, and the DXCC control's choice
// between list and table.
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "controls/prev_table.h"
#include "controls/qyu_table.h"
#include "tests/headless/recording_canvas.h"

namespace {

using controls::QsoTableSnapshot;
using plat::CanvasOp;
using plat::CanvasOpKind;
using plat::RecordingCanvas;
using plat::Rect;

constexpr plat::Colour kTableBackground = 0x00C6FFFF;
constexpr plat::Colour kHighlight = 0x00FFFFC6;
constexpr plat::Colour kListBackground = 0x00C6FAFF;

struct Text {
    int x;
    int y;
    std::string text;
    bool operator==(const Text& o) const { return x == o.x && y == o.y && text == o.text; }
};

std::ostream& operator<<(std::ostream& os, const Text& t) {
    return os << '(' << t.x << ", " << t.y << ") \"" << t.text << '"';
}

// What one paint drew: the content of the one copy from the off-screen
// surface, which must cover the whole control.
struct Paint {
    std::vector<CanvasOp> ops;

    std::vector<Text> Texts() const {
        std::vector<Text> out;
        for (const CanvasOp& op : ops) {
            if (op.kind == CanvasOpKind::kTextOut) {
                out.push_back({op.rect.left, op.rect.top, op.text});
            }
        }
        return out;
    }
    std::vector<CanvasOp> Fills() const {
        std::vector<CanvasOp> out;
        for (const CanvasOp& op : ops) {
            if (op.kind == CanvasOpKind::kFillSolidRect) {
                out.push_back(op);
            }
        }
        return out;
    }
};

Paint Drawn(const RecordingCanvas& target, const Rect& item) {
    auto copies = target.OpsOf(CanvasOpKind::kCopyFrom);
    EXPECT_EQ(copies.size(), 1u);
    if (copies.empty()) {
        return {};
    }
    EXPECT_EQ(copies[0].rect, item);
    return {copies[0].content};
}

QsoTableSnapshot Sample() {
    QsoTableSnapshot s;
    s.prevQsoRows = {{
        {"80m", "   -", "   -", "   -", "x4", "x5"},
        {"80m", "21:10", "   -", "7", "x4", "x5"},
        {"40m", "   -", "   -", "   -", "x4", "x5"},
        {"20m", "12:05", "12:40", "BGD", "x4", "x5"},
        {"15m", "   -"},  // short rows draw the cells they have
        {"10m", "-", "-", "-", "-", "-"},
    }};
    s.currentBandIndex = 3;
    s.currentCall = "YU1AA";
    return s;
}

TEST(PrevTableTest, GeometryOfA196PixelTable) {
    const Rect item{0, 0, 370, 196};
    RecordingCanvas target(item);
    EXPECT_FALSE(controls::CPrev().DrawItem(target, item, Sample()));
    const Paint p = Drawn(target, item);

    auto fills = p.Fills();
    ASSERT_EQ(fills.size(), 2u);
    EXPECT_EQ(fills[0].rect, item);
    EXPECT_EQ(fills[0].colour, kTableBackground);
    EXPECT_EQ(fills[1].rect, (Rect{0, 117, 370, 135}));  // row height 28, band 20m
    EXPECT_EQ(fills[1].colour, kHighlight);

    // clang-format off
    const std::vector<Text> expected = {
        {20, 32, "Band"}, {100, 32, "CW"}, {170, 5, "YU1AA"}, {170, 32, "SSB"},
        {250, 32, "NR/County"},
        {20, 61, "80m"},  {92, 61, "21:10"},  {168, 61, "   -"},   {265, 61, "7"},
        {20, 89, "40m"},  {92, 89, "   -"},   {168, 89, "   -"},   {265, 89, "   -"},
        {20, 117, "20m"}, {92, 117, "12:05"}, {168, 117, "12:40"}, {265, 117, "BGD"},
        {20, 145, "15m"}, {92, 145, "   -"},
        {20, 173, "10m"}, {92, 173, "-"},     {168, 173, "-"},     {265, 173, "-"},
    };
    // clang-format on
    EXPECT_EQ(p.Texts(), expected);
    for (const CanvasOp& op : p.ops) {
        if (op.kind == CanvasOpKind::kTextOut) {
            EXPECT_EQ(op.backgroundMode, plat::BackgroundMode::kTransparent);
        }
    }
}

TEST(PrevTableTest, NoCallShowsCallAndAsksToStoreIt) {
    const Rect item{0, 0, 370, 196};
    QsoTableSnapshot s = Sample();
    s.currentCall.clear();
    s.currentBandIndex = -1;
    RecordingCanvas target(item);
    EXPECT_TRUE(controls::CPrev().DrawItem(target, item, s));
    const Paint p = Drawn(target, item);
    EXPECT_EQ(p.Texts().at(2), (Text{170, 5, "Call"}));
    EXPECT_EQ(p.Fills().size(), 1u);  // no band: no highlight
}

TEST(PrevTableTest, VeryLongCallIsDrawnWhole) {
    const Rect item{0, 0, 370, 196};
    QsoTableSnapshot s = Sample();
    s.currentCall = std::string(20000, 'W');
    RecordingCanvas target(item);
    EXPECT_FALSE(controls::CPrev().DrawItem(target, item, s));
    EXPECT_EQ(Drawn(target, item).Texts().at(2), (Text{170, 5, s.currentCall}));
}

TEST(QyuTableTest, ListOrTableByCallAndPreviousQsoWindow) {
    struct Case {
        const char* call;
        bool prevOpen;
        bool list;
    };
    const Case cases[] = {
        {"", false, true},       {"Call", false, true}, {"call", false, false},
        {"YU1AA", false, false}, {"YU1AA", true, true},
    };
    const Rect item{0, 0, 360, 210};
    for (const Case& k : cases) {
        QsoTableSnapshot s = Sample();
        s.currentCall = k.call;
        s.prevQsoWindowOpen = k.prevOpen;
        s.bandDxcc = {"DL"};
        EXPECT_EQ(controls::CQYU::ShowsDxccList(s), k.list) << k.call;
        RecordingCanvas target(item);
        controls::CQYU().DrawItem(target, item, s);
        const Paint p = Drawn(target, item);
        ASSERT_FALSE(p.Fills().empty());
        EXPECT_EQ(p.Fills()[0].colour, k.list ? kListBackground : kTableBackground) << k.call;
        if (!k.list) {
            EXPECT_EQ(p.Texts().at(2), (Text{170, 5, k.call}));
        }
    }
}

TEST(QyuTableTest, ListIsSortedByBytesAndWrapsBeforeTheRightEdge) {
    const Rect item{0, 0, 360, 210};
    QsoTableSnapshot s;
    s.currentBandIndex = 3;

    s.bandDxcc = {"OK", "DL", "9A"};
    RecordingCanvas sorted(item);
    controls::CQYU().DrawItem(sorted, item, s);
    EXPECT_EQ(Drawn(sorted, item).Texts(),
              (std::vector<Text>{{5, 15, "9A"}, {45, 15, "DL"}, {85, 15, "OK"}}));

    s.bandDxcc = {"P1", "P2", "P3", "P4", "P5", "P6", "P7", "P8", "P9"};
    RecordingCanvas wrapped(item);
    controls::CQYU().DrawItem(wrapped, item, s);
    EXPECT_EQ(Drawn(wrapped, item).Texts(), (std::vector<Text>{{5, 15, "P1"},
                                                               {45, 15, "P2"},
                                                               {85, 15, "P3"},
                                                               {125, 15, "P4"},
                                                               {165, 15, "P5"},
                                                               {205, 15, "P6"},
                                                               {245, 15, "P7"},
                                                               {285, 15, "P8"},
                                                               {5, 30, "P9"}}));
}

TEST(QyuTableTest, EmptyListOrUnknownBandShowsOnlyTheBackground) {
    const Rect item{0, 0, 360, 210};
    QsoTableSnapshot empty;
    empty.currentBandIndex = 2;
    QsoTableSnapshot noBand;
    noBand.bandDxcc = {"DL", "OK"};
    for (const QsoTableSnapshot& s : {empty, noBand}) {
        RecordingCanvas target(item);
        controls::CQYU().DrawItem(target, item, s);
        const Paint p = Drawn(target, item);
        ASSERT_EQ(p.Fills().size(), 1u);
        EXPECT_EQ(p.Fills()[0].rect, item);
        EXPECT_EQ(p.Fills()[0].colour, kListBackground);
        EXPECT_TRUE(p.Texts().empty());
    }
}

}  // namespace
