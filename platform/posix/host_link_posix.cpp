// The host link over the registered host object (platform/posix/host_object.h),
// with the conversions of the Windows link: the field's answer must be text,
// the frequency is converted to a double.
#include <cctype>
#include <charconv>
#include <thread>

#include "platform/host_link.h"
#include "platform/posix/host_calls.h"

namespace plat {
namespace {

// A variant converted to a double as Windows converts one: numbers as they
// are, empty as 0, text when all of it but surrounding blanks is a number.
bool ToDouble(const HostValue& value, double& out) {
    if (std::holds_alternative<std::monostate>(value)) {
        out = 0.0;
        return true;
    }
    if (const auto* i = std::get_if<std::int32_t>(&value)) {
        out = *i;
        return true;
    }
    if (const auto* d = std::get_if<double>(&value)) {
        out = *d;
        return true;
    }
    const std::string& text = std::get<std::string>(value);
    const char* first = text.data();
    const char* last = first + text.size();
    while (first != last && std::isspace(static_cast<unsigned char>(*first))) {
        ++first;
    }
    while (last != first && std::isspace(static_cast<unsigned char>(last[-1]))) {
        --last;
    }
    if (first != last && *first == '+') {
        ++first;
    }
    double parsed = 0.0;
    const auto result = std::from_chars(first, last, parsed);
    if (first == last || result.ec != std::errc() || result.ptr != last) {
        return false;
    }
    out = parsed;
    return true;
}

}  // namespace

struct HostLink::Impl {
    std::uint64_t registration = 0;  // 0 while closed
    std::thread::id owner;           // the thread that opened the link
};

HostLink::HostLink() : impl_(new Impl) {}

HostLink::~HostLink() {
    delete impl_;
}

bool HostLink::Open() {
    try {
        if (IsOpen()) {
            return true;
        }
        impl_->registration = hostcalls::CurrentRegistration();
        impl_->owner = std::this_thread::get_id();
        return impl_->registration != 0;
    } catch (...) {
        impl_->registration = 0;
        return false;
    }
}

void HostLink::Close() {
    impl_->registration = 0;
}

void HostLink::CloseLeavingApartment() {
    Close();
}

bool HostLink::IsOpen() const {
    return impl_->registration != 0;
}

bool HostLink::RunMacro(const std::string& macro) {
    try {
        if (!IsOpen() || std::this_thread::get_id() != impl_->owner) {
            return false;
        }
        bool done = false;
        return hostcalls::Call(impl_->registration,
                               [&](HostObject& host) { done = host.RunMacro(macro); }) &&
               done;
    } catch (...) {
        return false;
    }
}

bool HostLink::GetFieldText(int field, std::string& text) {
    try {
        if (!IsOpen() || std::this_thread::get_id() != impl_->owner) {
            return false;
        }
        std::optional<HostValue> answer;
        if (!hostcalls::Call(impl_->registration,
                             [&](HostObject& host) { answer = host.GetFieldText(field); }) ||
            !answer || !std::holds_alternative<std::string>(*answer)) {
            return false;
        }
        text = std::get<std::string>(*answer);
        return true;
    } catch (...) {
        return false;
    }
}

bool HostLink::Frequency(double& hz) {
    try {
        if (!IsOpen() || std::this_thread::get_id() != impl_->owner) {
            return false;
        }
        std::optional<HostValue> answer;
        double value = 0.0;
        if (!hostcalls::Call(impl_->registration,
                             [&](HostObject& host) { answer = host.Frequency(); }) ||
            !answer || !ToDouble(*answer, value)) {
            return false;
        }
        hz = value;
        return true;
    } catch (...) {
        return false;
    }
}

}  // namespace plat
