// The uploader's answer made from what the scoring worker left: the score,
// the problems line by line, the warnings, and the facts the database keeps.
#pragma once

#include <nlohmann/json.hpp>
#include <string>

#include "host/robot/score_worker.h"
#include "host/robot/submissions.h"

namespace host::robot {

// Fills in s (call, category, claimed score, QSOs, kind of file, page) and
// returns the answer without its receipt. upload is the path the worker
// read, which the scoring's messages name; errorText its standard error.
nlohmann::json ReadWorkerAnswer(const WorkerFiles& files, const std::string& upload,
                                const std::string& errorText, Submission& s);

// A message of the scoring about the file at upload, put for the uploader:
// "line 12: ..." for "UPLOAD:12: ...", no path, no advice about options.
std::string InUploadersWords(const std::string& message, const std::string& upload);

}  // namespace host::robot
