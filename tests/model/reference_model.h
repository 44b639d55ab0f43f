// A reference model of the contest's scoring rules, written straight from
// the rules with plain loops over a vector of records. It shares no code
// with the plug-in: the randomized tests run the same calls through both and
// require equal answers, texts and files.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "host/plugin_host/plugin_loader.h"

namespace model {

// The automation date broken into calendar fields.
struct CalendarTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The day count as a linear number of days from 30 December 1899: days
// before it count their fraction forward from midnight of the negative day.
double LinearDays(double dayCount);

// Calendar fields rounded to the nearest second; false for NaN, infinities
// and years outside 100..9999.
bool ToCalendar(double dayCount, CalendarTime& out);

// Valid and convertible to calendar fields.
bool IsFormattable(const StatsDate& date);

// "%Y", "%m", "%d", "%H", "%M", "%S" and "%%". A null date gives "", an
// invalid or unconvertible one "Invalid DateTime".
std::string FormatDate(const StatsDate& date, const char* pattern);

class ReferenceModel {
  public:
    // One line of the bad-QSO file, with the fields removal compares.
    struct BadLine {
        std::string text;
        std::string call;
        std::string mode;
        std::string timeText;
    };

    // The library just loaded: empty log, no contest run, text summaries.
    ReferenceModel();

    // Unload and load again: everything but the files on disk starts over.
    void Reload();

    void SetVersion() { hostSetVersion_ = true; }

    // hostVersion is what the contest-run start finds in the host's files
    // ("Larq" when there are none).
    // rules2020: the settings chose the rules published since 2020;
    // entryBand ("40m", or "" for all bands) is the band a report run's
    // entry scores.
    int ResetStats(const host::ContestRun& run, const std::string& hostVersion,
                   bool rules2020 = false, const std::string& entryBand = "");
    int AddData(const host::QsoFields& qso);
    int RemoveData(const host::QsoFields& qso);
    host::CallCheckAnswer CheckCall(const host::CallCheck& check) const;
    static int IsValidExchange(const char* exchange);
    std::string GetResult(int* hostValue);

    // The score of the last results request, as stored under "Claimed".
    int claimed() const { return claimed_; }
    const std::string& badQsoFileName() const { return badQsoFileName_; }
    // Every bad-QSO file this model created, with its expected bytes.
    std::map<std::string, std::string> BadQsoFiles() const;
    size_t logSize() const { return log_.size(); }

  private:
    struct Record {
        std::string call, dxcc, continent, band, mode, rstRcvd, rstSent, exchRcvd, exchSent;
        std::string county;
        int freqKHz = 0;
        bool notCounted = false;
        bool noCounty = false;
        bool notANumber = false;
        bool dupe = false;
        StatsDate time;
    };

    void WriteBadLine(const host::QsoFields& qso, const std::string& timeText, const char* reason);
    int QsoPoints(const Record& r) const;
    static std::string Html(const std::string& text);

    std::vector<Record> log_;
    std::vector<std::string> bandsWorked_;
    std::map<std::string, std::vector<BadLine>> files_;

    bool hostSetVersion_ = false;
    std::string hostVersion_;
    std::string ownCall_, ownDxcc_, ownContinent_;
    std::string startDayMonth_, endDate_;
    std::string badQsoFileName_;
    int reportRun_ = 0;
    bool ownIsYu_ = false;
    bool rules2020_ = false;
    std::string entryBand_;
    int claimed_ = 0;
};

}  // namespace model
