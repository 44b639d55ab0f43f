// The readers on the logs that used to give a wrong answer without a word:
// every case lists what was read, set aside, reported and warned about.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/log_reader.h"

namespace {

constexpr const char* kHead = "START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\n";
constexpr const char* kAdifHead = "<EOH>\n";

// One line per QSO read ("3: OE1AAA 599/599 013"), set aside ("bad call"),
// reported ("unreadable") or warned about, in that order; or the error.
std::string Outcome(const std::string& text) {
    host::ContestLog log;
    std::string error;
    if (!host::ParseLog(text, "t.log", log, error)) {
        return error;
    }
    host::SetAsideBadCalls(log, log.ownCall);
    std::ostringstream out;
    for (const host::LogQso& q : log.qsos) {
        out << q.line << ": " << q.ownCall << " " << q.call << " " << q.rstSent << "/" << q.rstRcvd
            << " " << q.exchSent << "/" << q.exchRcvd << "\n";
    }
    for (const host::LogProblem& p : log.badCalls) {
        out << p.line << ": bad call: " << p.reason << "\n";
    }
    for (const host::LogProblem& p : log.problems) {
        out << p.line << ": unreadable: " << p.reason << "\n";
    }
    for (const host::LogProblem& p : log.warnings) {
        out << p.line << ": warning: " << p.reason << "\n";
    }
    return "own " + log.ownCall + "\n" + out.str();
}

std::string Cabrillo(const std::string& call, const std::string& exchange = "599 013") {
    return "QSO: 14000 CW 2026-02-14 1200 DL1XYZ 599 001 " + call + " " + exchange + "\n";
}

struct ReaderCase {
    const char* what;
    std::string text;
    std::string outcome;
};

TEST(ReaderCases, EveryLineIsReadOrReportedWithItsReason) {
    const std::string adifQso = "<QSO_DATE:8>20260214 <TIME_ON:4>1200 <FREQ:6>14.000 ";
    const ReaderCase cases[] = {
        {"calls that cannot be calls are set aside with the rule they break",
         kHead + Cabrillo("599") + Cabrillo("QRZ?") + Cabrillo("5nn") + Cabrillo("DL1XYZ") +
             Cabrillo("K") + Cabrillo("OE1AAA"),
         "own DL1XYZ\n8: DL1XYZ OE1AAA 599/599 001/013\n"
         "3: bad call: '599': no call sign in it (prefix, 1-4 digits, letters, ending in a "
         "letter)\n"
         "4: bad call: 'QRZ?': '?' is no letter, digit or '/'\n"
         "5: bad call: '5NN': no call sign in it (prefix, 1-4 digits, letters, ending in a "
         "letter)\n"
         "6: bad call: 'DL1XYZ': the own call\n"
         "7: bad call: 'K': no call sign in it (prefix, 1-4 digits, letters, ending in a "
         "letter)\n"},
        {"a stray field before the call is not guessed past",
         kHead + Cabrillo("X", "OK1AAA 599 013") + Cabrillo("OK1AAB", "599 013 1"),
         "own DL1XYZ\n4: DL1XYZ OK1AAB 599/599 001/013\n"
         "3: unreadable: extra field: 'X' stands where the call belongs, the call OK1AAA one "
         "column later\n"},
        {"a missing sent or received number is named",
         std::string(kHead) + "QSO: 14000 CW 2026-02-14 1200 DL1XYZ 599 OE1AAB 599 013\n" +
             "QSO: 14000 CW 2026-02-14 1200 DL1XYZ 599 001 OE1AAB 599\n",
         "own DL1XYZ\n"
         "3: unreadable: sent number missing: the call OE1AAB stands in its column\n"
         "4: unreadable: received number missing: the line ends after the received RST\n"},
        {"the QSO lines' own call wins over CALLSIGN:",
         "START-OF-LOG: 3.0\nCALLSIGN: DL1XYY\n" + Cabrillo("OE1AAA") + Cabrillo("DL1XYZ"),
         "own DL1XYZ\n3: DL1XYZ OE1AAA 599/599 001/013\n4: bad call: 'DL1XYZ': the own call\n"
         "2: warning: CALLSIGN: DL1XYY differs from the own call on the QSO lines, DL1XYZ; "
         "taking DL1XYZ\n"},
        {"QSO lines after END-OF-LOG: are read with a warning",
         kHead + Cabrillo("OE1AAA") + "END-OF-LOG:\n" + kHead + Cabrillo("OE1AAB") +
             Cabrillo("OE1AAC") + "END-OF-LOG:\n",
         "own DL1XYZ\n3: DL1XYZ OE1AAA 599/599 001/013\n7: DL1XYZ OE1AAB 599/599 001/013\n"
         "8: DL1XYZ OE1AAC 599/599 001/013\n"
         "7: warning: 2 QSO lines after END-OF-LOG: (line 4), read all the same\n"},
        {"a Cabrillo exchange in capitals; a day that does not exist; a frequency too high",
         kHead + Cabrillo("YU1AAA", "599 nis") +
             "QSO: 14000 CW 2026-02-30 1200 DL1XYZ 599 001 OE1AAA 599 013\n"
             "QSO: 99999999 CW 2026-02-14 1200 DL1XYZ 599 001 OE1AAA 599 013\n",
         "own DL1XYZ\n3: DL1XYZ YU1AAA 599/599 001/NIS\n"
         "4: unreadable: the day 2026-02-30 does not exist\n"
         "5: unreadable: frequency '99999999' does not fit (at most 4294967 kHz)\n"},
        {"ADIF: a length shorter than the value makes the record unreadable",
         kAdifHead + adifQso + "<MODE:2>CW <CALL:4>OE1AAA <EOR>\n" + adifQso +
             "<MODE:2>CW\n<CALL:6>OE1AAA <EOR>\n",
         "own \n3:  OE1AAA 599/599 /\n"
         "2: unreadable: field CALL: length 4 is shorter than its value 'OE1AAA'\n"},
        {"ADIF: no report gives 599 or 59; the report leaves the exchange",
         kAdifHead + adifQso + "<MODE:3>SSB <CALL:6>YU1AAA <SRX_STRING:7>59  nis <STX:1>7 <EOR>\n" +
             adifQso + "<MODE:2>CW <CALL:6>OE1AAA <SRX_STRING:7>599 013 <RST_RCVD:3>579 <EOR>\n",
         "own \n2:  YU1AAA 59/59 7/NIS\n3:  OE1AAA 599/579 /013\n"},
        {"ADIF: the field at fault is named",
         kAdifHead + std::string("<CALL:6>OE1AAA <QSO_DATE:8>20260230 <TIME_ON:4>1200 ") +
             "<FREQ:6>14.000 <MODE:2>CW <EOR>\n<CALL:6>OE1AAA " + adifQso + "<EOR>\n" +
             "<CALL:6>OE1AAA <QSO_DATE:8>20260214 <TIME_ON:4>1200 <FREQ:5>99999 <MODE:2>CW "
             "<EOR>\n",
         "own \n2: unreadable: QSO_DATE '20260230': the day does not exist\n"
         "3: unreadable: MODE missing\n"
         "4: unreadable: FREQ '99999' does not fit (at most 4294.967 MHz)\n"},
        {"an empty file", " \r\n\t\n", "t.log: empty file"},
        {"UTF-16 with its byte order mark", std::string("\xff\xfeS\0T\0", 6),
         "t.log: UTF-16 text; save the log as UTF-8 or ASCII"},
        {"UTF-16 without it", std::string("\0S\0T\0A", 6),
         "t.log: UTF-16 text; save the log as UTF-8 or ASCII"},
    };
    for (const ReaderCase& c : cases) {
        EXPECT_EQ(Outcome(c.text), c.outcome) << c.what;
    }
}

// stats-host's combined output and exit status.
std::pair<int, std::string> RunHost(const std::string& args) {
    const std::string command = std::string(STATS_HOST_EXE) + " " + args + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    char buffer[4096];
    for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, n);
    }
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

