// A long Cabrillo log is read in two halves at once: whatever line the halves
// meet at, the log must come out as when it is read in one piece.
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "host/readers/cabrillo_reader.h"
#include "host/readers/log_reader.h"

namespace {

// All that the reader gives, one item a line.
std::string Dump(const host::ContestLog& log) {
    std::ostringstream out;
    out << "own " << log.ownCall << ", x-qso " << log.ignoredQsoLines << "\n";
    for (const host::LogQso& q : log.qsos) {
        out << q.line << ": " << q.ownCall << " " << q.call << " " << q.frequencyHz << " " << q.band
            << " " << q.mode << " " << q.time.year << "-" << q.time.month << "-" << q.time.day
            << " " << q.time.hour << ":" << q.time.minute << " " << q.rstSent << "/" << q.rstRcvd
            << " " << q.exchSent << "/" << q.exchRcvd << "\n";
    }
    const std::pair<const char*, const std::vector<host::LogProblem>*> lists[] = {
        {"problem", &log.problems}, {"bad call", &log.badCalls}, {"warning", &log.warnings}};
    for (const auto& list : lists) {
        for (const host::LogProblem& p : *list.second) {
            out << p.line << ": " << list.first << ": " << p.reason << "\n";
        }
    }
    for (const auto& field : log.headerFields) {
        out << "header " << field.first << "=" << field.second << "\n";
    }
    for (const host::LogTime& t : log.headerDates) {
        out << "date " << t.year << "-" << t.month << "-" << t.day << "\n";
    }
    return out.str();
}

constexpr const char* kQso = "QSO: 14025 CW 2026-02-14 1200 DL1XYZ 599 001 OE1AAA 599 017";
constexpr const char* kBadCall = "QSO: 14025 CW 2026-02-14 1203 DL1XYZ 599 004 ABC 599 012";

// The lines joined with end.
std::string Lines(std::initializer_list<std::string> lines, const std::string& end) {
    std::string text;
    for (const std::string& line : lines) {
        text += line + end;
    }
    return text;
}

TEST(CabrilloHalves, EveryMeetingLineGivesTheLogReadInOnePiece) {
    const std::string q1 = kQso;
    const std::string q2 = "QSO: 7025 CW 2026-02-14 1201 DL1XYZ 599 002 S51A 599 ZG";
    const std::string q3 = "qso: 3725 PH 2026-02-14 1202 dl1xyz 59 003 YU1XX 59 BG 1";
    const std::string bad = kBadCall;
    const std::string other = "QSO: 14025 CW 2026-02-14 1204 DL2ZZZ 599 005 OK1AB 599 3";
    const std::string texts[] = {
        // Header with dates, X-QSO: lines, an unreadable line, a bad call, two
        // END-OF-LOG: lines with QSO lines after the first.
        Lines({"START-OF-LOG: 3.0", "CALLSIGN: DL1XYZ", "CATEGORY-OPERATOR: SINGLE-OP",
               "X-START-DATE: 2026-02-14 2026-02-15", q1, "X-QSO: " + q2.substr(5), q2,
               "QSO: 14025 CW 2026-02-14", bad, "END-OF-LOG:", q3, "", "END-OF-LOG:", q1},
              "\r\n"),
        // LF ends, no START-OF-LOG:, header lines after the first QSO (not
        // kept), a CALLSIGN: without a call before the one that names it and
        // another after it.
        Lines({"CALLSIGN:", "CONTEST: DI-VE-RI", q1, "CATEGORY-MODE: CW", "CALLSIGN: dl1xyz", q2,
               "QSO: 99999999 CW 2026-02-14 1200 DL1XYZ 599 1 OE1AAA 599 1", q3, "CALLSIGN: OE9XX"},
              "\n"),
        // Most QSO lines carry another call than CALLSIGN: names.
        Lines({"CALLSIGN: DL1XYZ", other, other, q1, other, "X-QSO: " + other.substr(5)}, "\n"),
        // END-OF-LOG: before any QSO line, header lines after it, no call.
        Lines({"START-OF-LOG: 3.0", "END-OF-LOG:", "NAME: Ana", q1, "SOAPBOX: hi", q2}, "\r\n"),
        // Blank lines, CR alone, LF CR, and a last line without its end.
        "START-OF-LOG: 3.0\n\n  \r\nCALLSIGN: DL1XYZ\r" + q1 + "\n\r" + q2 + "\r\r\n" + bad +
            "\n\n" + q3,
        // Only header lines, and a text of one line.
        Lines({"START-OF-LOG: 3.0", "CALLSIGN: DL1XYZ", "X-QSO: " + q1.substr(5), "END-OF-LOG:"},
              "\n"),
        q1,
    };
    for (const std::string& text : texts) {
        host::ContestLog whole;
        host::ParseCabrillo(text, whole);
        host::SetAsideBadCalls(whole, host::OwnCallOf(whole));
        const std::string expected = Dump(whole);
        for (size_t cut = 0; cut <= text.size(); ++cut) {
            host::ContestLog halves;
            host::ParseCabrilloInHalves(text, cut, halves);
            // The calls looked at on two threads as well.
            host::SetAsideBadCalls(halves, host::OwnCallOf(halves), 0);
            ASSERT_EQ(expected, Dump(halves)) << "cut at byte " << cut << " of:\n" << text;
        }
    }
}

TEST(CabrilloHalves, ALongLogIsReadInHalvesThroughTheReader) {
    // Longer than the halves are read at once from, with the line after
    // END-OF-LOG: in the second half: line numbers count from the file's start.
    std::string text = "START-OF-LOG: 3.0\nCALLSIGN: DL1XYZ\n";
    int lines = 2;
    for (; text.size() <= host::kCabrilloHalvesAbove; ++lines) {
        text += std::string(kQso) + "\n";
    }
    text += "END-OF-LOG:\n" + std::string(kBadCall) + "\n";
    host::ContestLog log;
    std::string error;
    ASSERT_TRUE(host::ParseLog(text, "long.log", log, error)) << error;
    host::SetAsideBadCalls(log, host::OwnCallOf(log));
    EXPECT_EQ(size_t(lines - 2), log.qsos.size());
    EXPECT_EQ(lines, log.qsos.back().line);
    ASSERT_EQ(1u, log.warnings.size());
    EXPECT_EQ(lines + 2, log.warnings[0].line);
    ASSERT_EQ(1u, log.badCalls.size());
    EXPECT_EQ(lines + 2, log.badCalls[0].line);
}

}  // namespace
