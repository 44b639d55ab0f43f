// The exchange as a log's reader hands it on: logs carry the received
// exchange with the report in front of it ("599 NIS"), in any case and with
// blanks around it.
#pragma once

#include <string>

namespace host {

// Trimmed, in capitals, without a leading report: two or three digits or Ns
// followed by blanks ("599 NIS" and "5nn nis" give "NIS"; "599" stays).
std::string NormalisedExchange(const std::string& text);

}  // namespace host
