// The captions the live refresh gives the previous-QSO, DXCC and county
// windows, in English or in Russian. Texts are 8-bit: the fields as the
// engine holds them, the Russian words in code page 1251. Any length of
// field is kept whole.
#pragma once

#include <cstddef>
#include <string>

namespace ui {

enum class Language { kEnglish, kRussian };

// The previous-QSO window with no call typed.
std::string PrevQsoCaption(Language language, const std::string& year);
// The previous-QSO window, and the DXCC window standing in for it, with a
// call typed.
std::string WorkedWithCaption(Language language, const std::string& year, const std::string& call);
// The DXCC window: the band's entities, of 338.
std::string DxccCaption(Language language, const std::string& band, size_t count);
// The county window: the band's counties, of 30.
std::string CountyCaption(Language language, const std::string& band, size_t count);

}  // namespace ui
