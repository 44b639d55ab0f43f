#include <dirent.h>
#include <fnmatch.h>
#include <sys/stat.h>

#include <algorithm>

#include "platform/files.h"

namespace plat {

std::string NativePath(const std::string& path) {
    std::string out(path);
    std::replace(out.begin(), out.end(), '\\', '/');
    return out;
}

bool PathExists(const std::string& path) {
    struct stat info {};
    return stat(NativePath(path).c_str(), &info) == 0;
}

std::vector<std::string> FindFiles(const std::string& pattern) {
    const std::string native = NativePath(pattern);
    const size_t slash = native.rfind('/');
    const std::string folder = slash == std::string::npos ? "." : native.substr(0, slash + 1);
    const std::string namePattern = slash == std::string::npos ? native : native.substr(slash + 1);
    std::vector<std::string> names;
    DIR* dir = opendir(folder.c_str());
    if (dir == nullptr) {
        return names;
    }
    while (const dirent* entry = readdir(dir)) {
        // Windows matches file names without regard to letter case.
        if (fnmatch(namePattern.c_str(), entry->d_name, FNM_CASEFOLD) == 0) {
            names.emplace_back(entry->d_name);
        }
    }
    closedir(dir);
    return names;
}

}  // namespace plat

#include <cstdio>

namespace plat {

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
    const std::string native = NativePath(path);
    const std::string temp = native + ".new";
    std::FILE* probe = std::fopen(temp.c_str(), "wb");
    if (probe == nullptr) {
        return WriteWholeFile(path, bytes);  // no room for a temporary file here
    }
    std::fclose(probe);
    if (WriteWholeFile(temp, bytes) && std::rename(temp.c_str(), native.c_str()) == 0) {
        return true;
    }
    std::remove(temp.c_str());
    return false;
}

}  // namespace plat
