// Long random sequences of the host's calls run through the plug-in and
// through the reference model; every answer, result text and file must
// agree. Set STATS_LONG_TESTS=1 for the long run (over 100,000 calls).
#include <cmath>
#include <cstdlib>
#include <deque>
#include <fstream>
#include <limits>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "platform/posix/host_services.h"
#include "platform/profile.h"
#include "tests/model/reference_model.h"
#include "tests/support/plugin_fixture.h"

namespace {

using testing_support::Visible;

using testing_support::PluginTest;

struct Station {
    const char* call;
    const char* dxcc;
    const char* continent;
};

// A small pool, so that dupes and previous exchanges are frequent. It holds
// calls that contain one another and one that differs only in case.
const Station kStations[] = {
    {"YU1AAA", "YU", "EU"}, {"YT2BBB", "YT", "EU"}, {"YU7CCC", "YU", "EU"}, {"YU1AA", "YU", "EU"},
    {"DL2BBB", "DL", "EU"}, {"W1CCC", "K", "NA"},   {"OK1DDD", "OK", "EU"}, {"UA3EEE", "UA", "EU"},
    {"JA1FFF", "JA", "AS"}, {"yu1aaa", "YU", "EU"}, {"", "DL", "EU"},       {"9A1GGG", "9A", "EU"},
};

struct OwnStation {
    const char* call;
    const char* dxcc;
    const char* continent;
};

const OwnStation kOwnStations[] = {
    {"DL1XYZ", "DL", "EU"}, {"YU1ZZZ", "YU", "EU"}, {"YT9A", "YT", "EU"},
    {"W1AW", "K", "NA"},    {"UA3ABC", "UA", "EU"}, {"Y&U<1>\"Q", "YU", "EU"},
};

// Host folders and the version the contest-run start finds in each.
struct HostFolder {
    const char* folder;
    const char* version;
};

const HostFolder kHostFolders[] = {
    {"", "Larq"},      {"h218/", "2.18"},   {"h219/", "2.19"},
    {"h220/", "2.20"}, {"h214R/", "2.14R"}, {"hsp/", "2.19 "},
};

const char* const kBands[] = {"80m", "40m", "20m",  "15m", "10m", "20M",
                              "80M", "10M", "160m", "30m", ""};
const int kBandWeights[] = {15, 15, 16, 14, 12, 8, 3, 3, 6, 5, 3};
const char* const kModes[] = {"CW", "SSB", "cw", "Ssb", "RTTY", ""};
const int kModeWeights[] = {36, 36, 9, 5, 9, 5};
const char* const kYuExchanges[] = {"BGD",     "NIS",  "ZLA",   "KOS",   "bgd",
                                    " bgd",    "nis ", "\tZLA", "Pec\t", "KOL\r\n",
                                    "\vMAC\f", "123",  "XYZ",   "B GD",  ""};
const char* const kOtherExchanges[] = {"001", "0123", "015",    "599",          "BGD",
                                       "",    "1 2",  "12\r34", "0123456789AB", "14",
                                       "EU",  " 7 ",  "08",     "12345678901",  " "};
// The settings key "Rules" before a contest-run start ("" none), and the
// band a report run's form answers.
const char* const kRulesValues[] = {"", "", "2020", "2020", " 2020 ", "classic", "2021"};
const char* const kFormBands[] = {"ALL", "40M", "20m", "10M", "160M"};
const char* const kSentExchanges[] = {"001", "001", "001",     "001", "001",
                                      "001", "",    "599 001", "1234"};
const char* const kRsts[] = {"599", "599", "599", "59", "", " 5  9 "};
const char* const kDxccOthers[] = {"DL", "YU", "OK", "9A", "K", "yu", "XX"};

std::string DescribeTime(const StatsDate& d) {
    std::ostringstream out;
    out.precision(17);
    out << d.m_dt << "/" << d.m_status;
    return out.str();
}

std::string Describe(const host::QsoFields& q) {
    return "own='" + Visible(q.ownCall) + "' call='" + Visible(q.call) +
           "' time=" + DescribeTime(q.time) + " f=" + std::to_string(q.frequencyHz) + " mode='" +
           Visible(q.mode) + "' rst=" + Visible(q.rstSent) + "/" + Visible(q.rstRcvd) + " exch='" +
           Visible(q.exchSent) + "'/'" + Visible(q.exchRcvd) + "' dxcc='" + Visible(q.dxcc) +
           "' cont='" + Visible(q.continent) + "' band='" + Visible(q.band) + "'";
}

std::string Pointer(const char* text) {
    return text == nullptr ? std::string("null") : "'" + Visible(text) + "'";
}

// The host never passes a null text, but the plug-in must read one as the
// empty text: these calls pass null for every empty field and for every
// text the plug-in ignores.
const char* NullIfEmpty(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

template <typename Fn>
int CallWithNulls(Fn fn, const host::QsoFields& q) {
    StatsDate time = q.time;
    StatsDate other;
    return fn(NullIfEmpty(q.ownCall), NullIfEmpty(q.call), &time, &other, &other, &other, 0,
              q.frequencyHz, NullIfEmpty(q.mode), NullIfEmpty(q.rstSent), NullIfEmpty(q.rstRcvd),
              NullIfEmpty(q.exchSent), NullIfEmpty(q.exchRcvd), nullptr, nullptr, nullptr, nullptr,
              nullptr, nullptr, nullptr, nullptr, nullptr, NullIfEmpty(q.dxcc), 0, 0, 0, 0.0, 0.0,
              nullptr, NullIfEmpty(q.continent), nullptr, NullIfEmpty(q.band), nullptr);
}

int ResetWithNulls(const host::Plugin& plugin, const host::ContestRun& run) {
    StatsDate start = run.start;
    StatsDate end = run.end;
    return plugin.resetStats0_(NullIfEmpty(run.hostFolder), run.reportRun, NullIfEmpty(run.ownCall),
                               &start, &end, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                               nullptr, nullptr, nullptr, NullIfEmpty(run.ownDxcc), 0, 0, 0, 0.0,
                               0.0, nullptr, NullIfEmpty(run.ownContinent), nullptr);
}

class RandomizedModel : public PluginTest, public ::testing::WithParamInterface<unsigned> {
  protected:
    void SetUp() override {
        PluginTest::SetUp();
        for (const HostFolder& h : kHostFolders) {
            if (h.folder[0] != '\0') {
                const std::string folder(h.folder);
                ASSERT_EQ(std::system(("mkdir -p '" + dir() + "/" + folder + "'").c_str()), 0);
                WriteFile(folder + "Larq2.ini",
                          std::string("[Larq]\r\nPath=x\r\nLarq=") + h.version + "\r\n");
            }
        }
    }

    // Runs `steps` random calls; false after the first disagreement.
    bool Run(unsigned seed, int steps);

  private:
    int Pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
    bool Chance(int percent) { return Pick(100) < percent; }
    template <size_t N>
    int Weighted(const int (&weights)[N]) {
        int total = 0;
        for (int w : weights) {
            total += w;
        }
        int at = Pick(total);
        for (size_t i = 0; i < N; ++i) {
            if (at < weights[i]) {
                return static_cast<int>(i);
            }
            at -= weights[i];
        }
        return 0;
    }

    StatsDate NextQsoTime();
    host::QsoFields RandomQso();
    host::ContestRun RandomRun(std::string& version);

    void DoReset();
    void DoAdd();
    void DoRemove();
    void DoCheck();
    void DoIsValid();
    void DoResult();
    void DoReload();

    void Note(const std::string& what);
    void Fail(const std::string& what);
    void Expect(bool same, const std::string& what, const std::string& expected,
                const std::string& actual);
    void CompareFiles();
    std::string ClaimedSetting() const;

    std::mt19937 rng_;
    model::ReferenceModel model_;
    unsigned seed_ = 0;
    int step_ = 0;
    bool failed_ = false;
    std::deque<std::string> history_;
    double baseDay_ = 0;
    int clock_ = 0;  // seconds after the base of the current run
    std::string ownCall_;
    std::vector<host::QsoFields> stored_;
    std::vector<host::QsoFields> rejected_;
};

void RandomizedModel::Note(const std::string& what) {
    history_.push_back("#" + std::to_string(step_) + " " + what);
    if (history_.size() > 25) {
        history_.pop_front();
    }
}

void RandomizedModel::Fail(const std::string& what) {
    std::string text = "seed " + std::to_string(seed_) + ", step " + std::to_string(step_) + ": " +
                       what + "\nlast calls:\n";
    for (const std::string& h : history_) {
        text += "  " + h + "\n";
    }
    ADD_FAILURE() << text;
    failed_ = true;
}

void RandomizedModel::Expect(bool same, const std::string& what, const std::string& expected,
                             const std::string& actual) {
    if (same || failed_) {
        return;
    }
    // Long texts are shown around their first difference.
    size_t at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at]) {
        ++at;
    }
    const size_t from = at > 100 ? at - 100 : 0;
    Fail(what + " differs at byte " + std::to_string(at) + "\n  model:   " +
         Visible(expected.substr(from, 240)) + "\n  plug-in: " + Visible(actual.substr(from, 240)));
}

