#include "ui/refresh_captions.h"

#include <initializer_list>

namespace ui {

namespace {

struct CaptionPattern {
    const char* english;
    const char* russian;  // code page 1251
};

const CaptionPattern kPrevQsoOpened = {"DI-VE-RI-%s Previous, QSO",
                                       "DI-VE-RI-%s \xCF\xF0\xE5\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO"};
const CaptionPattern kPrevQso = {"DI-VE-RI-CW/SSB-%s Previous QSO",
                                 "DI-VE-RI-CW/SSB-%s \xCF\xF0\xE5\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO"};
const CaptionPattern kWorkedWith = {"DI-VE-RI-CW/SSB-%s worked with %s",
                                    "DI-VE-RI-CW/SSB-%s \xF0\xE0\xE1\xEE\xF2\xE0\xEB\xE8 \xF1 %s"};
const CaptionPattern kDxcc = {"DXCC worked on %s %s of 338",
                              "\xCE\xF2\xF0\xE0\xE1\xEE\xF2\xE0\xED\xEE \xF1\xF2\xF0\xE0\xED DXCC "
                              "\xED\xE0 %s %s \xE8\xE7 338"};
const CaptionPattern kCounty = {
    "YU-County on %s %s of 30",
    "\xCE\xF2\xF0\xE0\xE1\xEE\xF2\xE0\xED\xEE YU \xF0\xE0\xE9\xEE\xED\xEE\xE2 \xED\xE0 %s %s "
    "\xE8\xE7 30"};

// Replaces each "%s" of the pattern with the next field, in order. The
// fields are copied as they are, so a "%" inside one is never read as a
// directive.
std::string Fill(const CaptionPattern& pattern, Language language,
                 std::initializer_list<const std::string*> fields) {
    const std::string text = language == Language::kRussian ? pattern.russian : pattern.english;
    std::string out;
    auto field = fields.begin();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] == 's' && field != fields.end()) {
            out += **field++;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace

std::string PrevQsoOpenedCaption(Language language, const std::string& year) {
    return Fill(kPrevQsoOpened, language, {&year});
}

std::string PrevQsoCaption(Language language, const std::string& year) {
    return Fill(kPrevQso, language, {&year});
}

std::string WorkedWithCaption(Language language, const std::string& year, const std::string& call) {
    return Fill(kWorkedWith, language, {&year, &call});
}

std::string DxccCaption(Language language, const std::string& band, size_t count) {
    const std::string n = std::to_string(count);
    return Fill(kDxcc, language, {&band, &n});
}

std::string CountyCaption(Language language, const std::string& band, size_t count) {
    const std::string n = std::to_string(count);
    return Fill(kCounty, language, {&band, &n});
}

}  // namespace ui