TEST(ReaderCases, BadCallsAreCountedListedAndNotScored) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / "reader-cases-bad-calls";
    fs::remove_all(dir);
    fs::create_directories(dir);
    const std::string log = (dir / "bad.log").string();
    std::ofstream(log) << kHead << Cabrillo("OE1AAA") << Cabrillo("599") << Cabrillo("DL1XYZ");
    const std::string common = " --out '" + (dir / "out").string() +
                               "' --cty '" STATS_HOST_TEST_DATA "/cty.dat' --problems '" +
                               (dir / "p.txt").string() + "' --json '" + (dir / "s.json").string() +
                               "'";
    const auto [status, output] = RunHost("score '" + log + "'" + common);
    EXPECT_EQ(status, 0) << output;
    EXPECT_NE(output.find("Score: 2*(1+0) = 2\n"), std::string::npos) << output;
    EXPECT_NE(output.find("1 QSO read, 1 in the contest period 2026-02-14 12:00 to "
                          "2026-02-15 12:00 (12:00 on a tie), 1 stored; problems: 0 "
                          "unreadable, 2 bad call, "),
              std::string::npos)
        << output;
    std::ifstream problems(dir / "p.txt");
    std::stringstream listed;
    listed << problems.rdbuf();
    EXPECT_EQ(listed.str(), log +
                                ":4: bad call: '599': no call sign in it (prefix, 1-4 digits, "
                                "letters, ending in a letter)\n" +
                                log + ":5: bad call: 'DL1XYZ': the own call\n");
    std::ifstream json(dir / "s.json");
    std::stringstream summary;
    summary << json.rdbuf();
    EXPECT_NE(summary.str().find("\"unreadable\": 0, \"bad_call\": 2, "), std::string::npos)
        << summary.str();
    fs::remove_all(dir);
}

