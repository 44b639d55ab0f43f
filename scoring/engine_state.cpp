#include "scoring/engine_state.h"

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
bool g_hostSetVersion = false;
int g_claimedScore = 0;
std::string g_resultText;
BadQsoFile g_badQsoFile;
std::atomic<int> g_refreshPending{1};

plat::Mutex& EngineLock() {
    static plat::Mutex lock;
    return lock;
}

void ResetEngineState() {
    g_log.Clear();
    g_bandsWorked.clear();
    g_prevQsoRows = BandLists();
    g_dxccByBand = BandLists();
    g_countyByBand = BandLists();
    for (std::string* s :
         {&g_hostFolder, &g_hostVersion, &g_ownCall, &g_ownDxcc, &g_ownContinent, &g_startDayMonth,
          &g_startYear, &g_endDate, &g_badQsoFileName, &g_resultText}) {
        s->clear();
    }
    g_reportRun = 0;
    g_russianUi = false;
    g_ownIsYu = false;
    g_hostSetVersion = false;
    g_claimedScore = 0;
    g_badQsoFile = BadQsoFile();
    g_refreshPending = 1;
}
