// The logs of a whole contest: every Cabrillo and ADIF file directly in one
// folder, read in name order, one log per call.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "host/readers/log_reader.h"

namespace host {

struct EntrantLog {
    std::string file;  // its name in the folder
    std::string path;
    std::string call;  // the own call, as score takes it
    ContestLog log;
    // The CATEGORY-* header lines, in file order.
    std::vector<std::pair<std::string, std::string>> categories;
    std::filesystem::file_time_type modified{};
    // The other files of the same call, not used, in name order.
    std::vector<std::string> otherFiles;
};

struct SkippedFile {
    std::string file;
    std::string reason;
};

struct ContestFolder {
    std::vector<EntrantLog> logs;  // in file-name order
    std::vector<SkippedFile> skipped;
};

// Whether a file of this name in the folder is read as a log: *.log, *.cbr,
// *.txt or *.adi, in any case.
bool IsLogFileName(const std::string& name);

// Reads the folder. A file that cannot be read or names no call goes under
// skipped with its reason, and so does every log of a call but the newest
// (of equally new ones, the one whose name sorts last). progress(done, files) is called after each
// file. Throws InputError when the folder cannot be listed.
ContestFolder ReadContestFolder(const std::string& dir,
                                const std::function<void(size_t, size_t)>& progress);

}  // namespace host
