// Each QSO's call number and entity as the contest's check finds them, half of
// the QSOs on each of two threads: the halves must meet exactly, wherever the middle
// falls (between logs, inside one long log, with empty logs around it).
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "host/cross_check/qso_countries.h"
#include "tests/host/cross_check/in_memory_logs.h"

namespace {

using cross_check_test::Entrant;
using cross_check_test::Qso;
using host::EntrantLog;

const char kCountries[] =
    "Serbia:                   15:  28:  EU:   44.00:   -21.00:    -1.0:  YU:\n"
    "    YT,YU;\n"
    "Fed. Rep. of Germany:     14:  28:  EU:   51.00:   -10.00:    -1.0:  DL:\n"
    "    DA,DB,DC,DD,DF,DG,DH,DJ,DK,DL,DM,DN,DO,DP,DQ,DR;\n"
    "Czech Republic:           15:  28:  EU:   50.00:   -16.00:    -1.0:  OK:\n"
    "    OK,OL;\n";

// A log of n QSOs whose calls cycle through the known entities and one the
// file does not know.
EntrantLog LogOf(const std::string& call, size_t n) {
    const char* const worked[] = {"YU1AA", "DL1ABC", "Q9ZZZ", "OK1XYZ", "YT7BB"};
    std::vector<host::LogQso> qsos;
    for (size_t i = 0; i < n; ++i) {
        qsos.push_back(Qso(worked[(i + call.size()) % 5], static_cast<int>(i % 600)));
    }
    return Entrant(call, qsos);
}

TEST(QsoCountries, EveryQsoHasItsCallsEntityWhereverTheHalvesMeet) {
    host::CountryResolver countries;
    std::string error;
    ASSERT_TRUE(countries.LoadText(kCountries, "test.dat", error)) << error;
    const std::vector<std::vector<size_t>> contests = {
        {},               // no log at all
        {0},              // one log, no QSO
        {1},              // one QSO: one half is empty
        {7},              // one log holds them all: the middle falls inside it
        {3, 3},           // the middle falls between two logs
        {0, 5, 0, 0, 4},  // empty logs on both sides of the middle
        {1, 1, 1, 1, 1, 1, 1, 1, 1},
        {2, 301, 5},
    };
    for (const std::vector<size_t>& sizes : contests) {
        std::vector<EntrantLog> logs;
        for (size_t l = 0; l < sizes.size(); ++l) {
            logs.push_back(LogOf("YU" + std::string(l + 1, 'A'), sizes[l]));
        }
        const host::QsoCalls calls(logs);
        const host::QsoCountries resolved(calls, countries);
        const host::Country* const* entity = resolved.all();
        size_t at = 0;
        std::map<std::string, uint32_t> numbered;  // in the order the calls first come
        for (const EntrantLog& e : logs) {
            for (const host::LogQso& q : e.log.qsos) {
                const uint32_t number = calls.ofQso()[at];
                const auto first = numbered.emplace(q.call, static_cast<uint32_t>(numbered.size()));
                ASSERT_EQ(number, first.first->second) << q.call << " at QSO " << at;
                ASSERT_EQ(*calls.calls()[number], q.call);
                host::Country expected;
                const bool known = countries.Resolve(q.call, expected);
                const host::Country* got = entity[at];
                ASSERT_EQ(got != nullptr, known) << q.call << " at QSO " << at;
                if (known) {
                    EXPECT_EQ(got->prefix + " " + got->continent + " " + got->name,
                              expected.prefix + " " + expected.continent + " " + expected.name)
                        << q.call << " at QSO " << at;
                }
                ++at;
            }
        }
        EXPECT_EQ(calls.calls().size(), numbered.size());
    }
}

}  // namespace