TEST(ReaderCases, ACabrilloFileWrittenFromAnAdifLogWithoutReportsReadsBack) {
    namespace fs = std::filesystem;
    const fs::path dir = fs::path(::testing::TempDir()) / "reader-cases-round-trip";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "in.adi")
        << "<EOH>\n<CALL:6>OE1AAA <QSO_DATE:8>20260214 <TIME_ON:4>1200 <FREQ:6>14.000 "
           "<MODE:2>CW <SRX:2>13 <STX:1>1 <STATION_CALLSIGN:6>DL1XYZ <EOR>\n"
           "<CALL:6>YU1AAB <QSO_DATE:8>20260214 <TIME_ON:4>1300 <FREQ:6>14.200 <MODE:3>SSB "
           "<SRX_STRING:6>59 NIS <STX:1>2 <STATION_CALLSIGN:6>DL1XYZ <EOR>\n";
    const std::string common =
        " --out '" + (dir / "out").string() + "' --cty '" STATS_HOST_TEST_DATA "/cty.dat'";
    const auto first = RunHost("score '" + (dir / "in.adi").string() + "' --report" + common);
    EXPECT_EQ(first.first, 0) << first.second;
    EXPECT_NE(first.second.find("Score: 12*(2+1) = 36\n"), std::string::npos) << first.second;
    const auto again = RunHost("score '" + (dir / "out/DL1XYZ.cbr").string() + "'" + common);
    EXPECT_EQ(again.first, 0) << again.second;
    EXPECT_NE(again.second.find("Score: 12*(2+1) = 36\n"), std::string::npos) << again.second;
    EXPECT_NE(again.second.find("problems: 0 unreadable, 0 bad call,"), std::string::npos)
        << again.second;
    fs::remove_all(dir);
}

}  // namespace
