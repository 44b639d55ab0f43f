#include "scoring/engine_state.h"

// Defined before the state it guards, so it is built before and destroyed
// after all of it.
plat::Mutex g_engineMutex;

QsoLog g_log;
std::vector<std::string> g_bandsWorked;
BandLists g_prevQsoRows;
BandLists g_dxccByBand;
BandLists g_countyByBand;

std::string g_hostFolder;
std::string g_hostVersion;
std::string g_ownCall;
std::string g_ownDxcc;
std::string g_ownContinent;
std::string g_startDayMonth;
std::string g_startYear;
std::string g_endDate;
std::string g_badQsoFileName;
int g_reportRun = 0;
bool g_russianUi = false;
bool g_ownIsYu = false;
RuleSet g_rules = RuleSet::kClassic;
bool g_hostSetVersion = false;
std::string g_resultText;
BadQsoFile g_badQsoFile;
std::atomic<int> g_refreshPending{1};
std::atomic<int> g_refreshAgain{0};

void ResetEngineState() {
    g_log.Clear();
    g_bandsWorked.clear();
    g_prevQsoRows = BandLists();
    g_dxccByBand = BandLists();
    g_countyByBand = BandLists();
    g_hostFolder.clear();
    g_hostVersion.clear();
    g_ownCall.clear();
    g_ownDxcc.clear();
    g_ownContinent.clear();
    g_startDayMonth.clear();
    g_startYear.clear();
    g_endDate.clear();
    g_badQsoFileName.clear();
    g_resultText.clear();
    g_reportRun = 0;
    g_russianUi = false;
    g_ownIsYu = false;
    g_rules = RuleSet::kClassic;
    g_hostSetVersion = false;
    g_badQsoFile = BadQsoFile();
    g_refreshPending = 1;
    g_refreshAgain = 0;
}
