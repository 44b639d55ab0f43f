// Private-profile files through the Windows functions. The path is made
// absolute first: the Windows functions would look for a bare relative name
// in the Windows folder, and the plug-in's files are relative to the current
// directory.
#include <windows.h>
// <windows.h> maps WriteProfileString to a function of its own.
#undef WriteProfileString

#include <vector>

#include "platform/profile.h"

namespace plat {
namespace {

constexpr DWORD kValueBuffer = 32768;

// A value never holds a line break, so this default tells a missing key from
// any stored value, the empty one included.
const char* const kMissing = "\n#";

std::string FullPath(const std::string& path) {
    char buffer[MAX_PATH * 4];
    const DWORD length = GetFullPathNameA(path.c_str(), sizeof buffer, buffer, nullptr);
    if (length == 0 || length >= sizeof buffer) {
        return path;
    }
    return std::string(buffer, length);
}

}  // namespace

std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& def) {
    std::vector<char> buffer(kValueBuffer);
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), kMissing, buffer.data(),
                                 kValueBuffer, FullPath(path).c_str());
    const std::string value(buffer.data(), length);
    return value == kMissing ? def : value;
}

bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(),
                                      FullPath(path).c_str()) != FALSE;
}

}  // namespace plat
