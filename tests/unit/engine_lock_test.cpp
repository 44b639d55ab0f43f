// The UI thread reads the log and the per-band lists under the engine lock
// (as the refresh and the table paints do) while the host's thread runs long
// mixed sequences of exports. Under ThreadSanitizer any access to the
// engine's state outside the lock shows up as a race.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <random>
#include <string>
#include <thread>

#include "platform/posix/host_services.h"
#include "platform/sync.h"
#include "plugin/stats_exports.h"
#include "scoring/engine_state.h"
#include "tests/support/scratch_folder.h"

namespace {

// A scratch folder as the current directory, with the engine as after load.
class EngineLockTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(scratch_.Enter("stats-unit"));
        plat::ResetHostServices();
        plat::LockGuard lock(EngineLock());
        ResetEngineState();
    }
    void TearDown() override {
        plat::ResetHostServices();
        EXPECT_TRUE(scratch_.Leave());
    }

    testing_support::ScratchFolder scratch_;
};

StatsDate At(int minute) {
    StatsDate d;
    d.m_dt = 46361.5 + minute / 1440.0;  // 5 December 2026 from 12:00
    return d;
}

// What the UI thread does on each refresh and paint, under the lock: walks
// the log, reads every per-band list, fills the previous-QSO cells and sorts
// the current band's DXCC list in place. Between two exports every stored
// QSO's band is among the bands worked; a read that finds otherwise saw an
// export half done. Counts what it read into `seen`.
bool ReadAsTheUiDoes(int band, size_t& seen) {
    plat::LockGuard lock(EngineLock());
    bool consistent = true;
    for (const CInfo& r : g_log.records()) {
        seen += r.m_call.size() + r.m_exchRcvd.size();
        consistent = consistent && std::find(g_bandsWorked.begin(), g_bandsWorked.end(),
                                             r.m_band) != g_bandsWorked.end();
    }
    for (const BandLists* lists : {&g_dxccByBand, &g_countyByBand, &g_prevQsoRows}) {
        for (const std::vector<std::string>& list : *lists) {
            seen += list.size();
        }
    }
    std::vector<std::string>& dxcc = g_dxccByBand[static_cast<size_t>(band)];
    std::sort(dxcc.begin(), dxcc.end());
    std::vector<std::string>& row = g_prevQsoRows[static_cast<size_t>(band)];
    if (row.size() > 3) {
        row[1] = "   -";
    }
    return consistent;
}

TEST_F(EngineLockTest, UiThreadReadsWhileTheHostRunsExports) {
    std::atomic<bool> done{false};
    std::atomic<long> reads{0};
    std::atomic<long> halfDone{0};
    std::atomic<size_t> seen{0};
    std::thread ui([&] {
        for (int band = 0; !done; band = (band + 1) % kBandSlots) {
            size_t n = 0;
            halfDone += ReadAsTheUiDoes(band, n) ? 0 : 1;
            seen += n;
            ++reads;
            std::this_thread::yield();
        }
    });

    const char* const calls[] = {"YU1AAA", "DL2BBB", "W1CCC", "YT2BBB", "OK1DDD", "9A1GGG"};
    const char* const dxccs[] = {"YU", "DL", "K", "YT", "OK", "9A"};
    const char* const bands[] = {"80m", "40m", "20m", "15m", "10m", "20M", "160m"};
    const char* const modes[] = {"CW", "SSB", "RTTY"};
    const char* const exchanges[] = {"BGD", "001", "NIS", "", "123"};
    std::mt19937 rng(20261206);
    auto pick = [&rng](int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); };
    // Report runs answer the header form and show the Output box; both
    // are modal and must not hold the lock.
    plat::SetModalFormHandler(
        [](const std::string&, std::vector<plat::FormField>&) { return true; });
    StatsDate start = At(0);
    StatsDate end = At(1440);
    for (int step = 0; step < 4000; ++step) {
        const int what = pick(20);
        const int s = pick(6);
        StatsDate time = At(pick(600));
        char previous[10];
        if (what == 0) {
            ResetStats0("", pick(4) == 0, "DL1XYZ", &start, &end, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "DL", 0, 0, 0, 0.0,
                        0.0, nullptr, "EU", nullptr);
        } else if (what <= 10) {
            AddData0("DL1XYZ", calls[s], &time, nullptr, nullptr, nullptr, 0, 14025000,
                     modes[pick(3)], "599", "599", "001", exchanges[pick(5)], nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, dxccs[s], 0, 0,
                     0, 0.0, 0.0, nullptr, "EU", nullptr, bands[pick(7)], nullptr);
        } else if (what < 13) {
            RemoveData0("DL1XYZ", calls[s], &time, nullptr, nullptr, nullptr, 0, 14025000,
                        modes[pick(3)], "599", "599", "001", "001", nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, dxccs[s], 0, 0, 0,
                        0.0, 0.0, nullptr, "EU", nullptr, bands[pick(7)], nullptr);
        } else if (what < 16) {
            CheckCall0(calls[s], 0, 0, modes[pick(3)], nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr, dxccs[s], 0, 0, 0, 0.0, 0.0, nullptr,
                       nullptr, nullptr, nullptr, nullptr, bands[pick(7)], nullptr, previous,
                       nullptr);
        } else if (what < 19) {
            int hostValue = 0;
            GetResult0(&hostValue);
        } else {
            setVersion(nullptr);
        }
    }
    done = true;
    ui.join();
    EXPECT_GT(reads.load(), 0);
    EXPECT_EQ(halfDone.load(), 0);
    EXPECT_GT(seen.load(), 0u);
}

// The engine lock is let go while a modal box or form waits for the
// operator, so that the UI thread is never kept waiting on it.
TEST_F(EngineLockTest, ModalBoxesAndFormsDoNotHoldTheLock) {
    auto lockIsFree = [] {
        auto taken = std::async(std::launch::async, [] { plat::LockGuard lock(EngineLock()); });
        return taken.wait_for(std::chrono::seconds(10)) == std::future_status::ready;
    };
    int formsSeen = 0;
    int boxesSeen = 0;
    plat::SetModalFormHandler([&](const std::string&, std::vector<plat::FormField>&) {
        ++formsSeen;
        EXPECT_TRUE(lockIsFree()) << "header form shown under the engine lock";
        return true;
    });
    plat::SetMessageBoxHandler([&](const plat::ShownMessageBox&) {
        ++boxesSeen;
        EXPECT_TRUE(lockIsFree()) << "message box shown under the engine lock";
    });
    StatsDate start = At(0);
    StatsDate end = At(1440);
    ResetStats0("", 1, "DL1XYZ", &start, &end, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                nullptr, nullptr, nullptr, "DL", 0, 0, 0, 0.0, 0.0, nullptr, "EU", nullptr);
    GetResult0(nullptr);
    SetupSet0();
    EXPECT_EQ(formsSeen, 1);
    EXPECT_EQ(boxesSeen, 2);
}

}  // namespace
