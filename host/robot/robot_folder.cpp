#include "host/robot/robot_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <map>
#include <set>

#include "host/host_error.h"
#include "host/results/ubn_files.h"
#include "host/robot/durable_files.h"

namespace host::robot {

namespace fs = std::filesystem;

void PrepareFolder(const RobotFolder& f) {
    for (const std::string& d : {f.dir, f.logs, f.history, f.tmp}) {
        std::error_code e;
        fs::create_directories(d, e);
        if (e || !fs::is_directory(d)) {
            throw InputError(d + ": cannot make the folder" + (e ? ": " + e.message() : ""));
        }
    }
    std::error_code e;
    for (const fs::directory_entry& entry : fs::directory_iterator(f.tmp, e)) {
        fs::remove_all(entry.path(), e);
    }
    if (e) {
        throw InputError(f.tmp + ": cannot empty the folder: " + e.message());
    }
}

bool SameSecret(const std::string& a, const std::string& b) {
    unsigned char differ = a.size() == b.size() ? 0 : 1;
    const std::string& same = a.size() == b.size() ? b : a;
    for (size_t i = 0; i < a.size(); ++i) {
        differ |= static_cast<unsigned char>(a[i] ^ same[i]);
    }
    return differ == 0;
}

std::string CommitteeToken(const RobotFolder& f, std::ostream& err) {
    // Written whole under a scratch name, then linked to its own: link()
    // makes the file exclusively, so a token once made is never replaced.
    const std::string scratch = f.tmp + "/token-" + RandomHex(8);
    std::string fresh = RandomHex(32);
    try {
        WriteSynced(scratch, fresh + "\n", 0600);
    } catch (const StoreError& e) {
        throw InputError(e.what());
    }
    const bool made = ::link(scratch.c_str(), f.token.c_str()) == 0;
    const int why = errno;
    ::unlink(scratch.c_str());
    if (made) {
        SyncFolder(f.dir);
        err << "stats-host: the committee's token is in " << f.token << "\n";
        return fresh;
    }
    if (why != EEXIST) {
        throw InputError(f.token + ": cannot make the committee's token: " + std::strerror(why));
    }
    struct stat st {};
    if (::stat(f.token.c_str(), &st) != 0) {
        throw InputError(f.token + ": cannot read the committee's token");
    }
    if ((st.st_mode & 077) != 0) {
        throw InputError(f.token + ": others may read the committee's token; chmod 600 it");
    }
    std::string text;
    try {
        text = ReadWhole(f.token);
    } catch (const StoreError& e) {
        throw InputError(e.what());
    }
    if (!text.empty() && text.back() == '\n') {
        text.pop_back();
    }
    if (text.size() != 64 || text.find_first_not_of("0123456789abcdef") != std::string::npos) {
        throw InputError(f.token + ": holds no token (64 hex characters)");
    }
    return text;
}

std::string LogFileName(const std::string& call, const std::string& extension) {
    return SafeFileStem(call) + "." + extension;
}

void RebuildLogs(const RobotFolder& f, Submissions& db, std::ostream& err) {
    std::map<std::string, std::string> wanted;  // file in logs/ -> receipt
    for (const Submission& s : db.Current()) {
        wanted[LogFileName(s.call, s.extension)] = s.receipt;
    }
    const std::vector<std::string> receipts = db.Receipts();
    const std::set<std::string> known(receipts.begin(), receipts.end());
    std::error_code e;
    for (const fs::directory_entry& entry : fs::directory_iterator(f.history, e)) {
        const std::string name = entry.path().filename().string();
        if (known.count(name) == 0) {
            fs::remove_all(entry.path(), e);
            err << "stats-host: removed " << entry.path().string()
                << ", an upload the database does not know\n";
        }
    }
    for (const fs::directory_entry& entry : fs::directory_iterator(f.logs, e)) {
        const std::string name = entry.path().filename().string();
        if (wanted.count(name) == 0) {
            fs::remove_all(entry.path(), e);
            err << "stats-host: removed " << entry.path().string()
                << ", which is no call's current log\n";
        }
    }
    bool changed = false;
    for (const auto& [name, receipt] : wanted) {
        const std::string path = f.logs + "/" + name;
        std::string bytes;
        try {
            bytes = ReadWhole(f.history + "/" + receipt);
        } catch (const StoreError&) {
            err << "stats-host: the upload " << receipt << " of " << name
                << " is missing from history/\n";
            continue;
        }
        std::string now;
        try {
            now = ReadWhole(path);
        } catch (const StoreError&) {
            now.clear();
        }
        if (now != bytes || !fs::exists(path)) {
            ReplaceFile(f.tmp, path, bytes);
            err << "stats-host: put back " << path << " from upload " << receipt << "\n";
            changed = true;
        }
    }
    if (changed) {
        SyncFolder(f.logs);
    }
}

}  // namespace host::robot
