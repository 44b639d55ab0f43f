#include "scoring/text_fields.h"

std::string OneLine(const std::string& text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

std::string QsoTimeText(const plat::OleDate& time) {
    return plat::FormatOleDate(time, "%Y-%m-%d %H%M");
}
