// Counts in stats-host's messages: "1 QSO", "2 QSOs".
#pragma once

#include <cstddef>
#include <string>

namespace host {

inline std::string Counted(size_t n, const std::string& noun) {
    return std::to_string(n) + " " + noun + (n == 1 ? "" : "s");
}

}  // namespace host
