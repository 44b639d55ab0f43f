#include "scoring/settings.h"

#include <climits>

#include "platform/profile.h"
#include "scoring/settings_file_names.h"
#include "scoring/text_fields.h"

std::string ReadSetting(const char* key, const std::string& def) {
    return plat::ReadProfileString(PluginSettingsPath(), kPluginSettingsSection, key, def);
}

bool WriteSetting(const char* key, const std::string& value) {
    // A value is one line of the file; a line break would start a new key.
    return plat::WriteProfileString(PluginSettingsPath(), kPluginSettingsSection, key,
                                    OneLine(value));
}

int LeadingInt(const std::string& text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) {
            value = static_cast<long long>(INT_MAX) + 1;
        }
    }
    if (negative) {
        value = -value;
    }
    if (value > INT_MAX) {
        value = INT_MAX;
    }
    return static_cast<int>(value);
}