std::string RandomizedModel::ClaimedSetting() const {
    std::ifstream in("Plugins/DI-VE-RI.ini", std::ios::binary);
    std::string line;
    std::string value = "<none>";
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (line.compare(0, 8, "Claimed=") == 0) {
            value = line.substr(8);
        }
    }
    return value;
}

void RandomizedModel::CompareFiles() {
    for (const auto& file : model_.BadQsoFiles()) {
        Expect(ReadFile(file.first) == file.second, "bad-QSO file " + file.first, file.second,
               ReadFile(file.first));
    }
}

StatsDate RandomizedModel::NextQsoTime() {
    StatsDate d;
    const int kind = Pick(100);
    if (kind < 55) {
        clock_ += Pick(241);
    } else if (kind < 75) {
        clock_ += Pick(21);  // often the same minute
    } else if (kind < 85) {
        clock_ += 600 + Pick(3400);
    } else if (kind < 91) {
        clock_ -= Pick(1200);
    } else {
        switch (Pick(9)) {
            case 0:
                d.m_status = 1;
                d.m_dt = baseDay_ + Pick(3);
                return d;
            case 1:
                d.m_status = 2;
                d.m_dt = Pick(2) == 0 ? 0.0 : baseDay_;
                return d;
            case 2:
                d.m_dt = std::numeric_limits<double>::quiet_NaN();
                return d;
            case 3:
                d.m_dt = std::numeric_limits<double>::infinity();
                return d;
            case 4:
                d.m_dt = 3.0e6;
                return d;  // after year 9999
            case 5:
                d.m_dt = -1.25;
                return d;  // 29 December 1899 06:00
            case 6:
                d.m_dt = -20000.375;
                return d;
            case 7:
                d.m_dt = baseDay_ + (clock_ + 0.3) / 86400.0;
                return d;
            default:
                d.m_dt = -700000.0;
                return d;  // before year 100
        }
    }
    d.m_dt = baseDay_ + clock_ / 86400.0;
    return d;
}

