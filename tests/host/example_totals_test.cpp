// The bundled example's totals, recounted here from the log itself with the
// contest's rules, must be what stats-host prints for it.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "host/readers/country_file.h"

namespace {

struct Totals {
    int qsos = 0;
    int points = 0;
    int dxcc = 0;
    int counties = 0;
    int dupes = 0;
};

const std::set<std::string> kCounties = {"BGD", "BOR", "BRA", "JAB", "JBB", "JBN", "KMO", "KOL",
                                         "KOS", "KPO", "MAC", "MOR", "NIS", "PCI", "PEC", "PIR",
                                         "POD", "POM", "PRI", "RAN", "RAS", "SBB", "SBN", "SBT",
                                         "SRM", "SUM", "TOP", "ZAJ", "ZBB", "ZLA"};

std::string ContestBand(int kHz) {
    if (kHz >= 3500 && kHz <= 4000)
        return "80m";
    if (kHz >= 7000 && kHz <= 7300)
        return "40m";
    if (kHz >= 14000 && kHz <= 14350)
        return "20m";
    if (kHz >= 21000 && kHz <= 21450)
        return "15m";
    if (kHz >= 28000 && kHz <= 29700)
        return "10m";
    return "";
}

Totals Recount(const std::string& path, const host::CountryResolver& countries) {
    std::ifstream in(path);
    std::string line;
    std::string ownCall;
    Totals t;
    std::set<std::string> logged;
    std::map<std::string, std::set<std::string>> dxccByBand;
    std::map<std::string, std::set<std::string>> countyByBand;
    host::Country own;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string tag;
        words >> tag;
        if (tag == "CALLSIGN:") {
            words >> ownCall;
            EXPECT_TRUE(countries.Resolve(ownCall, own));
        }
        if (tag != "QSO:") {
            continue;
        }
        int kHz = 0;
        std::string mode, date, time, me, rstS, sent, call, rstR, rcvd;
        words >> kHz >> mode >> date >> time >> me >> rstS >> sent >> call >> rstR >> rcvd;
        const std::string band = ContestBand(kHz);
        if (band.empty() || (mode != "CW" && mode != "PH")) {
            continue;  // rejected
        }
        host::Country c;
        EXPECT_TRUE(countries.Resolve(call, c)) << call;
        const bool yu = c.prefix == "YU";
        const bool noCounty = yu && kCounties.count(rcvd) == 0;
        // Only a QSO with a county makes a later one with the station a dupe.
        const std::string key = call + " " + band + " " + mode;
        const bool dupe = logged.count(key) != 0;
        t.dupes += dupe ? 1 : 0;
        if (dupe || noCounty) {
            continue;
        }
        logged.insert(key);
        ++t.qsos;
        t.points += yu ? 10 : c.prefix == own.prefix ? 1 : c.continent == own.continent ? 2 : 4;
        t.dxcc += dxccByBand[band].insert(c.prefix).second ? 1 : 0;
        if (yu) {
            t.counties += countyByBand[band].insert(rcvd).second ? 1 : 0;
        }
    }
    return t;
}

TEST(BundledExample, TotalsAgreeWithAnIndependentRecount) {
    const char* const cty = "/usr/share/hamradio-files/cty.dat";
    if (!std::ifstream(cty)) {
        GTEST_SKIP() << "country file not installed (package hamradio-files)";
    }
    host::CountryResolver countries;
    std::string error;
    ASSERT_TRUE(countries.LoadFile(cty, error)) << error;
    const std::string log = std::string(STATS_EXAMPLES_DIR) + "/yu-dx-example.log";
    const Totals t = Recount(log, countries);
    // The example is what the README promises: a full log with a few faults.
    EXPECT_GE(t.qsos, 1500);
    EXPECT_GT(t.dupes, 0);

    char outDir[] = "/tmp/stats-example-XXXXXX";
    ASSERT_NE(mkdtemp(outDir), nullptr);
    const std::string command = std::string(STATS_HOST_EXE) + " score '" + log + "' --out '" +
                                outDir + "' 2>/dev/null; rm -rf '" + outDir + "'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string out;
    char buffer[4096];
    size_t n = 0;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) {
        out.append(buffer, n);
    }
    const int status = pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);

    char expected[200];
    std::snprintf(expected, sizeof expected, "Total\t %d\t %d\t %d\t %d\n", t.qsos, t.points,
                  t.dxcc, t.counties);
    EXPECT_NE(out.find(expected), std::string::npos) << "recounted " << expected << out;
    std::snprintf(expected, sizeof expected, "Dupe\t %d\n", t.dupes);
    EXPECT_NE(out.find(expected), std::string::npos) << "recounted " << expected << out;
    std::snprintf(expected, sizeof expected, "Score: %d*(%d+%d) = %d\n", t.points, t.dxcc,
                  t.counties, t.points * (t.dxcc + t.counties));
    EXPECT_NE(out.find(expected), std::string::npos) << "recounted " << expected << out;
}

}  // namespace
