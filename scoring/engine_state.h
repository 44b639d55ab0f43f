// The engine's state between the host's calls: the log, the per-band lists
// the windows and reports read, and the strings and flags of the contest run.
// One lock guards all of it; the host's thread holds it inside every export
// and the UI thread while it reads.
#pragma once

#include <array>
#include <atomic>
#include <string>
#include <vector>

#include "platform/sync.h"
#include "scoring/bad_qso_file.h"
#include "scoring/contest_lists.h"
#include "scoring/qso_log.h"

using BandLists = std::array<std::vector<std::string>, kBandSlots>;

extern QsoLog g_log;
extern std::vector<std::string> g_bandsWorked;
extern BandLists g_prevQsoRows;
extern BandLists g_dxccByBand;
extern BandLists g_countyByBand;

extern std::string g_hostFolder;
extern std::string g_hostVersion;
extern std::string g_ownCall;
extern std::string g_ownDxcc;
extern std::string g_ownContinent;
extern std::string g_startDayMonth;
extern std::string g_startYear;
extern std::string g_endDate;
extern std::string g_badQsoFileName;
extern int g_reportRun;
extern bool g_russianUi;
extern bool g_ownIsYu;
extern bool g_hostSetVersion;
extern int g_claimedScore;
extern std::string g_resultText;
extern BadQsoFile g_badQsoFile;

// Raised at load; lowered by the call check when it asks the Setup panel to
// refresh, raised again by the refresh and by removal.
extern std::atomic<int> g_refreshPending;

plat::Mutex& EngineLock();

// Back to the state right after the library was loaded.
void ResetEngineState();
