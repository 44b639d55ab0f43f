// Owner-drawn items: which paints reach OnDrawItem, when, with what state,
// and what the driver reads of them; and the control-colour question.
#include <thread>

#include "tests/toolkit/test_dialogs.h"

namespace toolkit_test {
namespace {

using Strings = std::vector<std::string>;
namespace hl = plat::headless;

// Owner-draws kDrawn from initialisation on.
class DrawnButtonTest : public ToolkitTest {
  protected:
    void SetUp() override {
        ToolkitTest::SetUp();
        h.onInit = [this](plat::DialogWindow& w) {
            madeLabelOwnerDrawn = w.MakeOwnerDrawn(kLabel);
            madeMissingOwnerDrawn = w.MakeOwnerDrawn(99);
            EXPECT_TRUE(w.MakeOwnerDrawn(kDrawn));
        };
    }
    RecordingHandler h;
    bool madeLabelOwnerDrawn = true;
    bool madeMissingOwnerDrawn = true;
};

// (50, 20, 30 x 15) dialog units: 45 x 24 pixels.
TEST_F(DrawnButtonTest, PaintRequestFromAnotherThreadReachesTheHandler) {
    ModalThread ui(h);
    EXPECT_FALSE(madeLabelOwnerDrawn);
    EXPECT_FALSE(madeMissingOwnerDrawn);
    EXPECT_FALSE(hl::PaintItem(ui.Id(), kButton, 0).has_value()) << "not owner-drawn";

    const auto paint = hl::PaintItem(ui.Id(), kDrawn, plat::kItemFocus);
    ASSERT_TRUE(paint.has_value());
    EXPECT_EQ(paint->rect, (plat::Rect{0, 0, 45, 24}));
    EXPECT_EQ(paint->state, plat::kItemFocus);
    ASSERT_EQ(paint->ops.size(), 1u);
    EXPECT_EQ(paint->ops[0].kind, plat::CanvasOpKind::kFillSolidRect);
    EXPECT_EQ(paint->ops[0].rect, paint->rect);
    EXPECT_EQ(paint->ops[0].colour, plat::Rgb(0, 255, 0));
    EXPECT_EQ(h.Threads().back(), ui.ThreadId());
    EXPECT_EQ(hl::ReadWindow(ui.Id())->Control(kDrawn)->paints, 1);

    EXPECT_TRUE(plat::SendCloseRequest(ui.Id()));
    EXPECT_EQ(ui.Result(), plat::kIdCancel);
    EXPECT_FALSE(hl::PaintItem(ui.Id(), kDrawn, 0).has_value());
}

// A click shows the pressed face, then the released one, then the command;
// an owner-drawn button that is disabled paints with the disabled bit.
TEST_F(DrawnButtonTest, ClickPaintsPressedAndReleasedFacesBeforeTheCommand) {
    const plat::WindowId w = plat::CreateModelessDialog(TestTemplate(), h);
    ASSERT_TRUE(hl::Click(w, kDrawn));
    ASSERT_TRUE(hl::Sync(w));
    EXPECT_EQ(h.Events(), (Strings{"init", "draw 13 17", "draw 13 16", "command 13 0"}));
    EXPECT_EQ(hl::LastItemPaint(w, kDrawn)->state, plat::kItemFocus);

    h.onUser = [](plat::DialogWindow& win, unsigned) {
        win.EnableItem(kDrawn, false);
        win.RedrawItemNow(kDrawn);
    };
    ASSERT_TRUE(plat::PostWindowMessage(w, plat::kMsgUser));
    ASSERT_TRUE(hl::Click(w, kDrawn));  // disabled: no paint, no command
    ASSERT_TRUE(hl::Sync(w));
    EXPECT_EQ(h.Events().back(), "draw 13 20");
    EXPECT_EQ(hl::ReadWindow(w)->Control(kDrawn)->paints, 3);
    EXPECT_TRUE(plat::SendCloseRequest(w));
}

// An invalidated item paints once, after the posted messages; RedrawItemNow
// paints before it returns.
TEST_F(DrawnButtonTest, InvalidatedItemsPaintWhenTheQueueIsEmpty) {
    const plat::WindowId w = plat::CreateModelessDialog(TestTemplate(), h);
    h.onUser = [](plat::DialogWindow& win, unsigned msg) {
        if (msg == plat::kMsgUser) {
            win.InvalidateItem(kDrawn);
            win.InvalidateItem(kDrawn);
            win.InvalidateItem(kButton);  // drawn by the system: nothing to paint
        } else {
            win.RedrawItemNow(kDrawn);
        }
    };
    ASSERT_TRUE(plat::PostWindowMessage(w, plat::kMsgUser));
    ASSERT_TRUE(plat::PostWindowMessage(w, plat::kMsgUser + 1));
    ASSERT_TRUE(plat::PostWindowMessage(w, plat::kMsgUser + 2));
    ASSERT_TRUE(hl::Sync(w));
    EXPECT_EQ(h.Events(),
              (Strings{"init", "user 1024", "user 1025", "draw 13 0", "user 1026", "draw 13 0"}));
    EXPECT_TRUE(plat::SendCloseRequest(w));
}

class ColouredLabel : public RecordingHandler {
  public:
    bool OnControlColours(plat::DialogWindow& /*w*/, int id, plat::ControlColours& out) override {
        if (id != kLabel) {
            return false;
        }
        out.text = plat::Rgb(0, 0, 0);
        out.textBackground = plat::Rgb(0xFF, 0xF0, 0xC6);
        out.background = plat::Rgb(0xFF, 0xFA, 0xC6);
        return true;
    }
};

TEST_F(ToolkitTest, ControlColoursAreAskedOnTheWindowsThread) {
    ColouredLabel h;
    ModalThread ui(h);
    plat::ControlColours colours;
    ASSERT_TRUE(hl::AskControlColours(ui.Id(), kLabel, colours));
    EXPECT_EQ(colours.textBackground, plat::Rgb(0xFF, 0xF0, 0xC6));
    EXPECT_EQ(colours.background, plat::Rgb(0xFF, 0xFA, 0xC6));
    EXPECT_FALSE(hl::AskControlColours(ui.Id(), kButton, colours));
    EXPECT_TRUE(plat::SendCloseRequest(ui.Id()));
    EXPECT_EQ(ui.Result(), plat::kIdCancel);
    EXPECT_FALSE(hl::AskControlColours(ui.Id(), kLabel, colours));
}

}  // namespace
}  // namespace toolkit_test
