#include "cabrillo/header_fields.h"

#include "platform/plain_text.h"
#include "scoring/contest_lists.h"

namespace {

const std::vector<std::string> kOperatorChoices = {"SINGLE-OP", "MULTI-OP", "CHECKLOG"};
const std::vector<std::string> kLocationChoices = {
    "DX", "--/--", "AL", "AK", "AZ", "AR", "CA",  "CO", "CT", "DE", "FL", "GA", "ID",
    "IL", "IN",    "IA", "KS", "KY", "LA", "ME",  "MA", "MI", "MN", "MS", "MO", "MT",
    "NE", "NV",    "NH", "NJ", "NM", "NY", "NC",  "ND", "OH", "OK", "OR", "PA", "RI",
    "SC", "SD",    "TN", "TX", "UT", "VT", "VA",  "WA", "WV", "WI", "WY", "NB", "NS",
    "QC", "ON",    "MB", "SK", "AB", "BC", "NWT", "NF", "LB", "NU", "YT", "PEI"};
// ALL, then the contest's bands in capitals.
std::vector<std::string> CategoryBandChoices() {
    std::vector<std::string> choices = {"ALL"};
    for (int b = 0; b < kContestBands; ++b) {
        choices.push_back(plat::AsciiUpper(g_contestBandNames[b]));
    }
    return choices;
}
const std::vector<std::string> kBandChoices = CategoryBandChoices();
const std::vector<std::string> kAssistedChoices = {"ASSISTED", "NON-ASSISTED"};
const std::vector<std::string> kModeChoices = {"CW", "SSB", "MIXED"};
// Sorted lists are offered in alphabetical order.
const std::vector<std::string> kOverlayChoices = {"CLASSIC", "ROOKIE"};
const std::vector<std::string> kPowerChoices = {"HIGH", "LOW", "QRP"};
const std::vector<std::string> kStationChoices = {"EXPEDITION", "FIXED", "HQ",    "MOBILE",
                                                  "PORTABLE",   "ROVER", "SCHOOL"};
const std::vector<std::string> kTransmitterChoices = {"ONE", "TWO", "UNLIMITED"};

}  // namespace

const std::vector<HeaderFieldRule>& HeaderFieldRules() {
    static const std::vector<HeaderFieldRule> rules = {
        {"CONTEST", nullptr, "DI-VE-RI"},
        {"CALLSIGN", nullptr, nullptr},
        {"CLAIMED", nullptr, nullptr},
        {"CATEGORY-OPERATOR", &kOperatorChoices, "SINGLE-OP"},
        {"LOCATION", &kLocationChoices, "DX"},
        {"CATEGORY-BAND", &kBandChoices, "ALL"},
        {"CATEGORY-ASSISTED", &kAssistedChoices, "NON-ASSISTED"},
        {"CATEGORY-MODE", &kModeChoices, "MIXED"},
        {"CATEGORY-OVERLAY", &kOverlayChoices, "NONE"},
        {"CATEGORY-POWER", &kPowerChoices, "HIGH"},
        {"CATEGORY-STATION", &kStationChoices, "FIXED"},
        {"CATEGORY-TRANSMITTER", &kTransmitterChoices, "ONE"},
        {"NAME", nullptr, nullptr},
        {"ADDRESS", nullptr, nullptr},
        {"ADDRESS-CITY", nullptr, nullptr},
        {"ADDRESS-STATE-PROVINCE", nullptr, nullptr},
        {"ADDRESS-POSTALCODE", nullptr, nullptr},
        {"ADDRESS-COUNTRY", nullptr, nullptr},
        {"OPERATORS", nullptr, nullptr},
        {"CLUB", nullptr, nullptr},
        {"SOAPBOX", nullptr, nullptr},
        {"E-MAIL", nullptr, nullptr},
    };
    return rules;
}
