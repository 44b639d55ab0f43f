#include "host/readers/log_reader.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "host/readers/adif_reader.h"
#include "host/readers/cabrillo_reader.h"
#include "host/readers/call_rule.h"
#include "platform/plain_text.h"

namespace host {
namespace {

constexpr char kUtf8Bom[] = "\xef\xbb\xbf";

// UTF-16 text: its byte order mark, or ASCII with a zero byte beside each
// character.
bool LooksUtf16(const std::string& text) {
    if (text.size() >= 2 &&
        ((text[0] == '\xff' && text[1] == '\xfe') || (text[0] == '\xfe' && text[1] == '\xff'))) {
        return true;
    }
    if (text.size() < 4) {
        return false;
    }
    const bool zeroFirst = text[0] == '\0';
    for (size_t i = 0; i < 4; i += 2) {
        const char zero = zeroFirst ? text[i] : text[i + 1];
        const unsigned char ascii = static_cast<unsigned char>(zeroFirst ? text[i + 1] : text[i]);
        if (zero != '\0' || ascii < 0x09 || ascii > 0x7e) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::string OwnCallOf(const ContestLog& log) {
    if (!log.ownCall.empty()) {
        return log.ownCall;
    }
    return log.qsos.empty() ? std::string() : log.qsos.front().ownCall;
}

void SetAsideBadCalls(ContestLog& log, const std::string& ownCall) {
    std::vector<LogQso> kept;
    kept.reserve(log.qsos.size());
    for (LogQso& q : log.qsos) {
        const std::string broken = BrokenCallRule(q.call, ownCall);
        if (broken.empty()) {
            kept.push_back(std::move(q));
        } else {
            log.badCalls.push_back({q.line, "'" + q.call + "': " + broken});
        }
    }
    log.qsos = std::move(kept);
}

bool ParseLog(const std::string& raw, const std::string& name, ContestLog& log,
              std::string& error) {
    log = ContestLog();
    if (LooksUtf16(raw)) {
        error = name + ": UTF-16 text; save the log as UTF-8 or ASCII";
        return false;
    }
    // A UTF-8 byte order mark is no part of the first line.
    const std::string text = raw.compare(0, 3, kUtf8Bom) == 0 ? raw.substr(3) : raw;
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        error = name + ": empty file";
        return false;
    }
    const std::string upper = plat::AsciiUpper(text);
    const bool cabrilloStart = upper.compare(first, 13, "START-OF-LOG:") == 0;
    if (!cabrilloStart &&
        (upper.find("<EOR>") != std::string::npos || upper.find("<EOH>") != std::string::npos)) {
        log.format = LogFormat::kAdif;
        ParseAdif(text, log);
        return true;
    }
    if (cabrilloStart || upper.compare(first, 4, "QSO:") == 0 ||
        upper.find("\nQSO:") != std::string::npos || upper.find("\rQSO:") != std::string::npos) {
        log.format = LogFormat::kCabrillo;
        ParseCabrillo(text, log);
        return true;
    }
    error = name +
            ":1: neither a Cabrillo log (START-OF-LOG:, QSO: lines) nor an ADIF log "
            "(<EOR> records)";
    return false;
}

bool ReadLogFile(const std::string& path, ContestLog& log, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = path + ": is a folder, not a log";
        return false;
    }
    if (!std::filesystem::exists(path, ec) && !ec) {
        error = path + ": no such file";
        return false;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const std::error_code why(errno, std::generic_category());
        error = path + ": cannot open the log" +
                (why == std::errc::permission_denied ? std::string(": permission denied") : "");
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        error = path + ": cannot read the log";
        return false;
    }
    return ParseLog(text.str(), path, log, error);
}

}  // namespace host
