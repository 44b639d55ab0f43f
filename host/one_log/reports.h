// The reports of a score run beside the plug-in's summary: the problems
// list, the closing line on standard error, and the summary as JSON.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/one_log/prepared_log.h"
#include "host/plugin_host/session.h"
#include "host/plugin_host/summary_text.h"
#include "host/problems.h"

namespace host {

// The text as a JSON string, quotes included. Bytes that are no UTF-8 are
// read as Latin-1.
std::string JsonString(const std::string& text);
// The same, appended to out.
void AppendJsonString(std::string& out, const std::string& text);

// Every QSO that did not score or scored on incomplete data: the lines the
// log reader skipped, the QSOs outside the period, and for the QSOs handed
// to the plug-in the calls of no country and the plug-in's own reasons.
ProblemList CollectProblems(const PreparedLog& p, const Session& s);
// The same for a log whose QSOs are made as they are needed: the lines the
// reader skipped in log, the QSOs outside the period and those handed over
// (passed, in the order they were), QSO i as qsoAt(i) makes it (a
// reference that holds until the next call), noCountry(i) whether its call
// has no entity.
ProblemList CollectProblems(const ContestLog& log, const std::vector<size_t>& outside,
                            const std::vector<size_t>& passed,
                            const std::function<const QsoFields&(size_t)>& qsoAt,
                            const std::function<bool(size_t)>& noCountry, const Session& s);
// The lines the log reader skipped and the bad calls alone: all there is to
// list when no QSO of the log can be used.
ProblemList ReadingProblems(const ContestLog& log);

// One line per problem, "LOG:LINE: kind: detail". Throws InputError when
// the file cannot be written.
void WriteProblemsFile(const std::string& path, const std::string& logName, ProblemList& problems);

// Standard error: under the classic rules a note when the 2020 rules would
// score the log otherwise; then what was read, the contest period and how
// it was chosen, what was passed and stored, whether the replay reordered
// the log, the problems by kind, and the rules when they are the 2020 ones.
// seeAlso names where the problems are listed, or is empty; cbrName names
// the Cabrillo file of a report run, whose missing QSO lines are then
// counted by cause, or is empty.
void ReportClosing(const PreparedLog& p, const Session& s, const ProblemList& problems,
                   const std::string& seeAlso, const std::string& cbrName);

// The summary as JSON, the schema shown in the README. Throws InputError
// when the file cannot be written.
void WriteJsonFile(const std::string& path, const std::string& logName, const PreparedLog& p,
                   const Session& s, const SummaryFigures& figures, const ProblemList& problems);

}  // namespace host
