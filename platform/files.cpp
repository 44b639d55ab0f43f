// Whole-file text access through stdio in binary mode, so that both builds
// read and write exactly the same bytes.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/files.h"

namespace plat {
namespace {

// Only plain files are opened: a pipe would block the open, and a device
// such as /dev/zero would never end.
bool IsPlainFile(const std::string& nativePath) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(nativePath, ignored);
}

// Missing (to be created) or a plain file.
bool MayWrite(const std::string& nativePath) {
    std::error_code ignored;
    const auto type = std::filesystem::status(nativePath, ignored).type();
    return type != std::filesystem::file_type::fifo && type != std::filesystem::file_type::socket;
}

bool ReadAll(const std::string& path, std::string& bytes) {
    if (!IsPlainFile(NativePath(path))) {
        return false;
    }
    std::FILE* f = std::fopen(NativePath(path).c_str(), "rb");
    if (f == nullptr) {
        return false;
    }
    // The reads go straight into this buffer: the stream needs none of its
    // own, whose allocation cost more than the read of a small file.
    std::setvbuf(f, nullptr, _IONBF, 0);
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
    const std::string native = NativePath(path);
    if (!MayWrite(native)) {
        return false;
    }
    std::FILE* f = std::fopen(native.c_str(), mode);
    if (f == nullptr) {
        return false;
    }
    // Where the new bytes start: the end of the file when appending.
    long start = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        start = std::ftell(f);
    }
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = std::fflush(f) == 0 && ok;
    ok = std::fclose(f) == 0 && ok;
    if (!ok && start >= 0) {
        // A full disk takes what fits; cut that part off again, so that no
        // half line stays for the next line to join.
        std::error_code ignored;
        std::filesystem::resize_file(native, static_cast<std::uintmax_t>(start), ignored);
    }
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
