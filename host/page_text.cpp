#include "host/page_text.h"

namespace host {

namespace {

struct Entity {
    char c;
    const char* text;
};
constexpr Entity kEntities[] = {
    {'&', "&amp;"}, {'<', "&lt;"}, {'>', "&gt;"}, {'"', "&quot;"}, {'\'', "&#39;"}};

}  // namespace

std::string HtmlText(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char c : text) {
        const Entity* entity = nullptr;
        for (const Entity& e : kEntities) {
            entity = e.c == c ? &e : entity;
        }
        const unsigned char u = static_cast<unsigned char>(c);
        if (entity != nullptr) {
            out += entity->text;
        } else {
            out += (u < 0x20 && c != '\t' && c != '\n') || u == 0x7f ? '?' : c;
        }
    }
    return out;
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
