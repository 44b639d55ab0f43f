#include "host/cross_check/memory_folder.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#if !defined(_WIN32)
#include <signal.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace fs = std::filesystem;

namespace host {
namespace {

#if !defined(_WIN32)
// A folder on a file system kept in memory, which this process may write.
bool InMemory(const char* dir) {
    constexpr long kTmpfsMagic = 0x01021994;
    struct statfs s {};
    return dir != nullptr && *dir != '\0' && statfs(dir, &s) == 0 &&
           static_cast<long>(s.f_type) == kTmpfsMagic && access(dir, W_OK | X_OK) == 0;
}

const char kPrefix[] = "stats-host-";

// Removes the folders of runs that were killed before they could remove
// their own: named after a process that no longer exists.
void RemoveLeftBehind(const std::string& base) {
    std::error_code error;
    for (fs::directory_iterator it(base, error), end; !error && it != end; it.increment(error)) {
        const std::string name = it->path().filename().string();
        if (name.compare(0, sizeof kPrefix - 1, kPrefix) != 0) {
            continue;
        }
        char* after = nullptr;
        const long pid = std::strtol(name.c_str() + sizeof kPrefix - 1, &after, 10);
        if (pid > 0 && *after == '-' && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            std::error_code ignored;
            fs::remove_all(it->path(), ignored);
        }
    }
}
#endif

}  // namespace

MemoryFolder::MemoryFolder() {
#if !defined(_WIN32)
    const char* const bases[] = {std::getenv("XDG_RUNTIME_DIR"), "/dev/shm"};
    for (const char* base : bases) {
        if (!InMemory(base)) {
            continue;
        }
        RemoveLeftBehind(base);
        std::string name = std::string(base) + "/" + kPrefix + std::to_string(getpid()) + "-XXXXXX";
        std::vector<char> buffer(name.begin(), name.end());
        buffer.push_back('\0');
        if (mkdtemp(buffer.data()) != nullptr) {
            path_ = buffer.data();
            return;
        }
    }
#endif
}

MemoryFolder::~MemoryFolder() {
    if (!path_.empty()) {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
}

std::string MemoryFolder::WorkerFolder(const std::string& onDisk, size_t worker) const {
    if (path_.empty()) {
        return onDisk;
    }
    return (fs::path(path_) / ("worker-" + std::to_string(worker + 1))).string();
}

}  // namespace host
