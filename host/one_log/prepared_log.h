// A contest log made ready for the plug-in: read, each call resolved to its
// DXCC entity and continent, the own station named, the contest period told
// and the QSOs inside it chosen.
#pragma once

#include <set>
#include <string>
#include <vector>

#include "host/one_log/contest_period.h"
#include "host/options.h"
#include "host/plugin_host/plugin_loader.h"
#include "host/plugin_host/session.h"
#include "host/readers/country_file.h"
#include "host/readers/log_reader.h"
#include "host/stage_clock.h"

namespace host {

struct PreparedLog {
    ContestLog log;
    CountryResolver countries;
    ContestRun run;  // own station and period; no folder yet
    ContestPeriod period;
    std::vector<QsoFields> qsos;  // every QSO read, in log order
    std::vector<bool> noCountry;  // per QSO: its call resolved to no entity
    std::vector<size_t> outside;  // QSOs outside the period, in log order
    std::vector<size_t> passed;   // QSOs handed to the plug-in, in time order
    bool timeOrdered = true;      // the log lists its QSOs in time order
    std::set<std::string> unresolved;
    // Why no QSO of the log can be scored, or empty; then nothing past the
    // reading and the bad calls was done.
    std::string nothingUsable;
    RuleSet rules = RuleSet::kClassic;
    std::string categoryBand;  // the entry's CATEGORY-BAND: --header, else the log's
    std::string entryBand;     // "40m": the one band it scores (2020 rules), else ""
};

// Reads the log and the country file named in the options and builds the
// QSOs; throws InputError when either cannot be used. Reports the lines that
// cannot be read and the QSOs outside the period on standard error. A log
// none of whose QSO lines can be used comes back with nothingUsable set.
PreparedLog PrepareLog(const Options& o);
// The same, naming its stages on the clock: reading the log, the country
// file, preparing the QSOs.
PreparedLog PrepareLog(const Options& o, StageClock& clock);

// Loads the country file; throws InputError naming what is wrong.
void LoadCountries(const std::string& path, CountryResolver& countries);

// What a contest's check already knows of a log's QSOs, one entry per QSO
// read: their times as day counts, corrected for the log's clock, and their
// calls' entities (null: the call names none). Where a pointer is null, the
// times are taken as logged and each call is resolved.
struct KnownOfQsos {
    const double* times = nullptr;
    const Country* const* countries = nullptr;
};

// Makes the QSOs of a log as the plug-in takes them, one at a time: ownCall
// for every QSO when callGiven, else for those that name none.
class QsoMaker {
  public:
    QsoMaker(const std::vector<LogQso>& qsos, const CountryResolver& countries, std::string ownCall,
             bool callGiven, KnownOfQsos known = {})
        : qsos_(qsos),
          countries_(countries),
          ownCall_(std::move(ownCall)),
          callGiven_(callGiven),
          known_(known) {}
    // QSO i into f (its strings reused); false when its call has no entity.
    bool Make(size_t i, QsoFields& f) const;
    // Whether QSO i's call has no entity, without making the QSO.
    bool WithoutCountry(size_t i) const;

  private:
    const std::vector<LogQso>& qsos_;
    const CountryResolver& countries_;
    std::string ownCall_;
    bool callGiven_;
    KnownOfQsos known_;
};

// The steps of PrepareLog for a log already read: builds p.qsos, p.noCountry
// and the own station of p.run from qsos (ownCall for every QSO when
// callGiven, else for those that name none), and then the QSOs inside and
// outside p.period.
void ResolveQsos(PreparedLog& p, const std::vector<LogQso>& qsos, const CountryResolver& countries,
                 const std::string& ownCall, bool callGiven);
void SplitByPeriod(PreparedLog& p, bool allQsos);

// Which QSOs of a log lie outside the period, and which are handed to the
// plug-in: those inside (all of them with allQsos), in time order.
struct PeriodSplit {
    std::vector<size_t> outside;  // in log order
    std::vector<size_t> passed;   // in time order
    bool timeOrdered = true;      // the log lists its QSOs in time order
};
PeriodSplit SplitTimes(const ContestPeriod& period, const double* times, size_t count,
                       bool allQsos);

// The own station of a run: its call and, when it resolves, its entity;
// a call that does not goes into unresolved, when given.
void SetOwnStation(ContestRun& run, const CountryResolver& countries, const std::string& ownCall,
                   std::set<std::string>* unresolved);

// The replay of the log in the host's folder, with the header answers of the
// log and of the options.
SessionSetup MakeSetup(const Options& o, const PreparedLog& p, const std::string& plugin,
                       const std::string& folder);

// Standard error: the calls that resolved to no DXCC entity.
void WarnUnresolved(const PreparedLog& p);

}  // namespace host
