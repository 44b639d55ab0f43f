// The Cabrillo header form's logic: previous answers from the settings file,
// fixed category defaults, the form, and the answers saved on OK.
#include <cstring>

#include "cabrillo/cabrillo_log.h"
#include "cabrillo/header_fields.h"
#include "cabrillo/saved_answers.h"
#include "platform/plain_text.h"
#include "scoring/settings.h"

namespace {

const char* const kFormCaption = "YU DX CONTEST";

// How a field of the form looks, beyond its kind.
enum FieldLook : unsigned {
    kPlain = 0,
    kSorted = 1,      // its choices in alphabetical order
    kBeside = 2,      // on the right of the field before it
    kFixedWidth = 4,  // no sideways scrolling
    kMultiLine = 8,
};

// The members behind the form's fields (HeaderFieldRules), top to bottom,
// and how each looks.
struct FormEntry {
    std::string CabrilloLog::*member;
    unsigned look;
};
const FormEntry kFields[] = {
    {&CabrilloLog::m_contest, kPlain},
    {&CabrilloLog::m_callsign, kPlain},
    {&CabrilloLog::m_claimed, kBeside},
    {&CabrilloLog::m_categoryOperator, kPlain},
    {&CabrilloLog::m_location, kBeside},
    {&CabrilloLog::m_categoryBand, kPlain},
    {&CabrilloLog::m_categoryAssisted, kPlain},
    {&CabrilloLog::m_categoryMode, kPlain},
    {&CabrilloLog::m_categoryOverlay, kSorted},
    {&CabrilloLog::m_categoryPower, kSorted},
    {&CabrilloLog::m_categoryStation, kSorted},
    {&CabrilloLog::m_categoryTransmitter, kSorted},
    {&CabrilloLog::m_name, kPlain},
    {&CabrilloLog::m_address, kFixedWidth},
    {&CabrilloLog::m_addressCity, kFixedWidth},
    {&CabrilloLog::m_addressStateProvince, kFixedWidth},
    {&CabrilloLog::m_addressPostalCode, kFixedWidth},
    {&CabrilloLog::m_addressCountry, kFixedWidth},
    {&CabrilloLog::m_operators, kPlain},
    {&CabrilloLog::m_club, kPlain},
    {&CabrilloLog::m_soapbox, kMultiLine},
    {&CabrilloLog::m_email, kPlain},
};

// The form's field with this label; every saved answer's label is one.
const FormEntry& FieldLabelled(const char* label) {
    const std::vector<HeaderFieldRule>& rules = HeaderFieldRules();
    for (size_t i = 0; i < std::size(kFields); ++i) {
        if (std::strcmp(rules[i].label, label) == 0) {
            return kFields[i];
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
    const std::vector<HeaderFieldRule>& rules = HeaderFieldRules();
    for (size_t i = 0; i < std::size(kFields); ++i) {
        if (rules[i].initial != nullptr) {
            this->*kFields[i].member = rules[i].initial;
        }
    }
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
    for (size_t i = 0; i < std::size(kFields); ++i) {
        const FormEntry& entry = kFields[i];
        plat::FormField field;
        field.label = rules[i].label;
        field.value = this->*entry.member;
        if (rules[i].choices != nullptr) {
            field.choices = *rules[i].choices;
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
