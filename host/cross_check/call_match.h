// How the cross-check compares calls: a portable suffix does not make another
// station, and a one-character slip is a bust of the call meant.
#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace host {

// The call without a trailing /P, /M, /A or /QRP.
std::string BaseCall(const std::string& call);
// The same, as a view into call: for looking up without a copy.
std::string_view BaseCallView(std::string_view call);

// Whether a and b differ by exactly one character changed, added or
// dropped, or by two neighbours swapped.
bool OneCharApart(const std::string& a, const std::string& b);

// The call with each one character dropped, and with each two differing
// neighbours swapped: two calls one character apart share a deletion
// variant or one is a deletion variant of the other; a swap is found among
// the swapped variants.
std::vector<std::string> DeletionVariants(const std::string& call);
std::vector<std::string> SwapVariants(const std::string& call);
// The same variants handed to use one at a time, each made in buffer:
// looked up without a string of its own.
template <typename Use>
void EachDeletionVariant(std::string_view call, std::string& buffer, Use use) {
    for (size_t i = 0; i < call.size(); ++i) {
        buffer.assign(call.substr(0, i));
        buffer.append(call.substr(i + 1));
        use(std::string_view(buffer));
    }
}
template <typename Use>
void EachSwapVariant(std::string_view call, std::string& buffer, Use use) {
    for (size_t i = 0; i + 1 < call.size(); ++i) {
        if (call[i] != call[i + 1]) {
            buffer.assign(call);
            std::swap(buffer[i], buffer[i + 1]);
            use(std::string_view(buffer));
        }
    }
}

// Whether what we received agrees with what the other station sent: both
// normalised, compared as numbers when both are all digits.
bool SameExchange(const std::string& received, const std::string& sent);

}  // namespace host
