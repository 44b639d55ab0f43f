#include "host/robot/serve_options.h"

#include <filesystem>
#include <limits>

#include "host/host_error.h"
#include "host/options.h"

namespace host::robot {

namespace {

std::uint64_t Count(const std::string& option, const std::string& text, std::uint64_t most) {
    if (text.empty() || text.size() > 12 ||
        text.find_first_not_of("0123456789") != std::string::npos) {
        throw InputError(option + " takes a whole number, not '" + text + "'");
    }
    const std::uint64_t n = std::stoull(text);
    if (n > most) {
        throw InputError(option + " takes at most " + std::to_string(most));
    }
    return n;
}

void Listen(const std::string& text, ServeOptions& o) {
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        throw InputError("--listen takes ADDR:PORT, such as 127.0.0.1:8080, not '" + text + "'");
    }
    o.host = text.substr(0, colon);
    if (o.host.size() > 2 && o.host.front() == '[' && o.host.back() == ']') {
        o.host = o.host.substr(1, o.host.size() - 2);
    }
    o.port = static_cast<int>(Count("--listen's port", text.substr(colon + 1), 65535));
}

}  // namespace

ServeOptions ParseServeArguments(int argc, char** argv) {
    ServeOptions o;
    o.cty = kDefaultCountryFile;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        const auto value = [&]() -> std::string {
            if (!hasValue) {
                throw InputError(a + " needs a value");
            }
            return argv[++i];
        };
        if (a == "--listen") {
            Listen(value(), o);
        } else if (a == "--rules") {
            o.rules = value();
            if (o.rules != "classic" && o.rules != "2020") {
                throw InputError("--rules takes classic or 2020, not '" + o.rules + "'");
            }
        } else if (a == "--max-log-bytes") {
            o.maxLogBytes = Count(a, value(), std::numeric_limits<std::uint32_t>::max());
            if (o.maxLogBytes == 0) {
                throw InputError("--max-log-bytes takes a number above 0");
            }
        } else if (a == "--max-uploads-per-hour") {
            o.maxUploadsPerHour = static_cast<int>(Count(a, value(), 1000000));
        } else if (a == "--trust-proxy") {
            o.trustProxy = true;
        } else if (a == "--cty") {
            o.cty = std::filesystem::absolute(value()).string();
        } else if (a == "--plugin") {
            o.plugin = std::filesystem::absolute(value()).string();
        } else if (!a.empty() && a[0] == '-') {
            throw InputError("serve: unknown option " + a);
        } else if (o.dir.empty()) {
            o.dir = std::filesystem::absolute(a).lexically_normal().string();
        } else {
            throw InputError("serve takes one folder, not also '" + a + "'");
        }
    }
    if (o.dir.empty()) {
        throw InputError(std::string("serve needs the robot's folder") + kServeUsage);
    }
    return o;
}

}  // namespace host::robot
