// The test a logged call must pass before it is scored: what the log holds
// in its call column is sometimes a report ("599", "5NN"), a question
// ("QRZ?"), the own call or a stray letter. Fast enough to run over every
// call of a contest.
#pragma once

#include <string>

namespace host {

// "" when call can be a station's call, else a short text naming the rule it
// breaks. The call (compared in capitals) splits at '/' into one to three
// non-empty parts; the longest part that looks like a call sign is the base:
// one or two letters, a digit and one or two letters, or a letter and a
// digit; then one to four digits, up to six letters or digits, and a final
// letter (at most 12 characters). A part before the base is a prefix (one to
// four letters and digits, at least one letter); a part after it is such a
// prefix, P, M, MM, AM, A, QRP or one digit. The whole call has at most 20
// characters and is not the own call.
std::string BrokenCallRule(const std::string& call, const std::string& ownCall);

}  // namespace host
