#include "ui/refresh_captions.h"

#include "platform/plain_text.h"

namespace ui {

namespace {

struct CaptionPattern {
    const char* english;
    const char* russian;  // code page 1251
};

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

const char* PatternFor(const CaptionPattern& pattern, Language language) {
    return language == Language::kRussian ? pattern.russian : pattern.english;
}

}  // namespace

std::string PrevQsoCaption(Language language, const std::string& year) {
    return plat::FormatText(PatternFor(kPrevQso, language), year.c_str());
}

std::string WorkedWithCaption(Language language, const std::string& year, const std::string& call) {
    return plat::FormatText(PatternFor(kWorkedWith, language), year.c_str(), call.c_str());
}

std::string DxccCaption(Language language, const std::string& band, size_t count) {
    return plat::FormatText(PatternFor(kDxcc, language), band.c_str(),
                            std::to_string(count).c_str());
}

std::string CountyCaption(Language language, const std::string& band, size_t count) {
    return plat::FormatText(PatternFor(kCounty, language), band.c_str(),
                            std::to_string(count).c_str());
}

}  // namespace ui
