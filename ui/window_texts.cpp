#include "ui/window_texts.h"

#include "platform/ansi_text.h"

namespace ui {
namespace {

const PanelTexts kEnglish = {
    "Setup DI-VE-RI CW/SSB %s",
    "View",
    "Mode",
    "DXCC",
    "YU/YT County",
    "Window on top",
    "Previous QSO",
};

// Code page 1251: "Установки DI-VE-RI CW/SSB %s", "Отображать", "Вид работы",
// "DXCC", "YU/YT районы", "Поверх окон", "Предыдущие QSO".
const PanelTexts kRussian = {
    "\xD3\xF1\xF2\xE0\xED\xEE\xE2\xEA\xE8 DI-VE-RI CW/SSB %s",
    "\xCE\xF2\xEE\xE1\xF0\xE0\xE6\xE0\xF2\xFC",
    "\xC2\xE8\xE4 \xF0\xE0\xE1\xEE\xF2\xFB",
    "DXCC",
    "YU/YT \xF0\xE0\xE9\xEE\xED\xFB",
    "\xCF\xEE\xE2\xE5\xF0\xF5 \xEE\xEA\xEE\xED",
    "\xCF\xF0\xE5\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO",
};

}  // namespace

const PanelTexts& PanelTextsFor(bool russian) {
    return russian ? kRussian : kEnglish;
}

const char* NewPrevQsoCaption(bool russian) {
    // Code page 1251: "DI-VE-RI-%s Предыдущие QSO".
    return russian ? "DI-VE-RI-%s \xCF\xF0\xE5\xE4\xFB\xE4\xF3\xF9\xE8\xE5 QSO"
                   : "DI-VE-RI-%s Previous, QSO";
}

std::string FormatText(const char* pattern, const std::string& value) {
    std::string text(pattern);
    const size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, value);
    }
    return text;
}

std::string Shown(const std::string& cp1251) {
    return plat::Cp1251ToUtf8(cp1251);
}

}  // namespace ui