host::QsoFields RandomizedModel::RandomQso() {
    const Station& s = kStations[Pick(static_cast<int>(std::size(kStations)))];
    host::QsoFields q;
    q.ownCall = Chance(92) ? ownCall_ : (Chance(50) ? "" : "DL1  XYZ");
    q.call = s.call;
    q.dxcc = Chance(92) ? s.dxcc : kDxccOthers[Pick(static_cast<int>(std::size(kDxccOthers)))];
    q.continent = Chance(95) ? s.continent : "";
    q.time = NextQsoTime();
    q.band = kBands[Weighted(kBandWeights)];
    q.mode = kModes[Weighted(kModeWeights)];
    const int kind = Pick(100);
    q.frequencyHz = kind < 3   ? 0u
                    : kind < 5 ? 4294967295u
                               : 3500000u + static_cast<unsigned>(Pick(25000000));
    q.rstSent = kRsts[Pick(static_cast<int>(std::size(kRsts)))];
    q.rstRcvd = kRsts[Pick(static_cast<int>(std::size(kRsts)))];
    q.exchSent = kSentExchanges[Pick(static_cast<int>(std::size(kSentExchanges)))];
    const bool yu = q.dxcc == "YU" || q.dxcc == "YT";
    q.exchRcvd = yu ? kYuExchanges[Pick(static_cast<int>(std::size(kYuExchanges)))]
                    : kOtherExchanges[Pick(static_cast<int>(std::size(kOtherExchanges)))];
    return q;
}

host::ContestRun RandomizedModel::RandomRun(std::string& version) {
    const HostFolder& h = kHostFolders[Pick(static_cast<int>(std::size(kHostFolders)))];
    version = h.version;
    const OwnStation& own =
        kOwnStations[Chance(95) ? Pick(static_cast<int>(std::size(kOwnStations)) - 1)
                                : static_cast<int>(std::size(kOwnStations)) - 1];
    host::ContestRun run;
    run.hostFolder = h.folder;
    run.reportRun = Chance(5) ? 1 : 0;
    run.ownCall = own.call;
    run.ownDxcc = own.dxcc;
    run.ownContinent = own.continent;
    run.start = host::MakeDate(2026, 12, 5, 12, 0);
    run.end = host::MakeDate(2026, 12, 6 + Pick(2), 12, 0);
    if (Chance(4)) {
        run.end.m_status = Pick(2) == 0 ? 1 : 2;
    }
    if (Chance(4)) {
        run.start.m_status = Pick(2) == 0 ? 1 : 2;
    }
    return run;
}

