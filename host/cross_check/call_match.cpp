#include "host/cross_check/call_match.h"

#include "host/readers/exchange_text.h"
#include "host/readers/log_fields.h"
#include "platform/plain_text.h"

namespace host {
namespace {

bool EndsWith(std::string_view text, std::string_view suffix) {
    return text.size() > suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

std::string_view WithoutLeadingZeros(std::string_view digits) {
    const size_t first = digits.find_first_not_of('0');
    return first == std::string_view::npos ? "0" : digits.substr(first);
}

bool SameInCapitals(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (plat::AsciiUpper(a[i]) != plat::AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string BaseCall(const std::string& call) {
    return std::string(BaseCallView(call));
}

std::string_view BaseCallView(std::string_view call) {
    static constexpr std::string_view kSuffixes[] = {"/P", "/M", "/A", "/QRP"};
    for (std::string_view suffix : kSuffixes) {
        if (EndsWith(call, suffix)) {
            return call.substr(0, call.size() - suffix.size());
        }
    }
    return call;
}

bool OneCharApart(const std::string& a, const std::string& b) {
    if (a == b) {
        return false;
    }
    const std::string& longer = a.size() >= b.size() ? a : b;
    const std::string& shorter = a.size() >= b.size() ? b : a;
    if (longer.size() - shorter.size() > 1) {
        return false;
    }
    size_t i = 0;
    while (i < shorter.size() && longer[i] == shorter[i]) {
        ++i;
    }
    if (longer.size() != shorter.size()) {
        return longer.compare(i + 1, std::string::npos, shorter, i, std::string::npos) == 0;
    }
    if (longer.compare(i + 1, std::string::npos, shorter, i + 1, std::string::npos) == 0) {
        return true;  // one changed
    }
    return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] &&
           a.compare(i + 2, std::string::npos, b, i + 2, std::string::npos) == 0;
}

std::vector<std::string> DeletionVariants(const std::string& call) {
    std::vector<std::string> out;
    out.reserve(call.size());
    std::string buffer;
    EachDeletionVariant(call, buffer, [&](std::string_view v) { out.emplace_back(v); });
    return out;
}

std::vector<std::string> SwapVariants(const std::string& call) {
    std::vector<std::string> out;
    std::string buffer;
    EachSwapVariant(call, buffer, [&](std::string_view v) { out.emplace_back(v); });
    return out;
}

bool SameExchange(const std::string& received, const std::string& sent) {
    if (received == sent) {
        return true;  // the usual case, without a copy
    }
    // Compared as NormalisedExchange gives them, without the copies.
    const std::string_view r = ExchangeCore(received);
    const std::string_view s = ExchangeCore(sent);
    if (AllDigits(r) && AllDigits(s)) {
        return WithoutLeadingZeros(r) == WithoutLeadingZeros(s);
    }
    return SameInCapitals(r, s);
}

}  // namespace host
