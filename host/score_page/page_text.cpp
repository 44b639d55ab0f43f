#include "host/score_page/page_text.h"

#include "platform/html_text.h"
#include "platform/plain_text.h"

namespace host {

std::string HtmlText(const std::string& text) {
    std::string shown = text;
    for (char& c : shown) {
        const unsigned char u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t' && c != '\n') || u == 0x7f) {
            c = '?';
        }
    }
    // The plug-in's escaping, and the single quote too, so that no attribute
    // quoting can be closed.
    return plat::ReplaceAll(plat::HtmlEscaped(shown), "'", "&#39;");
}

std::string CutText(const std::string& text, size_t maxBytes) {
    if (text.size() <= maxBytes) {
        return text;
    }
    size_t end = maxBytes;
    // Back to the start of a UTF-8 sequence: continuation bytes are 10xxxxxx.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    return text.substr(0, end) + "\xE2\x80\xA6";
}

}  // namespace host
