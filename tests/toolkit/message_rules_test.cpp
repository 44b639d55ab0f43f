// The message rules between threads: when a sent message runs, its place
// ahead of posted ones, a blocked sender serving sends to its own windows,
// and messages to windows that are gone.
#include <atomic>
#include <chrono>
#include <future>
#include <stdexcept>
#include <thread>

#include "tests/toolkit/test_dialogs.h"

namespace toolkit_test {
namespace {

using Strings = std::vector<std::string>;
using namespace std::chrono_literals;

bool WaitForQueued(plat::WindowId w, std::size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + 5s;
    while (plat::headless::QueuedMessages(w) != count) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(1ms);
    }
    return true;
}

// A UI thread that makes a modeless window (template 105) and runs no loop
// until told; then its modal dialog (template 104) carries the thread's
// messages until End.
class PausedUiThread {
  public:
    explicit PausedUiThread(plat::DialogHandler& modeless) {
        thread_ = std::thread([this, &modeless] {
            created_.set_value(plat::CreateModelessDialog(TestTemplate(105), modeless));
            startLoop_.get_future().wait();
            plat::RunModalDialog(TestTemplate(104), modal_);
        });
        threadId_ = thread_.get_id();
        modeless_ = created_.get_future().get();
    }
    ~PausedUiThread() {
        if (thread_.joinable()) {
            plat::headless::ResetWindows();
            thread_.join();
        }
    }
    PausedUiThread(const PausedUiThread&) = delete;
    PausedUiThread& operator=(const PausedUiThread&) = delete;

    plat::WindowId Modeless() const { return modeless_; }
    std::thread::id ThreadId() const { return threadId_; }
    void StartLoop() { startLoop_.set_value(); }
    // Closes the modal dialog and waits for the thread to end.
    void End() {
        const auto deadline = std::chrono::steady_clock::now() + 5s;
        plat::WindowId modal = 0;
        while (modal == 0 && std::chrono::steady_clock::now() < deadline) {
            modal = plat::headless::FindWindow(104);
            std::this_thread::sleep_for(1ms);
        }
        EXPECT_TRUE(plat::SendCloseRequest(modal));
        thread_.join();
    }

