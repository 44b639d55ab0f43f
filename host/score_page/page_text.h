// Text from a contest log made safe to put into the score page.
#pragma once

#include <string>

namespace host {

// The text as HTML character data or a quoted attribute value: markup
// characters and quotes as entities, control characters as '?'.
std::string HtmlText(const std::string& text);

// The text cut to at most maxBytes bytes, not inside a UTF-8 sequence, with
// "…" added when it was cut.
std::string CutText(const std::string& text, size_t maxBytes);

}  // namespace host
