// The Cabrillo header form's logic: previous answers from the settings file,
// fixed category defaults, the form, and the answers saved on OK.
#include <cstring>

#include "cabrillo/cabrillo_log.h"
#include "cabrillo/saved_answers.h"
#include "platform/plain_text.h"
#include "scoring/contest_lists.h"
#include "scoring/settings.h"

namespace {

const char* const kFormCaption = "YU DX CONTEST";

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

// How a field of the form looks, beyond its kind.
enum FieldLook : unsigned {
    kPlain = 0,
    kSorted = 1,      // its choices in alphabetical order
    kBeside = 2,      // on the right of the field before it
    kFixedWidth = 4,  // no sideways scrolling
    kMultiLine = 8,
};

struct FormEntry {
    const char* label;
    std::string CabrilloLog::*member;
    const std::vector<std::string>* choices;
    unsigned look;
};

// The form's fields, top to bottom.
const FormEntry kFields[] = {
    {"CONTEST", &CabrilloLog::m_contest, nullptr, kPlain},
    {"CALLSIGN", &CabrilloLog::m_callsign, nullptr, kPlain},
    {"CLAIMED", &CabrilloLog::m_claimed, nullptr, kBeside},
    {"CATEGORY-OPERATOR", &CabrilloLog::m_categoryOperator, &kOperatorChoices, kPlain},
    {"LOCATION", &CabrilloLog::m_location, &kLocationChoices, kBeside},
    {"CATEGORY-BAND", &CabrilloLog::m_categoryBand, &kBandChoices, kPlain},
    {"CATEGORY-ASSISTED", &CabrilloLog::m_categoryAssisted, &kAssistedChoices, kPlain},
    {"CATEGORY-MODE", &CabrilloLog::m_categoryMode, &kModeChoices, kPlain},
    {"CATEGORY-OVERLAY", &CabrilloLog::m_categoryOverlay, &kOverlayChoices, kSorted},
    {"CATEGORY-POWER", &CabrilloLog::m_categoryPower, &kPowerChoices, kSorted},
    {"CATEGORY-STATION", &CabrilloLog::m_categoryStation, &kStationChoices, kSorted},
    {"CATEGORY-TRANSMITTER", &CabrilloLog::m_categoryTransmitter, &kTransmitterChoices, kSorted},
    {"NAME", &CabrilloLog::m_name, nullptr, kPlain},
    {"ADDRESS", &CabrilloLog::m_address, nullptr, kFixedWidth},
    {"ADDRESS-CITY", &CabrilloLog::m_addressCity, nullptr, kFixedWidth},
    {"ADDRESS-STATE-PROVINCE", &CabrilloLog::m_addressStateProvince, nullptr, kFixedWidth},
    {"ADDRESS-POSTALCODE", &CabrilloLog::m_addressPostalCode, nullptr, kFixedWidth},
    {"ADDRESS-COUNTRY", &CabrilloLog::m_addressCountry, nullptr, kFixedWidth},
    {"OPERATORS", &CabrilloLog::m_operators, nullptr, kPlain},
    {"CLUB", &CabrilloLog::m_club, nullptr, kPlain},
    {"SOAPBOX", &CabrilloLog::m_soapbox, nullptr, kMultiLine},
    {"E-MAIL", &CabrilloLog::m_email, nullptr, kPlain},
};

// The form's field with this label; every saved answer's label is one.
const FormEntry& FieldLabelled(const char* label) {
    for (const FormEntry& entry : kFields) {
        if (std::strcmp(entry.label, label) == 0) {
            return entry;
        }
    }
    return kFields[0];
}

std::string EncodeSoapbox(const std::string& text) {
    return plat::ReplaceAll(plat::ReplaceAll(text, "\r", "<CR>"), "\n", "<LF>");
}

std::string DecodeSoapbox(const std::string& text) {
    return plat::ReplaceAll(plat::ReplaceAll(text, "<CR>", "\r"), "<LF>", "\n");
}

}  // namespace

int CabrilloLog::PrepareHeader(const std::string& ownCall, const FormPresenter& showForm) {
    m_callsign = ownCall;
    m_fileBase = CabrilloFileBase(ownCall);
    m_claimed = ReadSetting("Claimed", "");
    m_contest = "DI-VE-RI";
    m_categoryOperator = "SINGLE-OP";
    m_categoryAssisted = "NON-ASSISTED";
    m_categoryBand = "ALL";
    m_categoryMode = "MIXED";
    m_categoryPower = "HIGH";
    m_categoryStation = "FIXED";
    m_categoryTransmitter = "ONE";
    m_categoryOverlay = "NONE";
    m_location = "DX";
    for (const SavedAnswer& saved : kSavedAnswers) {
        if (saved.filled) {
            // OPERATORS shows the own call when nothing is saved.
            const auto member = FieldLabelled(saved.label).member;
            this->*member =
                ReadSetting(saved.key, member == &CabrilloLog::m_operators ? ownCall : "");
        }
    }
    m_soapbox = DecodeSoapbox(m_soapbox);

    std::vector<plat::FormField> fields;
    for (const FormEntry& entry : kFields) {
        plat::FormField field;
        field.label = entry.label;
        field.value = this->*entry.member;
        if (entry.choices != nullptr) {
            field.choices = *entry.choices;
        }
        field.sortedChoices = (entry.look & kSorted) != 0;
        field.besidePrevious = (entry.look & kBeside) != 0;
        field.noSidewaysScroll = (entry.look & kFixedWidth) != 0;
        field.multiLine = (entry.look & kMultiLine) != 0;
        fields.push_back(std::move(field));
    }
    if (!showForm || !showForm(kFormCaption, fields) || fields.size() != std::size(kFields)) {
        return 0;
    }
    for (size_t i = 0; i < fields.size(); ++i) {
        // Edits of the claimed score are discarded: the file takes the score
        // from the results.
        if (kFields[i].member != &CabrilloLog::m_claimed) {
            this->*kFields[i].member = fields[i].value;
        }
    }
    for (const SavedAnswer& saved : kSavedAnswers) {
        const auto member = FieldLabelled(saved.label).member;
        const std::string& value = this->*member;
        WriteSetting(saved.key, member == &CabrilloLog::m_soapbox ? EncodeSoapbox(value) : value);
    }
    return 1;
}
