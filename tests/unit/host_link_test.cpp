// The native host link against a registered host object: calls from the UI
// thread are carried out on the host's thread only when it pumps, the UI
// thread keeps handling sent messages while it waits, and the answers are
// converted as the Windows link converts them.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <future>
#include <mutex>
#include <stdexcept>
#include <thread>
#include <vector>

#include "platform/host_link.h"
#include "platform/host_wait.h"
#include "platform/posix/host_object.h"
#include "tests/support/recording_host.h"

namespace {

using namespace std::chrono_literals;

using testing_support::RecordingHost;

// The sent-message hook of these tests: counts its runs and remembers the
// thread, standing in for the window system handling a close request.
std::atomic<int> g_hookRuns{0};
std::atomic<bool> g_closeRequested{false};
std::atomic<bool> g_closeHandled{false};
std::thread::id g_hookThread;
std::mutex g_hookMutex;

void RecordingHook() {
    ++g_hookRuns;
    if (g_closeRequested.exchange(false)) {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        g_hookThread = std::this_thread::get_id();
        g_closeHandled = true;
    }
}

class HostLinkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        plat::ResetHostObject();
        plat::SetSentMessageHook(nullptr);
        g_hookRuns = 0;
        g_closeRequested = false;
        g_closeHandled = false;
        host_ = std::make_shared<RecordingHost>();
    }
    void TearDown() override {
        plat::ResetHostObject();
        plat::SetSentMessageHook(nullptr);
    }

    // Runs `work` on a UI thread of its own with a link opened there.
    template <typename Result>
    std::future<Result> OnUiThread(std::function<Result(plat::HostLink&)> work) {
        return std::async(std::launch::async, [work] {
            plat::HostLink link;
            if (!link.Open()) {
                throw std::runtime_error("link did not open");
            }
            Result result = work(link);
            link.Close();
            return result;
        });
    }

    // Waits (without pumping) until `count` calls are queued for the host.
    static bool WaitForQueued(int count) {
        for (int i = 0; i < 400; ++i) {
            if (plat::PendingHostCalls() >= count) {
                return true;
            }
            std::this_thread::sleep_for(5ms);
        }
        return false;
    }

    std::shared_ptr<RecordingHost> host_;
};

TEST_F(HostLinkTest, OpensOnlyWhileAHostObjectIsRegistered) {
    plat::HostLink link;
    EXPECT_FALSE(link.Open());
    EXPECT_FALSE(link.IsOpen());
    EXPECT_FALSE(link.RunMacro("<MODE:CW>"));

    plat::RegisterHostObject(host_);
    ASSERT_TRUE(link.Open());
    EXPECT_TRUE(link.RunMacro("<MODE:CW>"));

    // A link opened before the host went away fails every call, and a new
    // one does not open.
    plat::UnregisterHostObject();
    EXPECT_FALSE(link.RunMacro("<MODE:SSB>"));
    std::string text;
    EXPECT_FALSE(link.GetFieldText(5, text));
    plat::HostLink later;
    EXPECT_FALSE(later.Open());

    // A link to an earlier registration stays dead after a new one.
    plat::RegisterHostObject(std::make_shared<RecordingHost>());
    EXPECT_FALSE(link.RunMacro("<SP1>"));
    EXPECT_EQ(host_->Macros(), std::vector<std::string>{"<MODE:CW>"});
}

TEST_F(HostLinkTest, CallsFromTheUiThreadRunOnTheHostThreadWhenItPumps) {
    plat::RegisterHostObject(host_);
    auto ui = OnUiThread<std::string>([](plat::HostLink& link) {
        std::string out = link.RunMacro("<MODE:CW>") ? "ok" : "failed";
        std::string text;
        out += link.GetFieldText(5, text) ? " " + text : " no text";
        double hz = 0;
        out += link.Frequency(hz) ? " " + std::to_string(static_cast<long>(hz)) : " no frequency";
        return out;
    });

    // The macro waits in the queue until the host's thread pumps.
    ASSERT_TRUE(WaitForQueued(1));
    std::this_thread::sleep_for(20ms);
    EXPECT_TRUE(host_->Macros().empty());
    EXPECT_EQ(ui.wait_for(0ms), std::future_status::timeout);
    EXPECT_EQ(plat::PumpHostCalls(), 1);
    EXPECT_EQ(host_->Macros(), std::vector<std::string>{"<MODE:CW>"});

    // The other two arrive one after the other while the host pumps.
    int served = 0;
    for (int i = 0; i < 200 && served < 2; ++i) {
        served += plat::PumpHostCallsFor(10);
    }
    EXPECT_EQ(served, 2);
    EXPECT_EQ(ui.get(), "ok YU1AA 14025000");
    EXPECT_EQ(host_->Fields(), std::vector<int>{5});
    for (std::thread::id id : host_->Threads()) {
        EXPECT_EQ(id, std::this_thread::get_id());
    }
}

TEST_F(HostLinkTest, OnlyTheHostThreadPumps) {
    plat::RegisterHostObject(host_);
    auto ui = OnUiThread<bool>([](plat::HostLink& link) { return link.RunMacro("<SP1>"); });
    ASSERT_TRUE(WaitForQueued(1));
    auto other = std::async(std::launch::async,
                            [] { return plat::PumpHostCalls() + plat::PumpHostCallsFor(20); });
    EXPECT_EQ(other.get(), 0);
    EXPECT_TRUE(host_->Macros().empty());
    EXPECT_EQ(plat::PumpHostCalls(), 1);
    EXPECT_TRUE(ui.get());
}

