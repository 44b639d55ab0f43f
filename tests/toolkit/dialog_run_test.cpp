// Modal runs and modeless windows on a UI thread, driven as a user and a
// host would: close requests, keys, clicks, dragging and resizing.
#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "tests/toolkit/test_dialogs.h"

namespace toolkit_test {
namespace {

using Strings = std::vector<std::string>;
using namespace std::chrono_literals;
namespace hl = plat::headless;

using DialogRun = ToolkitTest;

TEST_F(DialogRun, CloseRequestFromAnotherThreadEndsTheModalRun) {
    RecordingHandler h;
    ModalThread ui(h);
    ASSERT_TRUE(hl::Sync(ui.Id()));  // its loop runs: it is shown
    const auto state = hl::ReadWindow(ui.Id());
    ASSERT_TRUE(state.has_value());
    EXPECT_TRUE(state->visible);
    EXPECT_TRUE(state->modal);
    EXPECT_EQ(hl::FindWindowByCaption("Test"), ui.Id());

    EXPECT_TRUE(plat::SendCloseRequest(ui.Id()));
    EXPECT_EQ(ui.Result(), plat::kIdCancel);
    EXPECT_EQ(h.Events(), (Strings{"init", "close", "destroy"}));
    EXPECT_FALSE(plat::WindowExists(ui.Id()));
}

TEST_F(DialogRun, EscapeEndsTheModalRunAndEnterDoesNotByDefault) {
    RecordingHandler h;
    ModalThread ui(h);
    ASSERT_TRUE(hl::PressEnter(ui.Id()));
    ASSERT_TRUE(hl::Sync(ui.Id()));
    EXPECT_TRUE(plat::WindowExists(ui.Id()));
    ASSERT_TRUE(hl::PressEscape(ui.Id()));
    EXPECT_EQ(ui.Result(), plat::kIdCancel);
    EXPECT_EQ(h.Events(), (Strings{"init", "command 1 0", "command 2 0", "destroy"}));
}

// The modal loop is the thread's only loop: a modeless window made from a
// handler of the modal dialog gets its messages through it, and can be
// closed from another thread while the modal run goes on.
TEST_F(DialogRun, ModelessWindowsLiveInsideTheModalLoop) {
    RecordingHandler modeless;
    RecordingHandler modal;
    plat::WindowId modelessId = 0;
    modal.onUser = [&](plat::DialogWindow&, unsigned) {
        modelessId = plat::CreateModelessDialog(TestTemplate(105), modeless);
    };
    ModalThread ui(modal);
    ASSERT_TRUE(plat::PostWindowMessage(ui.Id(), plat::kMsgUser));
    ASSERT_TRUE(hl::Sync(ui.Id()));
    const plat::WindowId w = hl::FindWindow(105);
    ASSERT_NE(w, 0u);
    EXPECT_FALSE(hl::ReadWindow(w)->visible);  // hidden until Show
    EXPECT_FALSE(hl::ReadWindow(w)->modal);

    ASSERT_TRUE(hl::Click(w, kCheck));
    ASSERT_TRUE(hl::PressEscape(w));  // no end for a modeless dialog
    ASSERT_TRUE(hl::Sync(w));
    EXPECT_TRUE(hl::ReadWindow(w)->Control(kCheck)->checked);
    EXPECT_TRUE(plat::SendCloseRequest(w));
    EXPECT_FALSE(plat::WindowExists(w));
    EXPECT_TRUE(plat::WindowExists(ui.Id()));
    EXPECT_EQ(modeless.Events(),
              (Strings{"init", "command 11 0", "command 2 0", "close", "destroy"}));
    for (std::thread::id t : modeless.Threads()) {
        EXPECT_EQ(t, ui.ThreadId());
    }
    EXPECT_TRUE(plat::SendCloseRequest(ui.Id()));
    EXPECT_EQ(ui.Result(), plat::kIdCancel);
    EXPECT_EQ(w, modelessId);
}

// Clicks as the user makes them: the check box has toggled when the
// command arrives; disabled controls and labels take no clicks.
TEST_F(DialogRun, ClicksToggleCheckBoxesAndSkipDisabledControls) {
    RecordingHandler h;
    std::vector<bool> checkedAtCommand;
    h.onCommand = [&](plat::DialogWindow& w, int id) {
        if (id == kCheck) {
            checkedAtCommand.push_back(w.IsChecked(kCheck));
        }
    };
    h.onInit = [](plat::DialogWindow& w) { w.EnableItem(kButton, false); };
    const plat::WindowId w = plat::CreateModelessDialog(TestTemplate(), h);
    ASSERT_NE(w, 0u);
    EXPECT_TRUE(hl::Click(w, kCheck));
    EXPECT_TRUE(hl::Click(w, kCheck));
    EXPECT_TRUE(hl::Click(w, kButton));
    EXPECT_TRUE(hl::Click(w, kLabel));
    EXPECT_TRUE(hl::MovePointerOver(w));
    EXPECT_TRUE(h.Events().size() == 1u) << "clicks are posted, not handled at once";
    ASSERT_TRUE(hl::Sync(w));  // on the window's own thread: handles the queue
    EXPECT_EQ(h.Events(), (Strings{"init", "command 11 0", "command 11 0", "cursor"}));
    EXPECT_EQ(checkedAtCommand, (std::vector<bool>{true, false}));
    EXPECT_FALSE(hl::ReadWindow(w)->Control(kButton)->enabled);
    EXPECT_TRUE(plat::SendCloseRequest(w));
}

// Template (10, 20, 100 x 50) in dialog units with a caption: client
// 150 x 81 pixels at (15, 33), frame 3 and caption bar 19.
TEST_F(DialogRun, GeometryFollowsDialogUnitsAndTheUsersMoves) {
    RecordingHandler h;
    const plat::WindowId w = plat::CreateModelessDialog(TestTemplate(), h);
    auto s = hl::ReadWindow(w);
    ASSERT_TRUE(s.has_value());
    EXPECT_EQ(s->rect, (plat::Rect{15, 33, 171, 139}));
    EXPECT_EQ(s->client, (plat::Rect{0, 0, 150, 81}));
    // (5, 5, 40 x 14): each edge rounded on its own, halves away from zero.
    EXPECT_EQ(s->Control(kButton)->rect, (plat::Rect{8, 8, 68, 31}));
    EXPECT_EQ(hl::DialogUnitsToPixelsX(-1), -2);

    ASSERT_TRUE(hl::DragWindow(w, 200, 100));
    ASSERT_TRUE(hl::ResizeWindow(w, 200, 150));
    ASSERT_TRUE(hl::Sync(w));
    s = hl::ReadWindow(w);
    EXPECT_EQ(s->rect, (plat::Rect{200, 100, 400, 250}));
    EXPECT_EQ(s->client, (plat::Rect{0, 0, 194, 125}));
    EXPECT_EQ(h.Events().back(), "size 194 125");
    EXPECT_TRUE(plat::SendCloseRequest(w));
}

// A test that leaves a UI thread in its modal run can still end it: the
// run returns -1 and no window is left.
TEST_F(DialogRun, ResetEndsModalRunsAndForgetsWindows) {
    RecordingHandler h;
    ModalThread ui(h);
    RecordingHandler other;
    const plat::WindowId w = plat::CreateModelessDialog(TestTemplate(105), other);
    hl::ResetWindows();
    EXPECT_EQ(ui.Result(), -1);
    EXPECT_TRUE(hl::LiveWindows().empty());
    EXPECT_FALSE(plat::WindowExists(w));
    EXPECT_EQ(other.Events(), Strings{"init"});
}

// A window that another thread opens is found only once its
// initialisation is over, however long that takes.
TEST_F(DialogRun, WaitForWindowReturnsAfterInitialisation) {
    RecordingHandler h;
    h.onInit = [](plat::DialogWindow& w) {
        std::this_thread::sleep_for(30ms);
        w.SetItemText(kLabel, "ready");
    };
    std::thread ui([&h] { plat::RunModalDialog(TestTemplate(), h); });
    const plat::WindowId w = hl::WaitForWindow(kTemplateId);
    ASSERT_NE(w, 0u);
    EXPECT_EQ(hl::ReadWindow(w)->Control(kLabel)->text, "ready");
    EXPECT_TRUE(plat::SendCloseRequest(w));
    ui.join();
    EXPECT_EQ(hl::WaitForWindow(kTemplateId, 20), 0u);
}

}  // namespace
}  // namespace toolkit_test
