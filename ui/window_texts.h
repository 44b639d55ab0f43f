// The windows' texts in both languages. The Russian ones are held in code
// page 1251, as the plug-in's other texts are 8-bit; Shown() turns a text
// into the UTF-8 that the window system takes.
#pragma once

#include <string>

namespace ui {

struct PanelTexts {
    const char* caption;  // "%s": the contest year
    const char* viewLabel;
    const char* modeLabel;
    const char* dxccBox;
    const char* countyBox;
    const char* onTopBox;
    const char* prevQsoBox;
};

const PanelTexts& PanelTextsFor(bool russian);

// The previous-QSO window's caption when it is created; "%s": the year.
const char* NewPrevQsoCaption(bool russian);

// The first "%s" of `pattern` replaced by `value`.
std::string FormatText(const char* pattern, const std::string& value);

// An 8-bit window text (code page 1251) as UTF-8.
std::string Shown(const std::string& cp1251);

}  // namespace ui
