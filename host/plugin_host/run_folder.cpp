#include "host/plugin_host/run_folder.h"

#include <filesystem>
#include <fstream>

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

}  // namespace

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
