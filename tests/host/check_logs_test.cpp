// stats-host check-logs run as a process over folders of logs: a generated
// contest against the generator's answers, one-character busts and portable
// calls in hand-made logs, and bad input.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace {

namespace fs = std::filesystem;

std::string Slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class CheckLogs : public ::testing::Test {
  protected:
    void SetUp() override {
        char pattern[] = "/tmp/check-logs-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir_ = pattern;
        fs::create_directory(dir_ + "/logs");
    }
    void TearDown() override {
        if (!HasFailure()) {
            fs::remove_all(dir_);
        }
    }
    int Run(const std::string& command) {
        const int raw =
            std::system((command + " >'" + dir_ + "/stdout' 2>'" + dir_ + "/stderr'").c_str());
        out_ = Slurp(dir_ + "/stdout");
        err_ = Slurp(dir_ + "/stderr");
        return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    }
    int Check(const std::string& args) {
        return Run(std::string(STATS_HOST_EXE) + " check-logs '" + dir_ + "/logs' --cty '" +
                   STATS_HOST_TEST_DATA "/cty.dat' " + args);
    }
    void Log(const std::string& name, const std::string& text) {
        std::ofstream(dir_ + "/logs/" + name, std::ios::binary) << text;
    }
    // (file, line) -> "status detail" from the JSON results.
    std::map<std::pair<std::string, int>, std::string> Statuses(const std::string& json) {
        std::map<std::pair<std::string, int>, std::string> out;
        std::istringstream in(Slurp(json));
        std::string line;
        std::string file;
        const std::regex log(R"re(\{"file": "([^"]+)", "call")re");
        const std::regex qso(R"re(\{"line": (\d+),.*"status": "([^"]+)", "detail": "([^"]*)"\})re");
        std::smatch m;
        while (std::getline(in, line)) {
            if (std::regex_search(line, m, log)) {
                file = m[1];
            } else if (std::regex_search(line, m, qso)) {
                out[{file, std::stoi(m[1])}] = m[2].str() + " " + m[3].str();
            }
        }
        return out;
    }

    std::string dir_;
    std::string out_;
    std::string err_;
};

TEST_F(CheckLogs, AGeneratedContestGetsTheGeneratorsAnswers) {
    ASSERT_EQ(Run(std::string(STATS_CONTEST_GENERATOR) + " --out '" + dir_ +
                  "/logs' --stations 30 --qsos 90 --seed 7 --answers '" + dir_ + "/answers.tsv'"),
              0)
        << err_;
    ASSERT_EQ(Check("--out '" + dir_ + "/out' --json '" + dir_ + "/r.json'"), 0) << err_;
    const auto got = Statuses(dir_ + "/r.json");
    std::istringstream answers(Slurp(dir_ + "/answers.tsv"));
    std::string file, line, status, detail;
    std::map<std::string, int> seen;
    size_t lines = 0;
    while (std::getline(answers, file, '\t') && std::getline(answers, line, '\t') &&
           std::getline(answers, status, '\t') && std::getline(answers, detail)) {
        const auto found = got.find({file, std::stoi(line)});
        ASSERT_NE(found, got.end()) << file << ":" << line;
        const std::string want = status + " " + (status == "busted-call" ? detail : "");
        if (status == "busted-exchange") {
            EXPECT_EQ(found->second, status + " " + detail) << file << ":" << line;
        } else {
            EXPECT_EQ(found->second, want) << file << ":" << line;
        }
        ++seen[status];
        ++lines;
    }
    EXPECT_EQ(got.size(), lines);
    for (const char* s : {"ok", "nil", "busted-call", "busted-exchange", "no-log", "dupe"}) {
        EXPECT_GT(seen[s], 0) << s;  // the contest has every kind of fault
    }
    // The logs whose clocks ran off are found out, and cost nothing.
    const std::string json = Slurp(dir_ + "/r.json");
    EXPECT_NE(json.find("\"clock_offset_minutes\": 10,"), std::string::npos);
    EXPECT_NE(json.find("\"clock_offset_minutes\": -7,"), std::string::npos);
    EXPECT_TRUE(fs::exists(dir_ + "/out/ubn"));
}

std::string Cabrillo(const std::string& own, const std::vector<std::string>& qsos) {
    std::string text = "START-OF-LOG: 3.0\nCALLSIGN: " + own + "\n";
    for (const std::string& q : qsos) {
        text += "QSO: " + q + "\n";
    }
    return text + "END-OF-LOG:\n";
}

TEST_F(CheckLogs, OneCharacterBustsAndPortableCalls) {
    // We log each neighbour with one slip; each logs us right. A slip that
    // leaves no call at all is a bad call before anything else. OE1PPP signs
    // /QRP and logs us /P: the same stations.
    struct Case {
        const char* station;
        const char* logged;
        const char* status;
    };
    const Case cases[] = {{"OK1XYZ", "OK1XZY", "busted-call"}, {"SP2ABC", "SP2ABCD", "busted-call"},
                          {"HA3QRS", "HA3QR", "busted-call"},  {"S51DEF", "S51DEG", "busted-call"},
                          {"9A/DL2XX", "9ADL2XX", "bad-call"}, {"OE1PPP", "OE1PPP/QRP", "ok"}};
    std::vector<std::string> ours;
    int minute = 0;
    for (const Case& c : cases) {
        char ourLine[160], theirLine[160];
        std::snprintf(ourLine, sizeof ourLine,
                      "14025 CW 2026-02-14 12%02d DL1ABC 599 %03d %-10s 599 %03d", minute,
                      minute + 1, c.logged, minute + 50);
        std::snprintf(theirLine, sizeof theirLine,
                      "14025 CW 2026-02-14 12%02d %-10s 599 %03d %s 599 %03d", minute + 1,
                      c.station, minute + 50, minute == 25 ? "DL1ABC/P" : "DL1ABC", minute + 1);
        ours.push_back(ourLine);
        Log("log" + std::to_string(minute / 5) + ".log", Cabrillo(c.station, {theirLine}));
        minute += 5;
    }
    Log("DL1ABC.log", Cabrillo("DL1ABC", ours));
    ASSERT_EQ(Check("--out '" + dir_ + "/out' --json '" + dir_ + "/r.json'"), 0) << err_;
    auto got = Statuses(dir_ + "/r.json");
    for (int i = 0; i < 6; ++i) {
        const std::string status = cases[i].status;
        const std::string want =
            status == "busted-call" ? status + " " + cases[i].station : status + " ";
        EXPECT_EQ((got[{"DL1ABC.log", 3 + i}]).substr(0, want.size()), want) << cases[i].logged;
    }
    EXPECT_EQ((got[{"log0.log", 3}]), "ok ");  // our slip costs them nothing
    EXPECT_EQ((got[{"log5.log", 3}]), "ok ");
}

TEST_F(CheckLogs, BadInputIsNamedAndTheRestGoesOn) {
    Log("DL1ABC.log",
        Cabrillo("DL1ABC", {"14025 CW 2026-02-14 1200 DL1ABC 599 001 OK1XYZ 599 001"}));
    Log("OK1XYZ.log",
        Cabrillo("OK1XYZ", {"14025 CW 2026-02-14 1200 OK1XYZ 599 001 DL1ABC 599 001"}));
    Log("OK1XYZ-0.log", Cabrillo("OK1XYZ", {}));
    Log("binary.cbr", std::string("\x7f"
                                  "ELF\0\0\x01\x02",
                                  8));
    Log("nocall.log", "START-OF-LOG: 3.0\nEND-OF-LOG:\n");
    ASSERT_EQ(Check("--out '" + dir_ + "/out' --json '" + dir_ + "/r.json'"), 0) << err_;
    const std::string json = Slurp(dir_ + "/r.json");
    EXPECT_NE(
        json.find(
            R"({"file": "OK1XYZ-0.log", "reason": "another log of OK1XYZ is used: OK1XYZ.log"})"),
        std::string::npos)
        << json;
    EXPECT_NE(json.find(R"("file": "binary.cbr")"), std::string::npos) << json;
    EXPECT_NE(json.find(R"({"file": "nocall.log", "reason": "the log names no own call"})"),
              std::string::npos);
    EXPECT_NE(err_.find("binary.cbr: "), std::string::npos) << err_;

    // Stops with status 2: the output folder in the folder of logs, an
    // output folder that cannot be written (before the logs are read: a
    // missing folder of logs is not what is reported), an empty folder.
    EXPECT_EQ(Check("--out '" + dir_ + "/logs/out'"), 2);
    EXPECT_NE(err_.find("may not be the folder of logs"), std::string::npos) << err_;
    EXPECT_EQ(Check("--out '" + dir_ + "/logs'"), 2);
    fs::create_directory(dir_ + "/locked");
    chmod((dir_ + "/locked").c_str(), 0555);
    if (access((dir_ + "/locked").c_str(), W_OK) != 0) {  // not as root
        EXPECT_EQ(Run(std::string(STATS_HOST_EXE) + " check-logs '" + dir_ + "/missing' --out '" +
                      dir_ + "/locked/out'"),
                  2);
        EXPECT_NE(err_.find("locked/out"), std::string::npos) << err_;
    }
    chmod((dir_ + "/locked").c_str(), 0755);
    fs::create_directory(dir_ + "/empty");
    EXPECT_EQ(Run(std::string(STATS_HOST_EXE) + " check-logs '" + dir_ + "/empty' --out '" + dir_ +
                  "/out2' --cty '" STATS_HOST_TEST_DATA "/cty.dat'"),
              2);
    EXPECT_NE(err_.find("no log to check"), std::string::npos) << err_;
}

TEST_F(CheckLogs, ReportFileNamesAreSafe) {
    // Each station works the next; the calls come from strangers' files.
    const std::vector<std::string> calls = {"NUL", "COM1/P", "9A/DL2XX", "9A-DL2XX", ".HIDDEN"};
    for (size_t i = 0; i < calls.size(); ++i) {
        Log("log" + std::to_string(i) + ".log",
            Cabrillo(calls[i], {"14025 CW 2026-02-14 1200 " + calls[i] + " 599 001 " +
                                calls[(i + 1) % calls.size()] + " 599 001"}));
    }
    ASSERT_EQ(Check("--out '" + dir_ + "/out'"), 0) << err_;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_ + "/out/ubn")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"9A-DL2XX-2.txt", "9A-DL2XX.txt", "HIDDEN.txt",
                                               "_COM1-P.txt", "_NUL.txt"}));
}

}  // namespace