TEST_F(HostLinkTest, FailuresAndAnswersThatAreNotText) {
    plat::RegisterHostObject(host_);
    plat::HostLink link;  // on the host's thread: calls run at once
    ASSERT_TRUE(link.Open());
    std::string text = "before";
    double hz = -1;

    host_->SetMacroSucceeds(false);
    EXPECT_FALSE(link.RunMacro("<MODE:SSB>"));

    for (const auto& answer :
         {std::optional<plat::HostValue>(), std::optional<plat::HostValue>(plat::HostValue()),
          std::optional<plat::HostValue>(std::int32_t{5}), std::optional<plat::HostValue>(7.0)}) {
        host_->SetField(answer);
        EXPECT_FALSE(link.GetFieldText(5, text));
        EXPECT_EQ(text, "before");
    }
    host_->SetField(plat::HostValue(std::string()));
    EXPECT_TRUE(link.GetFieldText(5, text));
    EXPECT_EQ(text, "");

    host_->SetThrows(true);
    EXPECT_FALSE(link.GetFieldText(5, text));

    // The frequency converts as a variant does; text that is not a number
    // and a failed call leave the value alone.
    const std::pair<plat::HostValue, double> converted[] = {
        {plat::HostValue(std::int32_t{7000000}), 7000000.0},
        {plat::HostValue(std::string(" 3525000.5 ")), 3525000.5},
        {plat::HostValue(), 0.0},
        {plat::HostValue(-1.5e300), -1.5e300},
    };
    for (const auto& [answer, expected] : converted) {
        host_->SetFrequency(answer);
        ASSERT_TRUE(link.Frequency(hz));
        EXPECT_EQ(hz, expected);
    }
    hz = 42;
    for (const auto& answer :
         {std::optional<plat::HostValue>(), std::optional<plat::HostValue>(std::string("14 MHz")),
          std::optional<plat::HostValue>(std::string(""))}) {
        host_->SetFrequency(answer);
        EXPECT_FALSE(link.Frequency(hz));
        EXPECT_EQ(hz, 42);
    }
}

TEST_F(HostLinkTest, ALinkServesOnlyTheThreadThatOpenedIt) {
    plat::RegisterHostObject(host_);
    plat::HostLink link;
    ASSERT_TRUE(link.Open());
    auto elsewhere = std::async(std::launch::async, [&link] { return link.RunMacro("<SP1>"); });
    EXPECT_FALSE(elsewhere.get());
    EXPECT_EQ(plat::PendingHostCalls(), 0);
    EXPECT_TRUE(host_->Macros().empty());
}

TEST_F(HostLinkTest, UnregisteringFailsTheWaitingCall) {
    plat::RegisterHostObject(host_);
    auto ui = OnUiThread<bool>([](plat::HostLink& link) { return link.RunMacro("<SP1>"); });
    ASSERT_TRUE(WaitForQueued(1));
    plat::UnregisterHostObject();
    EXPECT_FALSE(ui.get());
    EXPECT_EQ(plat::PendingHostCalls(), 0);
    EXPECT_TRUE(host_->Macros().empty());
}

// The host's thread asks the UI thread to close while the UI thread waits
// for the host: the UI thread handles the request inside its wait, and the
// host's thread then waits for the UI thread to end while serving its call,
// as the plug-in's unload does. Neither waits for the other for ever.
TEST_F(HostLinkTest, ACloseRequestDuringAHostCallEndsWithoutDeadlock) {
    plat::SetSentMessageHook(RecordingHook);
    plat::RegisterHostObject(host_);
    std::atomic<bool> uiEnded{false};
    auto ui = OnUiThread<bool>([&uiEnded](plat::HostLink& link) {
        const bool ok = link.RunMacro("<MODE:CW>");
        uiEnded = true;
        return ok;
    });
    ASSERT_TRUE(WaitForQueued(1));

    // The synchronous close request, without pumping host calls.
    g_closeRequested = true;
    plat::WakeHostCallWaiters();
    for (int i = 0; i < 400 && !g_closeHandled; ++i) {
        std::this_thread::sleep_for(5ms);
    }
    ASSERT_TRUE(g_closeHandled);
    {
        std::lock_guard<std::mutex> lock(g_hookMutex);
        EXPECT_NE(g_hookThread, std::this_thread::get_id());
    }
    EXPECT_TRUE(host_->Macros().empty());

    const bool ended = plat::WaitServingHostCalls(
        [](void* flag) { return static_cast<std::atomic<bool>*>(flag)->load(); }, &uiEnded, 2000);
    EXPECT_TRUE(ended);
    EXPECT_TRUE(ui.get());
    EXPECT_EQ(host_->Macros(), std::vector<std::string>{"<MODE:CW>"});
}

// A thread that is not the host's cannot serve the call: its wait ends by
// the time limit, and the call still waits for the host.
TEST_F(HostLinkTest, AWaitElsewhereEndsByItsTimeLimit) {
    plat::RegisterHostObject(host_);
    auto ui = OnUiThread<bool>([](plat::HostLink& link) { return link.RunMacro("<SP1>"); });
    ASSERT_TRUE(WaitForQueued(1));
    auto other = std::async(std::launch::async, [] {
        return plat::WaitServingHostCalls([](void*) { return false; }, nullptr, 30);
    });
    EXPECT_FALSE(other.get());
    EXPECT_EQ(plat::PendingHostCalls(), 1);
    EXPECT_EQ(plat::PumpHostCalls(), 1);
    EXPECT_TRUE(ui.get());
}

}  // namespace
