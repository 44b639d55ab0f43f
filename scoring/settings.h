// The plug-in's own settings: their section of the settings file
// (settings_file_names.h), relative to the host's current directory.
#pragma once

#include <string>

std::string ReadSetting(const char* key, const std::string& def);
// Losing a setting is never reported to the operator; the result tells
// whether it was stored.
bool WriteSetting(const char* key, const std::string& value);

// Leading blanks, an optional sign and the digits that follow, as the C
// library's atoi reads them; 0 without digits, clamped to the int range.
int LeadingInt(const std::string& text);