  private:
    RecordingHandler modal_;
    std::promise<plat::WindowId> created_;
    std::promise<void> startLoop_;
    std::thread thread_;
    std::thread::id threadId_;
    plat::WindowId modeless_ = 0;
};

using MessageRules = ToolkitTest;

// The window's thread first makes a modeless window and runs no loop; the
// close request sent meanwhile must wait for it, and then run before the
// messages posted earlier.
TEST_F(MessageRules, SentMessageWaitsForTheTargetAndRunsBeforePostedOnes) {
    RecordingHandler modeless;
    modeless.onClose = [](plat::DialogWindow&) {};  // stays open
    PausedUiThread ui(modeless);
    const plat::WindowId w = ui.Modeless();
    ASSERT_NE(w, 0u);
    EXPECT_TRUE(plat::PostWindowMessage(w, plat::kMsgUser + 1));
    EXPECT_TRUE(plat::PostWindowMessage(w, plat::kMsgUser + 2));
    auto send = std::async(std::launch::async, [w] { return plat::SendCloseRequest(w); });
    ASSERT_TRUE(WaitForQueued(w, 3));

    std::this_thread::sleep_for(20ms);
    EXPECT_EQ(send.wait_for(0s), std::future_status::timeout);
    EXPECT_EQ(modeless.Events(), Strings{"init"});

    ui.StartLoop();
    ASSERT_EQ(send.wait_for(5s), std::future_status::ready);
    EXPECT_TRUE(send.get());
    ASSERT_TRUE(plat::headless::Sync(w));
    EXPECT_EQ(modeless.Events(), (Strings{"init", "close", "user 1025", "user 1026"}));
    for (std::thread::id t : modeless.Threads()) {
        EXPECT_EQ(t, ui.ThreadId());
    }

    ui.End();
    // The thread has ended: its modeless window went with it.
    EXPECT_FALSE(plat::WindowExists(w));
    EXPECT_FALSE(plat::PostWindowMessage(w, plat::kMsgUser));
    EXPECT_TRUE(plat::headless::Sync(w));
}

// Thread A, blocked sending to B's dialog, must still handle B's close
// request to A's own window, or both wait for ever.
TEST_F(MessageRules, BlockedSenderHandlesSendsToItsOwnWindows) {
    RecordingHandler a;
    RecordingHandler b;
    std::promise<plat::WindowId> aWindow;
    std::promise<plat::WindowId> bWindow;
    std::shared_future<plat::WindowId> aId = aWindow.get_future().share();
    b.onInit = [&bWindow](plat::DialogWindow& w) { bWindow.set_value(w.Id()); };
    b.onClose = [&aId](plat::DialogWindow& w) {
        plat::SendCloseRequest(aId.get());
        w.EndDialog(7);
    };
    std::promise<int> modalResult;
    std::thread threadB([&] { modalResult.set_value(plat::RunModalDialog(TestTemplate(104), b)); });
    const plat::WindowId bId = bWindow.get_future().get();
    std::promise<bool> sendResult;
    std::thread threadA([&] {
        aWindow.set_value(plat::CreateModelessDialog(TestTemplate(105), a));
        sendResult.set_value(plat::SendCloseRequest(bId));
    });

    const std::thread::id aThread = threadA.get_id();
    auto sent = sendResult.get_future();
    const bool finished = sent.wait_for(5s) == std::future_status::ready;
    if (!finished) {
        plat::headless::ResetWindows();  // frees both threads
    }
    threadA.join();
    threadB.join();
    ASSERT_TRUE(finished) << "the two threads waited on each other";
    EXPECT_TRUE(sent.get());
    EXPECT_EQ(modalResult.get_future().get(), 7);
    EXPECT_EQ(a.Events(), (Strings{"init", "close", "destroy"}));
    for (std::thread::id t : a.Threads()) {
        EXPECT_EQ(t, aThread);
    }
}

// A message posted before the window went is dropped, and nothing more can
// be posted or sent to it.
TEST_F(MessageRules, MessagesToADestroyedWindowFail) {
    RecordingHandler h;
    const plat::WindowId w = plat::CreateModelessDialog(TestTemplate(), h);
    ASSERT_NE(w, 0u);
    EXPECT_TRUE(plat::PostWindowMessage(w, plat::kMsgUser + 3));
    EXPECT_TRUE(plat::SendCloseRequest(w));  // on its own thread: at once
    EXPECT_FALSE(plat::WindowExists(w));
    EXPECT_FALSE(plat::PostWindowMessage(w, plat::kMsgUser + 4));
    EXPECT_FALSE(plat::SendCloseRequest(w));
    EXPECT_FALSE(plat::headless::Click(w, kButton));
    EXPECT_TRUE(plat::headless::Sync(w));
    EXPECT_EQ(h.Events(), (Strings{"init", "close", "destroy"}));
}

// Of two close requests queued from other threads, the first destroys the
// modeless window; the second must report that the window was gone.
TEST_F(MessageRules, SendToAWindowDestroyedWhileQueuedFails) {
    RecordingHandler h;
    PausedUiThread ui(h);
    const plat::WindowId w = ui.Modeless();
    auto first = std::async(std::launch::async, [w] { return plat::SendCloseRequest(w); });
    ASSERT_TRUE(WaitForQueued(w, 1));
    auto second = std::async(std::launch::async, [w] { return plat::SendCloseRequest(w); });
    ASSERT_TRUE(WaitForQueued(w, 2));

    ui.StartLoop();
    EXPECT_TRUE(first.get());
    EXPECT_FALSE(second.get());
    EXPECT_EQ(h.Events(), (Strings{"init", "close", "destroy"}));
    ui.End();
}

// A window thread waiting on another thread (as in a call to the host)
// handles close requests sent to its windows meanwhile, but leaves posted
// messages for its loop.
TEST_F(MessageRules, WaitServingSentMessagesHandlesOnlySends) {
    RecordingHandler h;
    std::atomic<bool> released{false};
    std::promise<plat::WindowId> created;
    std::promise<bool> waited;
    std::thread ui([&] {
        created.set_value(plat::CreateModelessDialog(TestTemplate(105), h));
        waited.set_value(
            plat::headless::WaitServingSentMessages([&released] { return released.load(); }));
    });
    const plat::WindowId w = created.get_future().get();
    EXPECT_TRUE(plat::PostWindowMessage(w, plat::kMsgUser));
    EXPECT_TRUE(plat::SendCloseRequest(w));
    released = true;
    EXPECT_TRUE(waited.get_future().get());
    ui.join();
    EXPECT_EQ(h.Events(), (Strings{"init", "close", "destroy"}));
    EXPECT_FALSE(plat::headless::WaitServingSentMessages([] { return false; }, 5));
}

// A handler that throws must not leave its sender waiting for ever, nor
// its modal dialog behind.
TEST_F(MessageRules, SenderIsAnsweredWhenTheHandlerThrows) {
    RecordingHandler modal;
    modal.onClose = [](plat::DialogWindow&) { throw std::runtime_error("handler fault"); };
    std::promise<plat::WindowId> created;
    std::promise<bool> goneWhenThrown;
    modal.onInit = [&created](plat::DialogWindow& w) { created.set_value(w.Id()); };
    std::thread ui([&] {
        try {
            plat::RunModalDialog(TestTemplate(104), modal);
            ADD_FAILURE() << "the exception did not leave the modal run";
            goneWhenThrown.set_value(false);
        } catch (const std::runtime_error&) {
            goneWhenThrown.set_value(plat::headless::LiveWindows().empty());
        }
    });
    const plat::WindowId w = created.get_future().get();
    EXPECT_TRUE(plat::SendCloseRequest(w));
    EXPECT_TRUE(goneWhenThrown.get_future().get());
    ui.join();
}

// Syncs that timed out while the thread ran no loop leave their markers
// queued; once the loop runs, they must not keep each other waiting.
TEST_F(MessageRules, SyncReturnsAfterEarlierSyncsTimedOut) {
    RecordingHandler h;
    PausedUiThread ui(h);
    EXPECT_FALSE(plat::headless::Sync(ui.Modeless(), 10));
    EXPECT_FALSE(plat::headless::Sync(ui.Modeless(), 10));
    EXPECT_TRUE(plat::PostWindowMessage(ui.Modeless(), plat::kMsgUser));
    ui.StartLoop();
    EXPECT_TRUE(plat::headless::Sync(ui.Modeless()));
    EXPECT_EQ(h.Events(), (Strings{"init", "user 1024"}));
    ui.End();
}

}  // namespace
}  // namespace toolkit_test
