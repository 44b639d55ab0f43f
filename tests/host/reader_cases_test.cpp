// The readers on the logs that used to give a wrong answer without a word:
// every case lists what was read, set aside, reported and warned about.
#include <gtest/gtest.h>

#include <sstream>

#include "host/readers/log_reader.h"
#include "stats_host_fixture.h"

namespace {

using stats_host_test::HostRun;
using stats_host_test::JsonReader;
using stats_host_test::Slurp;
using stats_host_test::StatsHost;

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
        {"an unreadable line's fault is named; a stray field is not guessed past",
         kHead + Cabrillo("X", "OK1AAA 599 013") +
             "QSO: 14000 CW 2026-02-14 1200 DL1XYZ 599 OE1AAB 599 013\n"
             "QSO: 99999999 CW 2026-02-14 1200 DL1XYZ 599 001 OE1AAA 599 013\n" +
             Cabrillo("OK1AAB", "599 013 1"),
         "own DL1XYZ\n6: DL1XYZ OK1AAB 599/599 001/013\n"
         "3: unreadable: extra field: 'X' stands where the call belongs, the call OK1AAA one "
         "column later\n"
         "4: unreadable: sent number missing: the call OE1AAB stands in its column\n"
         "5: unreadable: frequency '99999999' does not fit (at most 4294967 kHz)\n"},
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
        {"the own call most QSO lines carry wins, and the warning says it is most",
         "START-OF-LOG: 3.0\nCALLSIGN: DL1XYY\n" + Cabrillo("OE1AAA") + Cabrillo("OE1AAB") +
             "QSO: 14000 CW 2026-02-14 1200 DL1XYY 599 001 OE1AAC 599 013\n",
         "own DL1XYZ\n3: DL1XYZ OE1AAA 599/599 001/013\n4: DL1XYZ OE1AAB 599/599 001/013\n"
         "5: DL1XYY OE1AAC 599/599 001/013\n"
         "2: warning: CALLSIGN: DL1XYY differs from the own call on most QSO lines (2 of 3), "
         "DL1XYZ; taking DL1XYZ\n"},
        {"CALLSIGN: keeps a tie with another own call",
         "START-OF-LOG: 3.0\nCALLSIGN: DL1XYY\n" + Cabrillo("OE1AAA") +
             "QSO: 14000 CW 2026-02-14 1200 DL1XYY 599 001 OE1AAC 599 013\n",
         "own DL1XYY\n3: DL1XYZ OE1AAA 599/599 001/013\n4: DL1XYY OE1AAC 599/599 001/013\n"},
        {"ADIF: a longer length, a missing TIME_ON and a date in another order are named",
         kAdifHead + std::string("<CALL:8>OK1AAA <QSO_DATE:8>20260214 <TIME_ON:4>1200 ") +
             "<FREQ:6>14.000 <MODE:2>CW <EOR>\n" +
             "<CALL:6>OE1AAA <QSO_DATE:8>20260214 <FREQ:6>14.000 <MODE:2>CW <EOR>\n" +
             "<CALL:6>OE1AAA <QSO_DATE:8>14022026 <TIME_ON:4>1200 <FREQ:6>14.000 <MODE:2>CW "
             "<EOR>\n",
         "own \n2: unreadable: field CALL: length 8 is longer than its value 'OK1AAA'\n"
         "3: unreadable: TIME_ON missing\n"
         "4: unreadable: QSO_DATE '14022026' is not YYYYMMDD\n"},
        {"ADIF: calls lose their blanks, the own call is the one most records carry, and "
         "FREQ against BAND and a field given twice are named",
         kAdifHead + adifQso + "<MODE:2>CW <CALL:7>OE1AAA  <STATION_CALLSIGN:7>DL1XYY  <EOR>\n" +
             adifQso + "<MODE:2>CW <CALL:6>OE1AAB <BAND:3>40m <STATION_CALLSIGN:6>DL1XYZ <EOR>\n" +
             adifQso +
             "<MODE:2>CW <CALL:6>OE1AAC <CALL:6>OE1AAD <STATION_CALLSIGN:6>DL1XYZ <EOR>\n",
         "own DL1XYZ\n2: DL1XYY OE1AAA 599/599 /\n3: DL1XYZ OE1AAB 599/599 /\n"
         "4: DL1XYZ OE1AAD 599/599 /\n"
         "3: warning: FREQ 14.000 lies on 20m, BAND says 40m; taking FREQ\n"
         "4: warning: field CALL given twice, 'OE1AAC' and 'OE1AAD'; taking the second\n"},
        {"tabs, vertical tabs and form feeds part the words of a line as blanks do",
         std::string(kHead) +
             "QSO:\t14000 CW\v2026-02-14 1200 DL1XYZ\f599 001\t\tOE1AAA 599 013 \t\n" +
             "CATEGORY-OPERATOR:\tSINGLE-OP\n\t\v\n",
         "own DL1XYZ\n3: DL1XYZ OE1AAA 599/599 001/013\n"},
        {"a byte order mark, lower-case tags and CR alone as the line end, without "
         "START-OF-LOG:",
         "\xef\xbb\xbf"
         "callsign: dl1xyz\rqso: 14000 cw 2026-02-14 1200 dl1xyz 599 001 oe1aaa 599 "
         "013\rend-of-log:\r",
         "own DL1XYZ\n2: DL1XYZ OE1AAA 599/599 001/013\n"},
        {"ADIF in lower case after a Cabrillo-like line: <eor> tells it",
         "QSO: not a line\n<call:6>OE1AAA <qso_date:8>20260214 <time_on:4>1200 <freq:6>14.000 "
         "<mode:2>CW <eor>\n",
         "own \n2:  OE1AAA 599/599 /\n"},
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

// Set aside, counted and listed with its line by stats-host, and not scored.
TEST_F(StatsHost, BadCallsAreCountedListedAndNotScored) {
    const std::string log =
        Write("bad.log", kHead + Cabrillo("OE1AAA") + Cabrillo("599") + Cabrillo("DL1XYZ"));
    const HostRun r = Host("score '" + log + "' " + Out() + " --problems '" + dir() +
                           "/p.txt' --json '" + dir() + "/s.json'");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Score: 2*(1+0) = 2\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("1 QSO read, 1 in the contest period 2026-02-14 12:00 to "
                         "2026-02-15 12:00 (12:00 on a tie), 1 stored; problems: 0 "
                         "unreadable, 2 bad call, "),
              std::string::npos)
        << r.err;
    EXPECT_EQ(Slurp(dir() + "/p.txt"), log +
                                           ":4: bad call: '599': no call sign in it (prefix, 1-4 "
                                           "digits, letters, ending in a letter)\n" +
                                           log + ":5: bad call: 'DL1XYZ': the own call\n");
    EXPECT_EQ(JsonReader(Slurp(dir() + "/s.json"))["problems.bad_call"], "2");
}

