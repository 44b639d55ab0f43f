#include "host/cross_check/contest_folder.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <map>
#include <numeric>

#include "host/host_error.h"
#include "host/run_beside.h"
#include "platform/plain_text.h"

namespace fs = std::filesystem;

namespace host {

bool IsLogFileName(const std::string& name) {
    const std::string ext = plat::AsciiLower(fs::path(name).extension().string());
    return ext == ".log" || ext == ".cbr" || ext == ".txt" || ext == ".adi";
}

namespace {

// The CATEGORY-* lines of a Cabrillo header, as the reader kept them.
std::vector<std::pair<std::string, std::string>> Categories(const ContestLog& log) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const auto& field : log.headerFields) {
        if (field.first.compare(0, 9, "CATEGORY-") == 0) {
            out.push_back(field);
        }
    }
    return out;
}

// The reader's reason names the file first; the skipped list names it apart.
std::string WithoutPath(const std::string& reason, const std::string& path) {
    if (reason.compare(0, path.size(), path) != 0) {
        return reason;
    }
    const std::string rest = reason.substr(path.size());
    if (rest.compare(0, 2, ": ") == 0) {
        return rest.substr(2);
    }
    return rest.compare(0, 1, ":") == 0 ? "line " + rest.substr(1) : reason;
}

// The indexes of the files, largest first; files of the same size (or
// whose size cannot be had) in name order.
std::vector<size_t> LargestFirst(const std::vector<fs::path>& names) {
    std::vector<std::uintmax_t> sizes(names.size(), 0);
    for (size_t i = 0; i < names.size(); ++i) {
        std::error_code error;
        const std::uintmax_t size = fs::file_size(names[i], error);
        sizes[i] = error ? 0 : size;
    }
    std::vector<size_t> order(names.size());
    std::iota(order.begin(), order.end(), size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return sizes[a] > sizes[b]; });
    return order;
}

}  // namespace

ContestFolder ReadContestFolder(const std::string& dir,
                                const std::function<void(size_t, size_t)>& progress) {
    std::vector<fs::path> names;
    std::error_code error;
    fs::directory_iterator it(dir, error);
    if (error) {
        throw InputError(dir + ": cannot read the folder of logs: " + error.message());
    }
    for (; it != fs::directory_iterator(); it.increment(error)) {
        std::error_code ignored;
        if (!it->is_directory(ignored) && IsLogFileName(it->path().filename().string())) {
            names.push_back(it->path());
        }
    }
    if (error) {
        throw InputError(dir + ": cannot read the folder of logs: " + error.message());
    }
    std::sort(names.begin(), names.end(),
              [](const fs::path& a, const fs::path& b) { return a.filename() < b.filename(); });

    // The files are read by two threads at once (one of them this one, the
    // only one that reports progress), largest first so that a long log is
    // never the last one started while the other thread has nothing left,
    // then taken in name order.
    const std::vector<size_t> order = LargestFirst(names);
    std::vector<EntrantLog> read(names.size());
    std::vector<std::string> reasons(names.size());
    std::vector<char> ok(names.size(), 0);
    std::atomic<size_t> next{0};
    std::atomic<size_t> done{0};
    auto reader = [&](bool report) {
        for (size_t taken = next++; taken < names.size(); taken = next++) {
            const size_t i = order[taken];
            EntrantLog& e = read[i];
            e.file = names[i].filename().string();
            e.path = names[i].string();
            std::error_code ignored;
            e.modified = fs::last_write_time(names[i], ignored);
            ok[i] = ReadLogFile(e.path, e.log, reasons[i]) ? 1 : 0;
            if (ok[i] != 0) {
                e.categories = Categories(e.log);
                e.call = OwnCallOf(e.log);
                // Calls that cannot be calls are never passed nor matched.
                if (!e.call.empty()) {
                    SetAsideBadCalls(e.log, e.call);
                }
            }
            ++done;
            if (report) {
                progress(done, names.size());
            }
        }
    };
    // A failure in either stops the other at its next file.
    auto stopping = [&](bool report) {
        return [&, report] {
            try {
                reader(report);
            } catch (...) {
                next = names.size();
                throw;
            }
        };
    };
    RunBeside(stopping(false), stopping(true));

    ContestFolder folder;
    std::map<std::string, size_t> byCall;  // call -> index in folder.logs
    for (size_t i = 0; i < names.size(); ++i) {
        EntrantLog& e = read[i];
        if (ok[i] == 0) {
            folder.skipped.push_back({e.file, WithoutPath(reasons[i], e.path)});
            continue;
        }
        if (e.call.empty()) {
            folder.skipped.push_back({e.file, "the log names no own call"});
            continue;
        }
        const auto known = byCall.find(e.call);
        if (known == byCall.end()) {
            byCall[e.call] = folder.logs.size();
            folder.logs.push_back(std::move(e));
            continue;
        }
        // The newest file of a call is used; names come in order, so of two
        // files written at the same time the one whose name sorts last.
        EntrantLog& used = folder.logs[known->second];
        const bool newer = e.modified >= used.modified;
        EntrantLog& left = newer ? used : e;
        const std::string& kept = newer ? e.file : used.file;
        folder.skipped.push_back({left.file, "another log of " + e.call + " is used: " + kept});
        std::vector<std::string> others = std::move(used.otherFiles);
        others.push_back(left.file);
        if (newer) {
            used = std::move(e);
        }
        used.otherFiles = std::move(others);
    }
    std::sort(folder.logs.begin(), folder.logs.end(),
              [](const EntrantLog& a, const EntrantLog& b) { return a.file < b.file; });
    return folder;
}

}  // namespace host
