// The exchange as a log's reader hands it on: logs carry the received
// exchange with the report in front of it ("599 NIS"), in any case and with
// blanks around it.
#pragma once

#include <string>
#include <string_view>

namespace host {

// Trimmed, in capitals, without the reports in front: words of two or three
// digits or Ns followed by blanks ("599 NIS", "5nn nis" and "599 599 NIS"
// give "NIS"; "599 001" gives "001"; "599" stays). Normalising the result
// again changes nothing.
std::string NormalisedExchange(const std::string& text);
// The same, in place.
void NormaliseExchange(std::string& text);
// The same part of text, as a view into it and in the case it was written:
// for comparing exchanges without a copy.
std::string_view ExchangeCore(std::string_view text);

}  // namespace host
