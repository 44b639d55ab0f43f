// The Cabrillo log of a report run: its header comes from the form at the
// contest-run start, its QSO lines from the log when the results are asked
// for.
#pragma once

#include <string>

#include "cabrillo/cabrillo_log.h"
#include "platform/sync.h"

extern CabrilloLog g_cabrilloLog GUARDED_BY(g_engineMutex);

// The band a report run's entry scores: under the 2020 rules, the one band
// the form's CATEGORY-BAND names ("40m"); "" for every band.
std::string ReportRunEntryBand() REQUIRES(g_engineMutex);

// Fills the Cabrillo log with every stored QSO in log order (dupes and
// QSOs without a county too: the log sent in holds every QSO made), writes
// the file with the claimed score and returns the message for the operator.
std::string WriteReportRunCabrillo(int claimedScore) REQUIRES(g_engineMutex);
