#include <gtest/gtest.h>

#include "host/readers/log_fields.h"
#include "host/readers/log_reader.h"

namespace {

host::ContestLog Parse(const std::string& text) {
    host::ContestLog log;
    std::string error;
    EXPECT_TRUE(host::ParseLog(text, "t.log", log, error)) << error;
    return log;
}

// "line: reason" of one problem of the log.
std::string Problem(const host::ContestLog& log, size_t i) {
    return i < log.problems.size()
               ? std::to_string(log.problems[i].line) + ": " + log.problems[i].reason
               : "(none)";
}

TEST(CabrilloReader, ReadsTheQsoColumnsAndTheOwnCall) {
    const host::ContestLog log = Parse(
        "START-OF-LOG: 3.0\r\nCALLSIGN: dl1xyz\r\nCONTEST: DI-VE-RI\r\n"
        "QSO: 14025 CW 2026-02-14 1432 Dl1xyz        599 001    yu1abc        599 BGD\r\n"
        "QSO:  3750 PH 2026-02-14 2301 DL1XYZ 59 002 9A/W1AW 57 015 1\r\n"
        "X-QSO: 7025 CW 2026-02-14 2302 DL1XYZ 599 003 OK1AA 599 016\r\n"
        "QSO: 14085 RY 2026-02-15 0001 DL1XYZ 599 004 OK1AB 599 017\r\n"
        "QSO: 10110 CW 2026-02-15 0002 DL1XYZ 599 005 OK1AC 599 018\r\n"
        "END-OF-LOG:\r\nQSO: 14025 CW 2026-02-15 0003 DL1XYZ 599 006 OK1AD 599 019\r\n");
    EXPECT_EQ(log.format, host::LogFormat::kCabrillo);
    EXPECT_EQ(log.ownCall, "DL1XYZ");
    EXPECT_TRUE(log.problems.empty());
    ASSERT_EQ(log.qsos.size(), 5u);
    const host::LogQso& q = log.qsos[0];
    EXPECT_EQ(q.line, 4);
    EXPECT_EQ(q.frequencyHz, 14025000u);
    EXPECT_EQ(q.band, "20m");
    EXPECT_EQ(q.mode, "CW");
    EXPECT_EQ(q.time.year * 10000 + q.time.month * 100 + q.time.day, 20260214);
    EXPECT_EQ(q.time.hour * 100 + q.time.minute, 1432);
    EXPECT_EQ(q.ownCall + " " + q.rstSent + " " + q.exchSent, "DL1XYZ 599 001");
    EXPECT_EQ(q.call + " " + q.rstRcvd + " " + q.exchRcvd, "YU1ABC 599 BGD");
    // Phone becomes SSB; the transmitter id is not part of the exchange.
    EXPECT_EQ(log.qsos[1].mode + " " + log.qsos[1].band + " " + log.qsos[1].exchRcvd,
              "SSB 80m 015");
    EXPECT_EQ(log.qsos[2].mode + " " + log.qsos[2].band, "RY 20m");
    EXPECT_EQ(log.qsos[3].band, "30m");
    EXPECT_EQ(log.qsos[4].line, 10);
}

TEST(CabrilloReader, KeepsTheHeaderLinesBeforeTheFirstQsoButTheCallAndVersion) {
    const host::ContestLog log = Parse(
        "START-OF-LOG: 3.0\ncallsign: DL1XYZ\ncategory-mode:   MIXED  \r\nNAME: Ana \"A\" B\n"
        "SOAPBOX: one: two\nSOAPBOX:\n  X-ODD:TAG: value\n"
        "QSO: 14025 CW 2026-02-14 1432 DL1XYZ 599 001 YU1ABC 599 BGD\nSOAPBOX: late\n");
    const std::vector<std::pair<std::string, std::string>> expected = {{"CATEGORY-MODE", "MIXED"},
                                                                       {"NAME", "Ana \"A\" B"},
                                                                       {"SOAPBOX", "one: two"},
                                                                       {"SOAPBOX", ""},
                                                                       {"X-ODD:TAG", "value"}};
    EXPECT_EQ(log.headerFields, expected);
}

TEST(CabrilloReader, DamagedLinesAreReportedAndTheRestKept) {
    const host::ContestLog log = Parse(
        "START-OF-LOG: 3.0\n"
        "QSO: 14025 CW 2026-02-14 1432 DL1XYZ 599 001 YU1ABC 599\n"
        "QSO: 14O25 CW 2026-02-14 1433 DL1XYZ 599 002 YU1ABD 599 BGD\n"
        "QSO: 14025 CW 2026-02-30 1434 DL1XYZ 599 003 YU1ABE 599 BGD\n"
        "QSO: 14025 CW 2026-02-14 2460 DL1XYZ 599 004 YU1ABF 599 BGD\n"
        "QSO: 14025 CW 2026-02-14 1436 DL1XYZ 599 005 YU1ABG 599 BGD 1 extra\n"
        "QSO: 14025 CW 2026-02-14 1437 DL1XYZ 599 006 YU1ABH 599 BGD\n");
    ASSERT_EQ(log.qsos.size(), 1u);
    EXPECT_EQ(log.qsos[0].call, "YU1ABH");
    ASSERT_EQ(log.problems.size(), 5u);
    EXPECT_EQ(Problem(log, 0), "2: received number missing: the line ends after the received RST");
    EXPECT_EQ(Problem(log, 1), "3: frequency '14O25' is not a number of kHz");
    EXPECT_EQ(Problem(log, 2), "4: the day 2026-02-30 does not exist");
    EXPECT_EQ(Problem(log, 3).rfind("5: ", 0), 0u);
    EXPECT_EQ(Problem(log, 4), "6: QSO line has 12 fields, expected 10 or 11");
}

TEST(AdifReader, ReadsRecordsAfterTheHeader) {
    const host::ContestLog log = Parse(
        "Exported log\n<ADIF_VER:5>3.1.4 <EOH>\n"
        "<CALL:6>yu1abc <QSO_DATE:8>20260214 <TIME_ON:6>143205 <FREQ:6>14.025\n"
        "<MODE:2>CW <RST_SENT:3>599 <RST_RCVD:3>599 <STX:1>7 <SRX_STRING:3>BGD\n"
        "<STATION_CALLSIGN:6>dl1xyz <EOR>\n"
        "<call:5>OK1AA <qso_date:8>20260214 <time_on:4>1500 <band:3>40M <mode:3>SSB\n"
        "<submode:3>LSB <stx_string:3>002 <srx:2>15 <operator:6>DL2XYZ <eor>\n"
        "<CALL:5>OK1AB <QSO_DATE:8>20260214 <TIME_ON:4>1501 <FREQ:5>7.074 <MODE:3>FT8 <EOR>\n");
    EXPECT_EQ(log.format, host::LogFormat::kAdif);
    EXPECT_EQ(log.ownCall, "DL1XYZ");
    EXPECT_TRUE(log.problems.empty()) << Problem(log, 0);
    ASSERT_EQ(log.qsos.size(), 3u);
    const host::LogQso& q = log.qsos[0];
    EXPECT_EQ(q.line, 3);
    EXPECT_EQ(q.call + " " + q.ownCall + " " + q.mode + " " + q.band, "YU1ABC DL1XYZ CW 20m");
    EXPECT_EQ(q.frequencyHz, 14025000u);
    EXPECT_EQ(q.time.second, 5);
    EXPECT_EQ(q.exchSent + " " + q.exchRcvd, "7 BGD");
    const host::LogQso& r = log.qsos[1];
    EXPECT_EQ(r.line, 6);
    EXPECT_EQ(r.ownCall + " " + r.mode + " " + r.band, "DL2XYZ SSB 40m");
    EXPECT_EQ(r.frequencyHz, 7000000u);  // band only: its lower edge
    EXPECT_EQ(r.exchSent + " " + r.exchRcvd, "002 15");
    EXPECT_EQ(log.qsos[2].mode, "FT8");
}

TEST(AdifReader, DamagedRecordsAreReportedWithTheirLine) {
    const host::ContestLog log = Parse(
        "<QSO_DATE:8>20260214 <TIME_ON:4>1500 <FREQ:6>14.025 <EOR>\n"
        "<CALL:5>OK1AA <QSO_DATE:8>2026-2-1 <TIME_ON:4>1500 <FREQ:6>14.025 <EOR>\n"
        "<CALL:5>OK1AB <QSO_DATE:8>20260214 <TIME_ON:4>1500 <EOR>\n"
        "<CALL:x>OK1AC <CALL:5>OK1AD <QSO_DATE:8>20260214 <TIME_ON:4>1501 <FREQ:3>7.0 <EOR>\n"
        "<CALL:5>OK1AE <QSO_DATE:8>20260214 <TIME_ON:4>1502 <FREQ:3>7.0\n"
        "<CALL:40>OK1AF");
    // A record with a damaged field is not read at all, and the record
    // the file breaks off in is reported at its first line.
    EXPECT_TRUE(log.qsos.empty());
    ASSERT_EQ(log.problems.size(), 5u);
    EXPECT_EQ(Problem(log, 0), "1: record has no CALL");
    EXPECT_EQ(Problem(log, 1), "2: QSO_DATE '2026-2-1' is not YYYYMMDD");
    EXPECT_EQ(Problem(log, 2), "3: record has neither FREQ nor BAND");
    EXPECT_EQ(Problem(log, 3), "4: field CALL has length 'x', not a number");
    EXPECT_EQ(Problem(log, 4), "5: field CALL runs past the end of the file (line 6)");
}

// Old Mac (CR), Unix (LF) and Windows (CR LF) line ends read alike, with the
// same line numbers, in both formats.
TEST(LineEnds, CrLfAndCrLfAloneReadAlikeInBothFormats) {
    const std::string cabrillo =
        "START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\n"
        "QSO: 14025 CW 2026-02-14 1432 DL1XYZ 599 001 YU1ABC 599 BGD\n"
        "QSO: 14026 CW 2026-02-14 1433 DL1XYZ 599 002 OK1AA\n"
        "QSO: 14027 CW 2026-02-14 1434 DL1XYZ 599 003 OK1AB 599 004\nEND-OF-LOG:\n";
    const std::string adif =
        "<EOH>\n<CALL:6>YU1ABC <QSO_DATE:8>20260214\n<TIME_ON:4>1432 <FREQ:6>14.025 <MODE:2>CW "
        "<EOR>\n<CALL:5>OK1AA <QSO_DATE:8>20260214 <EOR>\n"
        "<CALL:5>OK1AB <QSO_DATE:8>20260214\n<TIME_ON:4>1434 <BAND:3>20m <MODE:2>CW <EOR>\n";
    for (const std::string& text : {cabrillo, adif}) {
        for (const char* end : {"\r", "\r\n"}) {
            std::string other;
            for (char c : text) {
                other += c == '\n' ? std::string(end) : std::string(1, c);
            }
            const host::ContestLog log = Parse(other);
            ASSERT_EQ(log.qsos.size(), 2u) << other;
            EXPECT_EQ(log.qsos[0].call + " " + log.qsos[1].call, "YU1ABC OK1AB");
            EXPECT_EQ(log.qsos[0].line * 10 + log.qsos[1].line, text == cabrillo ? 35 : 25);
            EXPECT_EQ(log.ownCall, text == cabrillo ? "DL1XYZ" : "");
            ASSERT_EQ(log.problems.size(), 1u);
            EXPECT_EQ(log.problems[0].line, 4);
        }
    }
}

TEST(LogFormat, TextThatIsNeitherFormatIsRefused) {
    host::ContestLog log;
    std::string error;
    EXPECT_FALSE(host::ParseLog("just some notes\n", "notes.txt", log, error));
    EXPECT_EQ(error.rfind("notes.txt:1: neither a Cabrillo log", 0), 0u) << error;
    EXPECT_FALSE(host::ReadLogFile("/nonexistent.log", log, error));
    EXPECT_EQ(error, "/nonexistent.log: no such file");
}

TEST(BandsAndModes, FrequenciesAndModeNamesMapAsTheContestNeedsThem) {
    EXPECT_EQ(host::BandOfKHz(1830), "160m");
    EXPECT_EQ(host::BandOfKHz(3500), "80m");
    EXPECT_EQ(host::BandOfKHz(7300), "40m");
    EXPECT_EQ(host::BandOfKHz(14350), "20m");
    EXPECT_EQ(host::BandOfKHz(18100), "17m");
    EXPECT_EQ(host::BandOfKHz(21450), "15m");
    EXPECT_EQ(host::BandOfKHz(24900), "12m");
    EXPECT_EQ(host::BandOfKHz(29700), "10m");
    EXPECT_EQ(host::BandOfKHz(14400), "");
    EXPECT_EQ(host::ContestMode("cw"), "CW");
    EXPECT_EQ(host::ContestMode("PH"), "SSB");
    EXPECT_EQ(host::ContestMode("USB"), "SSB");
    EXPECT_EQ(host::ContestMode("LSB"), "SSB");
    EXPECT_EQ(host::ContestMode("RTTY"), "RTTY");
}

}  // namespace
