// The report each entrant receives: OUT/ubn/<CALL>.txt with the claimed and
// checked score and every QSO that did not stand, by kind.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/cross_check/checked_contest.h"

namespace host {

// A file name made from a call out of a stranger's log: letters, digits and
// '-' only ('/' becomes '-'), never a leading dot or a device name of
// Windows; taken names get -2, -3, ... in the order asked.
std::string SafeFileStem(const std::string& call);

// The file stem of each log's report, in the logs' order: SafeFileStem of
// its call, made unique.
std::vector<std::string> ReportStems(const CheckedContest& c);

// Writes one file per log into folder (which exists), named by ReportStems
// with extension, as one batch, and removes the files of logs no longer
// checked; throws InputError when it cannot. what: "report", "page".
void WriteEntrantFiles(const std::string& folder, const CheckedContest& c,
                       const std::string& extension, const std::string& what,
                       const std::function<std::string(const CheckedLog&)>& text);

// Writes one file per log into folder (created) and removes the reports of
// logs no longer checked; throws InputError when it cannot.
void WriteUbnFiles(const std::string& folder, const CheckedContest& c);

}  // namespace host
