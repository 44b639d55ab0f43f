// Reads a contest log, Cabrillo 3.0 or ADIF (told apart by the content), into
// the QSO fields the host hands to the plug-in. Lines that cannot be read are
// reported with their line and reason and left out; the rest is kept. Lines
// may end in CR LF, LF or CR alone. Calls are read in capitals, as a logging
// program's entry field shows them; exchanges in their normal form
// (NormalisedExchange); a missing report is 599 on CW and 59 on SSB.
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
};

// Reads the file at path. Returns false with error set when the file cannot
// be read, is empty, is UTF-16 text, or is neither Cabrillo nor ADIF.
bool ReadLogFile(const std::string& path, ContestLog& log, std::string& error);
// The same for text already in memory; name is used in the messages.
bool ParseLog(const std::string& text, const std::string& name, ContestLog& log,
              std::string& error);

// The call the log is scored for: the one given on the command line when
// there is one, else the log's own call, else the own call of its first
// QSO; empty when none names one.
std::string OwnCallOf(const ContestLog& log, const std::string& given = std::string());

// Moves the QSOs whose call cannot be a call (see BrokenCallRule) from qsos
// to badCalls.
void SetAsideBadCalls(ContestLog& log, const std::string& ownCall);

// The band of a frequency in kHz: "160m" to "10m", "60m", "6m", "2m", or
// empty when it lies on no amateur band.
std::string BandOfKHz(double kHz);
// "CW" and "SSB" for the log's CW and phone modes, any other mode unchanged
// (upper case).
std::string ContestMode(const std::string& logMode);

}  // namespace host
