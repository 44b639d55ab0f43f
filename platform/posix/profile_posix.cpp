// Private-profile files with the semantics of the Windows functions: the
// first matching section and key win, names compare without regard to case,
// and a write rewrites the file with the one line changed or added.
#include <vector>

#include "platform/files.h"
#include "platform/plain_text.h"
#include "platform/profile.h"

namespace plat {
namespace {

constexpr size_t kMaxValueLength = 32767;

// The section name when the line is a section header.
bool SectionName(const std::string& line, std::string& name) {
    const std::string t = TrimBlanks(line);
    if (t.empty() || t[0] != '[') {
        return false;
    }
    const size_t close = t.find(']');
    name = TrimBlanks(t.substr(1, close == std::string::npos ? std::string::npos : close - 1));
    return true;
}

// The key name and raw value when the line is a key line.
bool KeyLine(const std::string& line, std::string& key, std::string& value) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) {
        return false;
    }
    key = TrimBlanks(line.substr(0, eq));
    value = line.substr(eq + 1);
    return true;
}

struct Location {
    long sectionLine = -1;  // index of the section header
    long keyLine = -1;      // index of the key line within the section
    long lastContent = -1;  // last non-blank line of the section
};

Location Find(const std::vector<std::string>& lines, const std::string& section,
              const std::string& key) {
    Location loc;
    bool inSection = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::string name;
        if (SectionName(lines[i], name)) {
            if (inSection) {
                break;  // the first matching section ends here
            }
            inSection = EqualIgnoringAsciiCase(name.c_str(), section.c_str());
            if (inSection) {
                loc.sectionLine = static_cast<long>(i);
                loc.lastContent = static_cast<long>(i);
            }
            continue;
        }
        if (!inSection) {
            continue;
        }
        if (!TrimBlanks(lines[i]).empty()) {
            loc.lastContent = static_cast<long>(i);
        }
        std::string k;
        std::string v;
        if (loc.keyLine < 0 && KeyLine(lines[i], k, v) &&
            EqualIgnoringAsciiCase(k.c_str(), key.c_str())) {
            loc.keyLine = static_cast<long>(i);
        }
    }
    return loc;
}

}  // namespace

std::string ReadProfileString(const std::string& path, const std::string& section,
                              const std::string& key, const std::string& def) {
    std::vector<std::string> lines;
    if (!ReadTextLines(path, lines)) {
        return def;
    }
    const Location loc = Find(lines, section, key);
    if (loc.keyLine < 0) {
        return def;
    }
    std::string k;
    std::string raw;
    KeyLine(lines[static_cast<size_t>(loc.keyLine)], k, raw);
    std::string value = TrimBlanks(raw);
    if (value.size() >= 2 && (value[0] == '"' || value[0] == '\'') && value.back() == value[0]) {
        value = value.substr(1, value.size() - 2);
    }
    if (value.size() > kMaxValueLength) {
        value.resize(kMaxValueLength);
    }
    return value;
}

bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
    std::vector<std::string> lines;
    ReadTextLines(path, lines);  // a missing file starts empty
    const Location loc = Find(lines, section, key);
    const std::string keyLine = key + "=" + value;
    if (loc.keyLine >= 0) {
        // The key keeps the spelling it already has in the file.
        std::string existing;
        std::string unused;
        KeyLine(lines[static_cast<size_t>(loc.keyLine)], existing, unused);
        lines[static_cast<size_t>(loc.keyLine)] = existing + "=" + value;
    } else if (loc.sectionLine >= 0) {
        lines.insert(lines.begin() + loc.lastContent + 1, keyLine);
    } else {
        lines.push_back("[" + section + "]");
        lines.push_back(keyLine);
    }
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += line;
        bytes += "\r\n";
    }
    return ReplaceFileContents(path, bytes);
}

}  // namespace plat
