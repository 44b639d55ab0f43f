// Where the plug-in keeps its settings and finds the host's version, in one
// header-only place: the plug-in reads and writes these files, and a host
// that prepares, reads or guards them (the stand-in host) needs the same
// names without linking the engine.
#pragma once

#include <string>

// The plug-in's own settings file, in a folder of the host's folder, and the
// section of its settings and saved answers.
constexpr const char* kPluginSettingsFolder = "Plugins";
constexpr const char* kPluginSettingsName = "DI-VE-RI.ini";
constexpr const char* kPluginSettingsSection = "Settings";

// The settings file relative to the host's folder, as the plug-in opens it.
inline std::string PluginSettingsPath() {
    return std::string(kPluginSettingsFolder) + "\\" + kPluginSettingsName;
}

// The host's settings file, found in the host's folder; its line
// "Larq=VERSION" names the host's version.
constexpr const char* kHostSettingsName = "Larq2.ini";
constexpr const char* kHostVersionKey = "Larq";
