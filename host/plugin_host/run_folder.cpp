#include "host/plugin_host/run_folder.h"

#include <cctype>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "host/host_error.h"
#include "host/plugin_host/console.h"
#include "scoring/settings_file_names.h"

#ifndef STATS_DEFAULT_PLUGIN
#define STATS_DEFAULT_PLUGIN ""
#endif

namespace fs = std::filesystem;

namespace host {
namespace {

// The host version the plug-in reads from the host's settings file: one of
// the hosts that show no plug-in windows, since this host has no screen.
const char* const kHostVersion = "2.18";

std::string LowerTrimmed(const std::string& text) {
    const size_t from = text.find_first_not_of(" \t");
    const size_t to = text.find_last_not_of(" \t\r\n");
    std::string out =
        from == std::string::npos || to < from ? std::string() : text.substr(from, to - from + 1);
    for (char& c : out) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return out;
}

// The settings file's lines with the Rules key of section Settings taken
// out, and "Rules=2020" put back at the end of that section under the 2020
// rules.
std::string WithRulesKey(const std::string& bytes, RuleSet rules) {
    const std::string key = std::string(kRulesSettingKey) + "=" + kRules2020Value + "\r\n";
    const bool wanted = rules == RuleSet::k2020;
    std::string out;
    bool inSettings = false;
    bool placed = false;
    size_t from = 0;
    while (from < bytes.size()) {
        const size_t end = bytes.find('\n', from);
        const size_t next = end == std::string::npos ? bytes.size() : end + 1;
        const std::string line = bytes.substr(from, next - from);
        from = next;
        const std::string text = LowerTrimmed(line);
        if (!text.empty() && text.front() == '[') {
            if (inSettings && wanted && !placed) {
                out += key;
                placed = true;
            }
            inSettings = text == "[settings]";
        } else if (inSettings && LowerTrimmed(text.substr(0, text.find('='))) == "rules" &&
                   text.find('=') != std::string::npos) {
            continue;
        }
        out += line;
    }
    if (wanted && !placed) {
        if (!out.empty() && out.back() != '\n') {
            out += "\r\n";
        }
        out += (inSettings ? "" : "[Settings]\r\n") + key;
    }
    return out;
}

}  // namespace

void ChooseRulesInFolder(RuleSet rules) {
    const fs::path path = fs::path("Plugins") / "DI-VE-RI.ini";
    std::string bytes;
    {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    const std::string chosen = WithRulesKey(bytes, rules);
    if (chosen == bytes) {
        return;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << chosen;
    out.close();
    if (!out) {
        throw InputError(fs::absolute(path).string() + ": cannot write the rules into it");
    }
}

std::string PluginPath(const Options& o) {
    if (!o.plugin.empty()) {
        return fs::absolute(o.plugin).string();
    }
    const std::string folder = ExecutableFolder();
    std::error_code ignored;
    if (!folder.empty()) {
        const fs::path beside = fs::path(folder) / PluginFileName();
        if (fs::exists(beside, ignored)) {
            return beside.string();
        }
    }
    return STATS_DEFAULT_PLUGIN;
}

std::string EnterOutFolder(const std::string& out) {
    std::error_code error;
    const fs::path dir = fs::absolute(out);
    const bool existed = fs::is_directory(dir, error);
    if (!existed && fs::exists(dir, error)) {
        throw InputError(dir.string() +
                         ": is a file, not a folder; --out names the folder the plug-in writes "
                         "into");
    }
    fs::create_directories(dir / kPluginSettingsFolder, error);
    if (error) {
        throw InputError(dir.string() +
                         (existed ? ": cannot write into the output folder: "
                                  : ": cannot create the output folder: ") +
                         error.message());
    }
    // The host's settings file, and the plug-in's opened for appending (which
    // leaves its answers as they are): a folder the run cannot write into
    // would give a silently wrong result.
    std::ofstream ini(dir / kHostSettingsName, std::ios::binary | std::ios::trunc);
    ini << "[" << kHostVersionKey << "]\r\n" << kHostVersionKey << "=" << kHostVersion << "\r\n";
    ini.close();
    std::ofstream settings(dir / kPluginSettingsFolder / kPluginSettingsName,
                           std::ios::binary | std::ios::app);
    settings.close();
    if (!ini || !settings) {
        throw InputError(dir.string() + ": cannot write into the output folder");
    }
    fs::current_path(dir, error);
    if (error) {
        throw InputError(dir.string() + ": cannot enter the output folder: " + error.message());
    }
    std::string folder = dir.string();
    folder += static_cast<char>(fs::path::preferred_separator);
    return folder;
}

}  // namespace host
