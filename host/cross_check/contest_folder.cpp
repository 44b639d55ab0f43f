#include "host/cross_check/contest_folder.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <filesystem>
#include <fstream>
#include <map>
#if !defined(_WIN32)
#include <thread>
#endif

#include "host/host_error.h"

namespace fs = std::filesystem;

namespace host {
namespace {}  // namespace

bool IsLogFileName(const std::string& name) {
    std::string ext = fs::path(name).extension().string();
    for (char& c : ext) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return ext == ".log" || ext == ".cbr" || ext == ".txt" || ext == ".adi";
}

namespace {

std::string Trimmed(const std::string& text) {
    const size_t from = text.find_first_not_of(" \t\r");
    const size_t to = text.find_last_not_of(" \t\r");
    return from == std::string::npos ? std::string() : text.substr(from, to - from + 1);
}

// The CATEGORY-* lines of a Cabrillo header; the reader has them as text.
std::vector<std::pair<std::string, std::string>> ReadCategories(const std::string& path) {
    std::vector<std::pair<std::string, std::string>> out;
    std::ifstream in(path, std::ios::binary);
    std::string line;
    while (std::getline(in, line)) {
        const std::string upper = [&] {
            std::string u = line.substr(0, 4);
            for (char& c : u) {
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            }
            return u;
        }();
        if (upper == "QSO:") {
            break;
        }
        const size_t colon = line.find(':');
        if (colon == std::string::npos || line.compare(0, 9, "CATEGORY-") != 0) {
            continue;
        }
        out.emplace_back(Trimmed(line.substr(0, colon)), Trimmed(line.substr(colon + 1)));
    }
    return out;
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
    // only one that reports progress), then taken in name order.
    std::vector<EntrantLog> read(names.size());
    std::vector<std::string> reasons(names.size());
    std::vector<char> ok(names.size(), 0);
    std::atomic<size_t> next{0};
    std::atomic<size_t> done{0};
    auto reader = [&](bool report) {
        for (size_t i = next++; i < names.size(); i = next++) {
            EntrantLog& e = read[i];
            e.file = names[i].filename().string();
            e.path = names[i].string();
            ok[i] = ReadLogFile(e.path, e.log, reasons[i]) ? 1 : 0;
            if (ok[i] != 0 && e.log.format == LogFormat::kCabrillo) {
                e.categories = ReadCategories(e.path);
            }
            ++done;
            if (report) {
                progress(done, names.size());
            }
        }
    };
#if defined(_WIN32)
    reader(true);
#else
    std::exception_ptr failed;
    std::thread helper([&] {
        try {
            reader(false);
        } catch (...) {
            failed = std::current_exception();
            next = names.size();
        }
    });
    try {
        reader(true);
    } catch (...) {
        next = names.size();
        helper.join();
        throw;
    }
    helper.join();
    if (failed) {
        std::rethrow_exception(failed);
    }
#endif

    ContestFolder folder;
    std::map<std::string, size_t> byCall;  // call -> index in folder.logs
    for (size_t i = 0; i < names.size(); ++i) {
        EntrantLog& e = read[i];
        if (ok[i] == 0) {
            folder.skipped.push_back({e.file, reasons[i]});
            continue;
        }
        e.call = e.log.ownCall;
        if (e.call.empty() && !e.log.qsos.empty()) {
            e.call = e.log.qsos.front().ownCall;
        }
        if (e.call.empty()) {
            folder.skipped.push_back({e.file, "the log names no own call"});
            continue;
        }
        // Calls that cannot be calls are never passed nor matched.
        SetAsideBadCalls(e.log, e.call);
        const auto known = byCall.find(e.call);
        if (known == byCall.end()) {
            byCall[e.call] = folder.logs.size();
            folder.logs.push_back(std::move(e));
            continue;
        }
        // Names come in order: the later file replaces the earlier.
        EntrantLog& earlier = folder.logs[known->second];
        folder.skipped.push_back(
            {earlier.file, "another log of " + e.call + " is used: " + e.file});
        earlier = std::move(e);
    }
    std::sort(folder.logs.begin(), folder.logs.end(),
              [](const EntrantLog& a, const EntrantLog& b) { return a.file < b.file; });
    return folder;
}

}  // namespace host