// A log that comes through a pipe has no size to read up to: it is read to
// its end all the same.
TEST_F(StatsHost, ALogThroughAPipeIsReadWhole) {
    std::string text = kHead;
    for (int i = 0; i < 3000; ++i) {
        const char letters[] = {static_cast<char>('A' + i % 26),
                                static_cast<char>('A' + i / 26 % 26), '\0'};
        text += Cabrillo("OE" + std::to_string(i % 10) + "A" + letters);
    }
    const std::string log = Write("piped.log", text);
    const HostRun r = Host("score /dev/stdin " + Out(), "cat '" + log + "' |");
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("3000 QSOs read"), std::string::npos) << r.err;
}

TEST_F(StatsHost, ACabrilloFileWrittenFromAnAdifLogWithoutReportsReadsBack) {
    const std::string adif =
        Write("in.adi",
              "<EOH>\n<CALL:6>OE1AAA <QSO_DATE:8>20260214 <TIME_ON:4>1200 <FREQ:6>14.000 "
              "<MODE:2>CW <SRX:2>13 <STX:1>1 <STATION_CALLSIGN:6>DL1XYZ <EOR>\n"
              "<CALL:6>YU1AAB <QSO_DATE:8>20260214 <TIME_ON:4>1300 <FREQ:6>14.200 <MODE:3>SSB "
              "<SRX_STRING:6>59 NIS <STX:1>2 <STATION_CALLSIGN:6>DL1XYZ <EOR>\n");
    HostRun r = Host("score '" + adif + "' --report " + Out());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Score: 12*(2+1) = 36\n"), std::string::npos) << r.out;
    r = Host("score '" + dir() + "/out/DL1XYZ.cbr' " + Out());
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Score: 12*(2+1) = 36\n"), std::string::npos) << r.out;
    EXPECT_NE(r.err.find("problems: 0 unreadable, 0 bad call,"), std::string::npos) << r.err;
}

}  // namespace
