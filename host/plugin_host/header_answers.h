// The answers a report run gives the plug-in's Cabrillo header form: the
// log's own header first, then --header, and the answers the plug-in saved
// at an earlier report run only for the fields neither gives and only when
// they were saved for the same call.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "host/plugin_host/console.h"

namespace host {

struct HeaderAnswers {
    std::map<std::string, std::string> fromLog;      // form label -> the log's value
    std::map<std::string, std::string> fromOptions;  // form label -> --header value
    std::string ownCall;
    bool savedForAnotherCall = false;
};

// The log's header lines (tag, value) as answers by form label: EMAIL is the
// form's E-MAIL, repeated ADDRESS lines join into one, SOAPBOX lines into
// lines of one text. CALLSIGN and CONTEST are the run's, not answers.
std::map<std::string, std::string> LogHeaderAnswers(
    const std::vector<std::pair<std::string, std::string>>& headerFields);

// Whether the answers saved in the plug-in's settings (in the current
// folder) were saved for a call other than ownCall; and the record, kept
// beside them, of the call they are saved for.
bool SavedAnswersOfAnotherCall(const std::string& ownCall);
void RecordSavedAnswersCall(const std::string& ownCall);

// Fills the form's fields. Returns the reason the form must be cancelled (a
// --header field the form lacks, or a value outside a field's list), or
// empty; a value of the log's header outside a field's list is left out
// with a warning.
// The same refusal for --header answers, against the form's fields as the
// plug-in built with this host shows them: checked before a run starts, so
// that a refused run has changed nothing.
std::string RefusedHeaderOptions(const std::map<std::string, std::string>& fromOptions);

std::string FillHeaderForm(const HeaderAnswers& answers, std::vector<FormAnswer>& fields,
                           std::vector<std::string>& warnings);

}  // namespace host
