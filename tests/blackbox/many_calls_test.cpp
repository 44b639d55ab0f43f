// A log with thousands of different calls, each worked a few times: the
// call lookups grow well past their first size while QSOs arrive and leave,
// and every answer must stay the one the reference model gives.
#include <string>
#include <vector>

#include "tests/model/reference_model.h"
#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::PluginTest;

class ManyCalls : public PluginTest {
  protected:
    // Call i on one of five bands and two modes; every seventh QSO repeats
    // an earlier one, and "cw" spells a mode differently from "CW".
    static host::QsoFields Nth(int i) {
        const char* const bands[] = {"80m", "40m", "20m", "15m", "10m"};
        const char* const modes[] = {"CW", "SSB", "cw"};
        const int station = i % 7 == 6 ? (i * 3) % 2000 : i % 2000;
        host::QsoFields q =
            Qso((station % 10 == 0 ? "YU" : "DL") + std::to_string(station),
                station % 10 == 0 ? "YU" : "DL", "EU", station % 10 == 0 ? "BGD" : "001");
        q.band = bands[(i / 2000 + station) % 5];
        q.mode = modes[(i / 3000 + station) % 3];
        q.time = host::MakeDate(2026, 12, 5, 12, 0, i % 60);
        return q;
    }

    void ExpectSameChecks(const model::ReferenceModel& m) {
        for (int station = 0; station < 2100; station += 7) {
            for (const char* band : {"80m", "20m", "10m"}) {
                host::CallCheck c;
                c.call = "DL" + std::to_string(station);
                c.mode = station % 2 == 0 ? "CW" : "cw";
                c.dxcc = "DL";
                c.band = band;
                const host::CallCheckAnswer want = m.CheckCall(c);
                const host::CallCheckAnswer got = plugin.Check(c);
                ASSERT_EQ(got.status, want.status) << c.call << " " << band;
                ASSERT_EQ(got.prevExchange, want.prevExchange) << c.call << " " << band;
            }
        }
    }
};

TEST_F(ManyCalls, AnswersMatchTheModelWhileTheLogGrowsAndShrinks) {
    model::ReferenceModel m;
    ASSERT_EQ(plugin.Reset(DefaultRun()), 1);
    m.ResetStats(DefaultRun(), "Larq");
    for (int i = 0; i < 6000; ++i) {
        ASSERT_EQ(plugin.Add(Nth(i)), m.AddData(Nth(i))) << i;
    }
    ExpectSameChecks(m);
    EXPECT_EQ(plugin.Result(), m.GetResult(nullptr));

    // Every call's QSOs leave in turn, some calls entirely, then some come back.
    for (int i = 0; i < 6000; i += 3) {
        plugin.Remove(Nth(i));
        m.RemoveData(Nth(i));
    }
    ExpectSameChecks(m);
    for (int i = 0; i < 3000; i += 6) {
        ASSERT_EQ(plugin.Add(Nth(i)), m.AddData(Nth(i))) << i;
    }
    ExpectSameChecks(m);
    EXPECT_EQ(plugin.Result(), m.GetResult(nullptr));
    EXPECT_EQ(ReadFile(m.badQsoFileName()), m.BadQsoFiles().at(m.badQsoFileName()));
}

}  // namespace
