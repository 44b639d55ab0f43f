#include "host/one_log/other_contest.h"

#include <cctype>

#include "platform/plain_text.h"

namespace host {

bool NamesOtherContest(const std::string& contestValue) {
    std::string key;
    for (char c : contestValue) {
        if (std::isalnum(static_cast<unsigned char>(c)) != 0) {
            key += plat::AsciiUpper(c);
        }
    }
    if (key.empty()) {
        return false;
    }
    return key != "DIVERI" && key.compare(0, 4, "YUDX") != 0;
}

std::string OtherContestOf(const std::vector<std::pair<std::string, std::string>>& header) {
    for (const auto& field : header) {
        if (field.first == "CONTEST" && NamesOtherContest(field.second)) {
            return field.second;
        }
    }
    return std::string();
}

}  // namespace host