void RandomizedModel::DoReset() {
    std::string version;
    const host::ContestRun run = RandomRun(version);
    const bool nulls = Chance(10);
    Note(std::string("ResetStats0") + (nulls ? " (nulls)" : "") + " folder='" + run.hostFolder +
         "' report=" + std::to_string(run.reportRun) + " own=" + Visible(run.ownCall) + "/" +
         run.ownDxcc + "/" + run.ownContinent + " start=" + DescribeTime(run.start) +
         " end=" + DescribeTime(run.end));
    const std::string rules = kRulesValues[Pick(static_cast<int>(std::size(kRulesValues)))];
    const std::string formBand = kFormBands[Pick(static_cast<int>(std::size(kFormBands)))];
    if (!rules.empty() || Chance(50)) {
        plat::WriteProfileString("Plugins\\DI-VE-RI.ini", "Settings", "Rules", rules);
    }
    plat::SetModalFormHandler([formBand](const std::string&, std::vector<plat::FormField>& fields) {
        for (plat::FormField& f : fields) {
            if (f.label == "CATEGORY-BAND") {
                f.value = formBand;
            }
        }
        return true;
    });
    // A key left out stays as an earlier start left it.
    const std::string key =
        plat::ReadProfileString("Plugins\\DI-VE-RI.ini", "Settings", "Rules", "");
    Note("rules '" + key + "', form band " + formBand);
    const bool rules2020 = key == "2020";
    const std::string entryBand = formBand == "ALL" || formBand == "160M"
                                      ? ""
                                      : std::string(1, formBand[0]) + formBand[1] + "m";
    const int expected = model_.ResetStats(run, version, rules2020, entryBand);
    const int actual = nulls ? ResetWithNulls(plugin, run) : plugin.Reset(run);
    Expect(expected == actual, "ResetStats0 result", std::to_string(expected),
           std::to_string(actual));
    ownCall_ = run.ownCall;
    baseDay_ = run.start.m_dt;
    clock_ = 0;
    stored_.clear();
    rejected_.clear();
    CompareFiles();
}

void RandomizedModel::DoAdd() {
    const host::QsoFields q = RandomQso();
    const bool nulls = Chance(4);
    const int expected = model_.AddData(q);
    const int actual = nulls ? CallWithNulls(plugin.addData0_, q) : plugin.Add(q);
    Note(std::string("AddData0") + (nulls ? " (nulls) " : " ") + Describe(q) + " -> " +
         std::to_string(actual));
    Expect(expected == actual, "AddData0 result", std::to_string(expected), std::to_string(actual));
    (expected == 1 ? stored_ : rejected_).push_back(q);
    CompareFiles();
}

void RandomizedModel::DoRemove() {
    host::QsoFields q;
    std::string how;
    const int kind = Pick(100);
    if (kind < 60 && !stored_.empty()) {
        const size_t i = static_cast<size_t>(Pick(static_cast<int>(stored_.size())));
        q = stored_[i];
        stored_.erase(stored_.begin() + static_cast<long>(i));
        how = "stored";
    } else if (kind < 75 && !rejected_.empty()) {
        q = rejected_[static_cast<size_t>(Pick(static_cast<int>(rejected_.size())))];
        how = "rejected";
    } else if (kind < 90 && !stored_.empty()) {
        q = stored_[static_cast<size_t>(Pick(static_cast<int>(stored_.size())))];
        q.time.m_dt += (Chance(50) ? 1.0 : -1.0) / 86400.0;
        how = "one second off";
    } else {
        q = RandomQso();
        how = "random";
    }
    const bool nulls = Chance(4);
    const int expected = model_.RemoveData(q);
    const int actual = nulls ? CallWithNulls(plugin.removeData0_, q) : plugin.Remove(q);
    Note("RemoveData0 (" + how + (nulls ? ", nulls) " : ") ") + Describe(q) + " -> " +
         std::to_string(actual));
    Expect(expected == actual, "RemoveData0 result", std::to_string(expected),
           std::to_string(actual));
    CompareFiles();
}

