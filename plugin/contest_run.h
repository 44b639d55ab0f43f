// ResetStats0: the start of a contest run.
#pragma once

#include <string>

#include "platform/ole_date.h"
#include "platform/sync.h"

struct ContestRunInput {
    std::string hostFolder;
    int reportRun = 0;
    std::string ownCall;
    plat::OleDate start;
    plat::OleDate end;
    std::string ownDxcc;
    std::string ownContinent;
};

// Called with the engine lock held; releases it while the Cabrillo header
// form is open and while the UI thread is started.
void StartContestRun(const ContestRunInput& run) REQUIRES(g_engineMutex);
