// Whole-file text access through stdio in binary mode, so that both builds
// read and write exactly the same bytes.
#include <cstdio>

#include "platform/files.h"

namespace plat {
namespace {

bool ReadAll(const std::string& path, std::string& bytes) {
    std::FILE* f = std::fopen(NativePath(path).c_str(), "rb");
    if (f == nullptr) {
        return false;
    }
    char buffer[65536];
    size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
        bytes.append(buffer, got);
    }
    const bool ok = std::ferror(f) == 0;
    std::fclose(f);
    return ok;
}

bool WriteWith(const std::string& path, const char* mode, const std::string& bytes) {
    std::FILE* f = std::fopen(NativePath(path).c_str(), mode);
    if (f == nullptr) {
        return false;
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    return ok;
}

}  // namespace

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    lines.clear();
    std::string bytes;
    if (!ReadAll(path, bytes)) {
        return false;
    }
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        const size_t next = end == std::string::npos ? bytes.size() : end + 1;
        if (end == std::string::npos) {
            end = bytes.size();
        }
        size_t len = end - start;
        if (len > 0 && bytes[start + len - 1] == '\r' && end < bytes.size()) {
            --len;
        }
        lines.emplace_back(bytes, start, len);
        start = next;
    }
    return true;
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
    return WriteWith(path, "wb", bytes);
}

bool AppendToFile(const std::string& path, const std::string& bytes) {
    return WriteWith(path, "ab", bytes);
}

}  // namespace plat
