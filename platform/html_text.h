// Text made safe to stand in an HTML page, between tags or inside a quoted
// attribute: a call sign or a file name from a stranger cannot add markup.
// Header-only, for the plug-in's page and the stand-in host's alike.
#pragma once

#include <string>

namespace plat {

inline std::string HtmlEscaped(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
                break;
        }
    }
    return out;
}

}  // namespace plat
