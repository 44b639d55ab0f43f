// The previous-QSO grid from the log's per-call index against the plain walk
// over the whole log in log order, on random logs with removals.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "platform/ole_date.h"
#include "scoring/contest_lists.h"
#include "tests/unit/log_records.h"
#include "ui/prev_qso_grid.h"

namespace {

using unit_support::LoggedQso;

// Every record of the log, for every band slot whose name matches exactly.
BandLists WalkWholeLog(const QsoLog& log, const std::string& call, BandLists rows) {
    static const char* const kSlotNames[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
    ui::ClearPrevQsoCells(rows);
    if (call.empty()) {
        return rows;
    }
    for (const CInfo& r : log.records()) {
        for (size_t b = 0; b < 6; ++b) {
            if (r.m_band != kSlotNames[b] || r.m_call != call) {
                continue;
            }
            if (r.m_mode == "CW") {
                rows[b][1] = plat::FormatOleDate(r.m_time, "%H:%M");
            }
            if (r.m_mode == "SSB") {
                rows[b][2] = plat::FormatOleDate(r.m_time, "%H:%M");
            }
            rows[b][3] = (r.m_dxcc == "YU" || r.m_dxcc == "YT") ? r.m_county : r.m_exchRcvd;
        }
    }
    return rows;
}

BandLists FromIndex(const QsoLog& log, const std::string& call, BandLists rows) {
    ui::ClearPrevQsoCells(rows);
    ui::FillPrevQsoCells(log, call, rows);
    return rows;
}

TEST(PrevQsoGrid, IndexAgreesWithTheWalkOnRandomLogsWithRemovals) {
    const char* const calls[] = {"YU1AAA", "yu1aaa", "YU1AA", "DL2BBB", "W1CCC", ""};
    const char* const bands[] = {"80m", "40m", "20m", "15m", "10m", "20M", "160m", "30m"};
    const char* const modes[] = {"CW", "SSB", "cw", "Ssb", "RTTY"};
    const char* const dxccs[] = {"YU", "YT", "yu", "DL", "K"};
    const char* const exchanges[] = {"001", "0123", "BGD", "nis", ""};
    std::mt19937 rng(20261207);
    auto pick = [&rng](auto& table) {
        return table[std::uniform_int_distribution<size_t>(0, std::size(table) - 1)(rng)];
    };
    for (int run = 0; run < 10; ++run) {
        QsoLog log;
        BandLists start;  // also the grid before any contest run
        for (int step = 0; step < 300; ++step) {
            if (!log.empty() && rng() % 4 == 0) {
                log.RemoveAt(rng() % log.size());
            } else {
                const int minute = static_cast<int>(rng() % (24 * 60));
                log.Append(LoggedQso(pick(calls), pick(bands), pick(modes), pick(dxccs),
                                     pick(exchanges), pick(exchanges), minute / 60, minute % 60));
            }
            for (const char* call : calls) {
                ASSERT_EQ(FromIndex(log, call, start), WalkWholeLog(log, call, start))
                    << "run " << run << ", step " << step << ", call '" << call << "'";
            }
        }
    }
}

TEST(PrevQsoGrid, CellsOfAWorkedCall) {
    QsoLog log;
    log.Append(LoggedQso("DL2BBB", "20m", "CW", "DL", "001", "", 12, 5));
    log.Append(LoggedQso("OK1DDD", "20m", "CW", "OK", "777", "", 12, 10));
    log.Append(LoggedQso("DL2BBB", "20m", "SSB", "DL", "002", "", 12, 40));
    log.Append(LoggedQso("YU1AAA", "40m", "CW", "YU", "bgd ", "BGD", 12, 50));
    log.Append(LoggedQso("DL2BBB", "20m", "CW", "DL", "003", "", 12, 55));
    log.Append(LoggedQso("DL2BBB", "40m", "cw", "DL", "004", "", 12, 56));
    log.Append(LoggedQso("DL2BBB", "15M", "CW", "DL", "005", "", 12, 57));

    BandLists rows;
    ui::ClearPrevQsoCells(rows);
    ui::FillPrevQsoCells(log, "DL2BBB", rows);
    // The later of two CW QSOs on 20 m, the SSB time, the last exchange.
    EXPECT_EQ(rows[3], (std::vector<std::string>{"20m", "12:55", "12:40", "003", "   -", "-"}));
    // "cw" fills no time cell but still the exchange; "15M" has no row.
    EXPECT_EQ(rows[2], (std::vector<std::string>{"40m", "   -", "   -", "004", "   -", "-"}));
    EXPECT_EQ(rows[4], (std::vector<std::string>{"15m", "   -", "   -", "   -", "   -", "-"}));

    ui::ClearPrevQsoCells(rows);
    ui::FillPrevQsoCells(log, "YU1AAA", rows);
    EXPECT_EQ(rows[2][3], "BGD");  // the county of a YU station, not its raw exchange
    EXPECT_EQ(rows[3][1], "   -");
}

}  // namespace
