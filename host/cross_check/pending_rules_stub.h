// Temporary stand-ins until the call rule and exchange normaliser land.
#pragma once

#include <cctype>
#include <string>

namespace host {

inline std::string BrokenCallRule(const std::string& call, const std::string& ownCall) {
    if (call.empty()) {
        return "no call";
    }
    return call == ownCall ? "own call" : "";
}

inline std::string NormalisedExchange(const std::string& text) {
    const size_t from = text.find_first_not_of(" \t");
    const size_t to = text.find_last_not_of(" \t");
    std::string s = from == std::string::npos ? std::string() : text.substr(from, to - from + 1);
    for (char& c : s) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    size_t rst = 0;
    while (rst < s.size() && (std::isdigit(static_cast<unsigned char>(s[rst])) || s[rst] == 'N')) {
        ++rst;
    }
    if (rst >= 2 && rst <= 3 && rst < s.size() && (s[rst] == ' ' || s[rst] == '\t')) {
        const size_t next = s.find_first_not_of(" \t", rst);
        s = s.substr(next);
    }
    return s;
}

}  // namespace host
