// The engine's state between the host's calls: the log, the per-band lists
// the windows and reports read, and the strings and flags of the contest run.
// g_engineMutex (platform/sync.h) guards all of it: the exports work on it
// from the host's thread, and the windows read it (the log, the per-band
// lists, the start year, the language flag, the host folder behind their
// settings) from the UI thread.
#pragma once

#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "platform/sync.h"
#include "scoring/bad_qso_file.h"
#include "scoring/contest_lists.h"
#include "scoring/qso_log.h"
#include "scoring/rule_set.h"

using BandLists = std::array<std::vector<std::string>, kBandSlots>;

extern QsoLog g_log GUARDED_BY(g_engineMutex);
extern std::vector<std::string> g_bandsWorked GUARDED_BY(g_engineMutex);
extern BandLists g_prevQsoRows GUARDED_BY(g_engineMutex);
extern BandLists g_dxccByBand GUARDED_BY(g_engineMutex);
extern BandLists g_countyByBand GUARDED_BY(g_engineMutex);

extern std::string g_hostFolder GUARDED_BY(g_engineMutex);
extern std::string g_hostVersion GUARDED_BY(g_engineMutex);
extern std::string g_ownCall GUARDED_BY(g_engineMutex);
extern std::string g_ownDxcc GUARDED_BY(g_engineMutex);
extern std::string g_ownContinent GUARDED_BY(g_engineMutex);
extern std::string g_startDayMonth GUARDED_BY(g_engineMutex);
extern std::string g_startYear GUARDED_BY(g_engineMutex);
extern std::string g_endDate GUARDED_BY(g_engineMutex);
extern std::string g_badQsoFileName GUARDED_BY(g_engineMutex);
extern int g_reportRun GUARDED_BY(g_engineMutex);
extern bool g_russianUi GUARDED_BY(g_engineMutex);
extern bool g_ownIsYu GUARDED_BY(g_engineMutex);
// The rules of the contest run, from the settings at its start.
extern RuleSet g_rules GUARDED_BY(g_engineMutex);
extern bool g_hostSetVersion GUARDED_BY(g_engineMutex);
extern std::string g_resultText GUARDED_BY(g_engineMutex);
extern BadQsoFile g_badQsoFile GUARDED_BY(g_engineMutex);

// Raised at load; lowered by the call check when it asks the Setup panel to
// refresh, raised again by the refresh and by removal.
extern std::atomic<int> g_refreshPending;
// Raised by a call check that found a refresh outstanding: the host's entry
// field may have changed after that refresh read it, so the refresh asks
// for one more when it ends, and the last letter typed is always shown.
extern std::atomic<int> g_refreshAgain;

// Back to the state right after the library was loaded.
void ResetEngineState() REQUIRES(g_engineMutex);
