// File-system services over the Win32 API. Paths are already in this
// platform's spelling; text files go through the common stdio code.
#include <windows.h>

#include "platform/files.h"

namespace plat {

std::string NativePath(const std::string& path) {
    return path;
}

bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::vector<std::string> FindFiles(const std::string& pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        names.emplace_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

namespace {

// Writes every byte to the open file and closes it; false when any byte is
// missing or the close fails.
bool WriteAndClose(HANDLE file, const std::string& bytes) {
    bool ok = true;
    size_t done = 0;
    while (ok && done < bytes.size()) {
        const size_t left = bytes.size() - done;
        const DWORD chunk = left > 0x10000000 ? 0x10000000 : static_cast<DWORD>(left);
        DWORD written = 0;
        ok = WriteFile(file, bytes.data() + done, chunk, &written, nullptr) && written == chunk;
        done += written;
    }
    ok = FlushFileBuffers(file) && ok;
    ok = CloseHandle(file) && ok;
    return ok;
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const std::string& bytes) {
    const std::string temp = path + ".new";
    HANDLE file = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return WriteWholeFile(path, bytes);  // no room for a temporary file here
    }
    // The old file keeps its contents until the complete new one takes its
    // name; a failed write or rename leaves it untouched.
    if (WriteAndClose(file, bytes) &&
        MoveFileExA(temp.c_str(), path.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return true;
    }
    DeleteFileA(temp.c_str());
    return false;
}

}  // namespace plat
