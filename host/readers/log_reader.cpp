#include "host/readers/log_reader.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "host/readers/adif_reader.h"
#include "host/readers/cabrillo_reader.h"
#include "host/readers/call_rule.h"
#include "host/run_beside.h"
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

// Whether text holds word at at, letters in any case.
bool WordAt(const std::string& text, size_t at, const char* word) {
    const size_t n = std::strlen(word);
    if (text.size() - at < n) {
        return false;
    }
    for (size_t i = 0; i < n; ++i) {
        if (plat::AsciiUpper(text[at + i]) != word[i]) {
            return false;
        }
    }
    return true;
}

// Whether text holds word anywhere, letters in any case. The word starts
// with no letter, so that its first byte can be looked for as it is.
bool Contains(const std::string& text, const char* word) {
    for (size_t at = text.find(word[0]); at != std::string::npos; at = text.find(word[0], at + 1)) {
        if (WordAt(text, at, word)) {
            return true;
        }
    }
    return false;
}

// The whole file; false when it cannot be read.
bool ReadWhole(std::ifstream& in, std::string& text) {
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    in.seekg(0, std::ios::beg);
    if (size <= 0 || !in) {
        // No size to be had (a pipe, say, or a file the system sizes as
        // empty): read it as it comes.
        in.clear();
        std::ostringstream all;
        all << in.rdbuf();
        text = all.str();
        return !in.bad();
    }
    text.resize(static_cast<size_t>(size));
    in.read(&text[0], size);
    // A file that shrank while it was read ends where the reading did.
    text.resize(static_cast<size_t>(in.gcount()));
    return !in.bad();
}

}  // namespace

std::string OwnCallOf(const ContestLog& log) {
    if (!log.ownCall.empty()) {
        return log.ownCall;
    }
    return log.qsos.empty() ? std::string() : log.qsos.front().ownCall;
}

void SetAsideBadCalls(ContestLog& log, const std::string& ownCall, size_t halvesAbove) {
    // In a long log, which calls may be broken is found on both cores first;
    // those are looked at again below.
    std::vector<char> suspect;
    if (log.qsos.size() > halvesAbove) {
        suspect.resize(log.qsos.size());
        auto look = [&](size_t from, size_t to) {
            for (size_t i = from; i < to; ++i) {
                suspect[i] = BrokenCallRule(log.qsos[i].call, ownCall).empty() ? 0 : 1;
            }
        };
        const size_t half = log.qsos.size() / 2;
        RunBeside([&] { look(half, log.qsos.size()); }, [&] { look(0, half); });
    }
    // The QSOs kept move up in place, in their order.
    size_t kept = 0;
    for (size_t i = 0; i < log.qsos.size(); ++i) {
        LogQso& q = log.qsos[i];
        if (suspect.empty() || suspect[i] != 0) {
            const std::string broken = BrokenCallRule(q.call, ownCall);
            if (!broken.empty()) {
                log.badCalls.push_back({q.line, "'" + q.call + "': " + broken});
                continue;
            }
        }
        if (i != kept) {
            log.qsos[kept] = std::move(q);
        }
        ++kept;
    }
    log.qsos.erase(log.qsos.begin() + static_cast<std::ptrdiff_t>(kept), log.qsos.end());
}

bool ParseLog(const std::string& raw, const std::string& name, ContestLog& log,
              std::string& error) {
    log = ContestLog();
    if (LooksUtf16(raw)) {
        error = name + ": UTF-16 text; save the log as UTF-8 or ASCII";
        return false;
    }
    // A UTF-8 byte order mark is no part of the first line.
    const bool bom = raw.compare(0, 3, kUtf8Bom) == 0;
    const std::string withoutBom = bom ? raw.substr(3) : std::string();
    const std::string& text = bom ? withoutBom : raw;
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos) {
        error = name + ": empty file";
        return false;
    }
    const bool cabrilloStart = WordAt(text, first, "START-OF-LOG:");
    if (!cabrilloStart && (Contains(text, "<EOR>") || Contains(text, "<EOH>"))) {
        log.format = LogFormat::kAdif;
        ParseAdif(text, log);
        return true;
    }
    if (cabrilloStart || WordAt(text, first, "QSO:") || Contains(text, "\nQSO:") ||
        Contains(text, "\rQSO:")) {
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
    std::string text;
    if (!ReadWhole(in, text)) {
        error = path + ": cannot read the log";
        return false;
    }
    return ParseLog(text, path, log, error);
}

}  // namespace host