void RandomizedModel::DoCheck() {
    const Station& s = kStations[Pick(static_cast<int>(std::size(kStations)))];
    host::CallCheck c;
    c.call = s.call;
    c.mode = kModes[Weighted(kModeWeights)];
    c.dxcc = Chance(85)
                 ? s.dxcc
                 : (Chance(50) ? "" : kDxccOthers[Pick(static_cast<int>(std::size(kDxccOthers)))]);
    const char* band = Chance(94) ? kBands[Weighted(kBandWeights)] : nullptr;
    std::string variant = band != nullptr ? band : "";
    for (char& ch : variant) {
        ch = static_cast<char>(ch == 'm' ? 'M' : ch);
    }
    const int second = Pick(100);
    c.band = band;
    c.secondBand = second < 55   ? band
                   : second < 70 ? variant.c_str()
                   : second < 85 ? kBands[Weighted(kBandWeights)]
                                 : nullptr;
    c.wantExchange = Chance(85);
    const host::CallCheckAnswer expected = model_.CheckCall(c);
    const host::CallCheckAnswer actual = plugin.Check(c);
    Note("CheckCall0 call='" + Visible(c.call) + "' mode='" + c.mode + "' dxcc='" + c.dxcc +
         "' band=" + Pointer(c.band) + " second=" + Pointer(c.secondBand) +
         " buffer=" + (c.wantExchange ? "yes" : "null") + " -> " + std::to_string(actual.status));
    Expect(expected.status == actual.status, "CheckCall0 status", std::to_string(expected.status),
           std::to_string(actual.status));
    Expect(expected.bufferWritten == actual.bufferWritten, "CheckCall0 buffer written",
           expected.bufferWritten ? "yes" : "no", actual.bufferWritten ? "yes" : "no");
    Expect(expected.prevExchange == actual.prevExchange, "CheckCall0 previous exchange",
           expected.prevExchange, actual.prevExchange);
}

void RandomizedModel::DoIsValid() {
    const char* const kTexts[] = {"599", "001", "1234", "12",  "12345", "BGD",
                                  "bgd", "12A", "",     "ZLA", " 001",  "0599"};
    const char* x = kTexts[Pick(static_cast<int>(std::size(kTexts)))];
    const int expected = model::ReferenceModel::IsValidExchange(x);
    const int actual = plugin.IsValidExchange(x);
    Note("IsValidExchg0 '" + Visible(x) + "' -> " + std::to_string(actual));
    Expect(expected == actual, "IsValidExchg0 result", std::to_string(expected),
           std::to_string(actual));
}

void RandomizedModel::DoResult() {
    int expectedValue = 0;
    int actualValue = 0;
    const std::string expected = model_.GetResult(&expectedValue);
    const std::string actual = plugin.Result(&actualValue);
    Note("GetResult0 (log of " + std::to_string(model_.logSize()) + ", bad-QSO file '" +
         model_.badQsoFileName() + "')");
    Expect(expected == actual, "GetResult0 text", expected, actual);
    Expect(expectedValue == actualValue, "GetResult0 host value", std::to_string(expectedValue),
           std::to_string(actualValue));
    Expect(std::to_string(model_.claimed()) == ClaimedSetting(), "Claimed setting",
           std::to_string(model_.claimed()), ClaimedSetting());
    CompareFiles();
}

void RandomizedModel::DoReload() {
    Reload();
    model_.Reload();
    std::string what = "reload";
    if (Chance(60)) {
        plugin.SetVersion("2.19");
        model_.SetVersion();
        what += " + setVersion";
    }
    Note(what);
    stored_.clear();
    rejected_.clear();
}

bool RandomizedModel::Run(unsigned seed, int steps) {
    seed_ = seed;
    rng_.seed(seed);
    ownCall_ = "";
    baseDay_ = host::MakeDate(2026, 12, 5, 12, 0).m_dt;
    for (step_ = 0; step_ < steps && !failed_; ++step_) {
        const int kind = step_ == 0 ? 0 : Pick(1000);
        if (kind < 12) {
            DoReset();
        } else if (kind < 15) {
            DoReload();
        } else if (kind < 17) {
            plugin.SetVersion("");
            model_.SetVersion();
            Note("setVersion");
        } else if (kind < 470) {
            DoAdd();
        } else if (kind < 600) {
            DoRemove();
        } else if (kind < 800) {
            DoCheck();
        } else if (kind < 850) {
            DoIsValid();
        } else {
            DoResult();
        }
    }
    return !failed_;
}

TEST_P(RandomizedModel, PlugInAgreesWithTheModel) {
    const char* longRun = std::getenv("STATS_LONG_TESTS");
    const bool isLong = longRun != nullptr && std::string(longRun) == "1";
    EXPECT_TRUE(Run(GetParam(), isLong ? 20000 : 700));
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomizedModel, ::testing::Range(1u, 7u));

}  // namespace
