// A contest log as the readers give it: the own call, the QSOs with their
// fields as the plug-in takes them, and what could not be read.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace host {

struct LogTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct LogQso {
    int line = 0;  // where the QSO starts in the file
    std::string ownCall;
    std::string call;
    LogTime time;
    unsigned frequencyHz = 0;
    std::string band;  // "20m", or empty when the frequency is on no amateur band
    std::string mode;  // "CW", "SSB", or the log's own name for any other mode
    std::string rstSent;
    std::string rstRcvd;
    std::string exchSent;
    std::string exchRcvd;
};

enum class LogFormat { kCabrillo, kAdif };

// A line (or ADIF record) that could not be read.
struct LogProblem {
    int line = 0;
    std::string reason;
};

struct ContestLog {
    LogFormat format = LogFormat::kCabrillo;
    std::string ownCall;  // the log's own call: CALLSIGN: or STATION_CALLSIGN
    std::vector<LogQso> qsos;
    std::vector<LogProblem> problems;
    // QSOs set aside because their call cannot be a call: the line and why.
    std::vector<LogProblem> badCalls;
    // What was read all the same but deserves a word: the line and what.
    std::vector<LogProblem> warnings;
    // Dates (YYYY-MM-DD) that header lines other than QSO lines name, for
    // checking the contest period against.
    std::vector<LogTime> headerDates;
    // Cabrillo header lines before the first QSO line other than CALLSIGN:,
    // as (tag without its colon, value), in file order.
    std::vector<std::pair<std::string, std::string>> headerFields;
    // X-QSO: lines: QSOs the log itself marks as not to be scored.
    size_t ignoredQsoLines = 0;
};

}  // namespace host
