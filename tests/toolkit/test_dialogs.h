// A dialog handler that records what reaches it, the dialog the window
// system's tests open, and a fixture that leaves no window behind.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "platform/dialog.h"
#include "tests/headless/headless_windows.h"

namespace toolkit_test {

constexpr int kTemplateId = 104;
constexpr int kButton = 10;
constexpr int kCheck = 11;
constexpr int kLabel = 12;
constexpr int kDrawn = 13;

// Caption "Test", at (10, 20) dialog units, 100 x 50, with a push button,
// a check box, a label and a second push button to draw.
plat::DialogTemplate TestTemplate(int templateId = kTemplateId);

// Records each call as text ("init", "command 10 0", "close", "user 1025",
// "cursor", "size 94 31", "draw 13 17", "destroy") with the thread it ran
// on. The hooks, when set, run instead of the default behaviour.
class RecordingHandler : public plat::DialogHandler {
  public:
    std::function<void(plat::DialogWindow&)> onInit;
    std::function<void(plat::DialogWindow&)> onClose;
    std::function<void(plat::DialogWindow&, int)> onCommand;
    std::function<void(plat::DialogWindow&, unsigned)> onUser;

    std::vector<std::string> Events() const;
    // The threads the calls ran on; all the same one unless a rule broke.
    std::vector<std::thread::id> Threads() const;
    // Waits until `event` was recorded; false after 5 seconds.
    bool WaitFor(const std::string& event) const;

    bool OnInitDialog(plat::DialogWindow& w) override;
    void OnCommand(plat::DialogWindow& w, int id, int code) override;
    void OnClose(plat::DialogWindow& w) override;
    void OnUserMessage(plat::DialogWindow& w, unsigned msg) override;
    void OnSetCursor(plat::DialogWindow& w) override;
    void OnSize(plat::DialogWindow& w, int cx, int cy) override;
    void OnDrawItem(plat::DialogWindow& w, int id, plat::Canvas& c, const plat::Rect& r,
                    unsigned state) override;
    void OnDestroy(plat::DialogWindow& w) override;

  private:
    void Record(const std::string& event);

    mutable std::mutex mutex_;
    std::vector<std::string> events_;
    std::vector<std::thread::id> threads_;
};

// Runs a modal dialog of template `templateId` on a thread of its own; the
// constructor returns once the dialog exists. A run still going at the end
// is ended by resetting the windows.
class ModalThread {
  public:
    explicit ModalThread(RecordingHandler& h, int templateId = kTemplateId);
    ~ModalThread();
    ModalThread(const ModalThread&) = delete;
    ModalThread& operator=(const ModalThread&) = delete;

    plat::WindowId Id() const { return id_; }
    std::thread::id ThreadId() const { return threadId_; }
    // The modal run's result; -2 when it did not end within 5 seconds.
    int Result();

  private:
    std::promise<plat::WindowId> shown_;
    std::promise<int> result_;
    std::future<int> future_ = result_.get_future();
    std::thread thread_;
    std::thread::id threadId_;
    plat::WindowId id_ = 0;
};

class ToolkitTest : public ::testing::Test {
  protected:
    void SetUp() override { plat::headless::ResetWindows(); }
    void TearDown() override {
        EXPECT_TRUE(plat::headless::LiveWindows().empty());
        plat::headless::ResetWindows();
    }
};

}  // namespace toolkit_test
