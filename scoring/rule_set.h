// The two rule sets a log can be scored by: the plug-in's own (classic) and
// the contest's rules published since 2020. Header-only, so that a host
// which chooses the rules for a run (the stand-in host, the cross-check)
// names and judges them as the plug-in does without linking the engine.
#pragma once

#include <string>
#include <string_view>

enum class RuleSet { kClassic, k2020 };

// The blanks left out around a settings value and an exchange.
constexpr const char* kRuleBlanks = " \t\r\n\v\f";

// The value of the settings key "Rules" that selects the 2020 rules; any
// other value, or none, keeps the classic ones.
constexpr const char* kRulesSettingKey = "Rules";
constexpr const char* kRules2020Value = "2020";

inline const char* RuleSetName(RuleSet rules) {
    return rules == RuleSet::k2020 ? "2020" : "classic";
}

inline RuleSet RuleSetFromSetting(const std::string& value) {
    const size_t from = value.find_first_not_of(kRuleBlanks);
    const size_t to = value.find_last_not_of(kRuleBlanks);
    return from != std::string::npos && value.substr(from, to - from + 1) == kRules2020Value
               ? RuleSet::k2020
               : RuleSet::kClassic;
}

// A serial number as the 2020 rules ask for it: one or more ASCII digits
// and nothing else, blanks around it left out.
inline bool IsSerialNumber(std::string_view exchange) {
    const size_t from = exchange.find_first_not_of(kRuleBlanks);
    if (from == std::string::npos) {
        return false;
    }
    const size_t to = exchange.find_last_not_of(kRuleBlanks);
    for (size_t i = from; i <= to; ++i) {
        if (exchange[i] < '0' || exchange[i] > '9') {
            return false;
        }
    }
    return true;
}

// The contest's bands, longest wavelength first.
constexpr const char* kContestBandNames[] = {"80m", "40m", "20m", "15m", "10m"};

// The band a single-band entry scores, from its CATEGORY-BAND ("40M", any
// letter case): "80m" to "10m", or "" for an all-band entry.
inline std::string EntryBandOf(const std::string& categoryBand) {
    for (const char* band : kContestBandNames) {
        const std::string name(band);
        if (categoryBand.size() != name.size()) {
            continue;
        }
        bool same = true;
        for (size_t i = 0; i < name.size(); ++i) {
            const char c = categoryBand[i];
            same = same && (c == name[i] || (c == 'M' && name[i] == 'm'));
        }
        if (same) {
            return name;
        }
    }
    return "";
}
