#include "host/results/ubn_files.h"

#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "host/host_error.h"
#include "host/output_files.h"
#include "host/results/entrant_report.h"
#include "platform/plain_text.h"

namespace host {
namespace {

bool IsDeviceName(const std::string& name) {
    const std::string stem = plat::AsciiUpper(name);
    static const std::set<std::string> kDevices = {
        "CON",  "PRN",  "AUX",  "NUL",  "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7",
        "COM8", "COM9", "LPT1", "LPT2", "LPT3", "LPT4", "LPT5", "LPT6", "LPT7", "LPT8", "LPT9"};
    return kDevices.count(stem) > 0;
}

}  // namespace

std::string SafeFileStem(const std::string& call) {
    std::string stem;
    for (char c : call) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-') {
            stem += c;
        } else if (c == '/') {
            stem += '-';
        }
    }
    if (stem.empty()) {
        stem = "_";
    }
    const size_t dash = stem.find('-');
    if (IsDeviceName(stem.substr(0, dash))) {
        stem = "_" + stem;
    }
    return stem;
}

std::vector<std::string> ReportStems(const CheckedContest& c) {
    std::set<std::string> taken;
    std::vector<std::string> stems;
    for (const CheckedLog& l : c.logs) {
        const std::string stem = SafeFileStem(l.entrant->call);
        std::string name = stem;
        for (int n = 2; !taken.insert(name).second; ++n) {
            name = stem + "-" + std::to_string(n);
        }
        stems.push_back(name);
    }
    return stems;
}

void WriteUbnFiles(const std::string& folder, const CheckedContest& c) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        throw InputError(folder + ": cannot create the folder of reports: " + error.message());
    }
    WriteEntrantFiles(folder, c, ".txt", "report",
                      [&](const CheckedLog& l) { return EntrantReport(l, c.keepUniques); });
}

void WriteEntrantFiles(const std::string& folder, const CheckedContest& c,
                       const std::string& extension, const std::string& what,
                       const std::function<std::string(const CheckedLog&)>& text) {
    const std::vector<std::string> stems = ReportStems(c);
    OutputBatch batch;
    for (size_t i = 0; i < c.logs.size(); ++i) {
        const CheckedLog& l = c.logs[i];
        batch.Write(folder + "/" + stems[i] + extension, text(l), what + " of " + l.entrant->call);
    }
    batch.Commit();
    RemoveOtherReports(folder, std::set<std::string>(stems.begin(), stems.end()), extension);
}

}  // namespace host
