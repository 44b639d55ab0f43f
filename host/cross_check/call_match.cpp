#include "host/cross_check/call_match.h"

#include "host/readers/exchange_text.h"
#include "host/readers/log_fields.h"

namespace host {
namespace {

bool EndsWith(const std::string& text, const char* suffix) {
    const std::string s = suffix;
    return text.size() > s.size() && text.compare(text.size() - s.size(), s.size(), s) == 0;
}

std::string WithoutLeadingZeros(const std::string& digits) {
    const size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? "0" : digits.substr(first);
}

}  // namespace

std::string BaseCall(const std::string& call) {
    for (const char* suffix : {"/P", "/M", "/A", "/QRP"}) {
        if (EndsWith(call, suffix)) {
            return call.substr(0, call.size() - std::string(suffix).size());
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
    for (size_t i = 0; i < call.size(); ++i) {
        out.push_back(call.substr(0, i) + call.substr(i + 1));
    }
    return out;
}

std::vector<std::string> SwapVariants(const std::string& call) {
    std::vector<std::string> out;
    for (size_t i = 0; i + 1 < call.size(); ++i) {
        if (call[i] != call[i + 1]) {
            std::string swapped = call;
            std::swap(swapped[i], swapped[i + 1]);
            out.push_back(swapped);
        }
    }
    return out;
}

bool SameExchange(const std::string& received, const std::string& sent) {
    if (received == sent) {
        return true;  // the usual case, without a copy
    }
    const std::string r = NormalisedExchange(received);
    const std::string s = NormalisedExchange(sent);
    if (AllDigits(r) && AllDigits(s)) {
        return WithoutLeadingZeros(r) == WithoutLeadingZeros(s);
    }
    return r == s;
}

}  // namespace host
