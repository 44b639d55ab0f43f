#include "scoring/bad_qso_file.h"

#include <cctype>

#include "platform/files.h"

namespace {

const char* const kLineEnd = "\r\n";
const char* const kSeparator = "  ";

std::string LineWithoutReason(const BadQsoFields& f) {
    std::string line = "QSO:  ";
    line += std::to_string(f.frequencyKHz);
    for (const std::string* field : {&f.mode, &f.timeText, &f.ownCall, &f.rstSent, &f.exchSent,
                                     &f.call, &f.rstRcvd, &f.exchRcvd}) {
        line += kSeparator;
        line += OneLine(*field);
    }
    return line;
}

// For a line this run did not write itself: the frequency, mode and time
// fields at their fixed places, and the call as a field of its own.
bool ForeignLineMatches(const std::string& line, const std::string& call, const std::string& mode,
                        const std::string& timeText) {
    const std::string tag = "QSO:  ";
    if (line.compare(0, tag.size(), tag) != 0) {
        return false;
    }
    size_t pos = tag.size();
    const size_t digits = pos;
    while (pos < line.size() && std::isdigit(static_cast<unsigned char>(line[pos])) != 0) {
        ++pos;
    }
    if (pos == digits) {
        return false;
    }
    const std::string fixed = std::string(kSeparator) + mode + kSeparator + timeText + kSeparator;
    if (line.compare(pos, fixed.size(), fixed) != 0) {
        return false;
    }
    const std::string rest = line.substr(pos + fixed.size());
    return rest.find(std::string(kSeparator) + call + kSeparator) != std::string::npos;
}

}  // namespace

void BadQsoFile::Create(const std::string& name) {
    m_written.clear();
    plat::WriteWholeFile(name, std::string(kBadQsoHeader) + kLineEnd);
}

void BadQsoFile::Append(const std::string& name, const BadQsoFields& fields,
                        const std::vector<const char*>& reasons) {
    if (name.empty() || reasons.empty()) {
        return;
    }
    const std::string base = LineWithoutReason(fields);
    std::string bytes;
    for (const char* reason : reasons) {
        bytes += base + reason + kLineEnd;
    }
    if (!plat::AppendToFile(name, bytes)) {
        return;
    }
    for (const char* reason : reasons) {
        m_written.push_back(
            {base + reason, OneLine(fields.call), OneLine(fields.mode), OneLine(fields.timeText)});
    }
}

long BadQsoFile::CountNonDupeProblems(const std::string& name) const {
    std::vector<std::string> lines;
    if (name.empty() || !plat::ReadTextLines(name, lines) || lines.empty()) {
        return 0;
    }
    const std::string dupe = kReasonDupe;
    long problems = 0;
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        const bool isDupe = line.size() >= dupe.size() &&
                            line.compare(line.size() - dupe.size(), dupe.size(), dupe) == 0;
        problems += isDupe ? 0 : 1;
    }
    return problems;
}

void BadQsoFile::RemoveQsoLines(const std::string& name, const std::string& call,
                                const std::string& mode, const std::string& timeText) {
    if (name.empty()) {
        return;
    }
    const std::string wantCall = OneLine(call);
    const std::string wantMode = OneLine(mode);
    const std::string wantTime = OneLine(timeText);
    std::vector<std::string> lines;
    if (!plat::ReadTextLines(name, lines) && plat::PathExists(name)) {
        return;  // never overwrite lines that could not be read
    }

    std::string bytes = std::string(kBadQsoHeader) + kLineEnd;
    size_t size = bytes.size();
    for (const std::string& line : lines) {
        size += line.size() + 2;
    }
    bytes.reserve(size);
    // Which lines of m_written are still in the file afterwards; they are
    // kept in place rather than copied, as the file may hold thousands.
    std::vector<char> kept(m_written.size(), 0);
    size_t next = 0;  // the next line of m_written expected in the file
    for (size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        size_t found = next;
        while (found < m_written.size() && m_written[found].text != line) {
            ++found;
        }
        bool drop = false;
        if (found < m_written.size()) {
            const Written& w = m_written[found];
            drop = w.call == wantCall && w.mode == wantMode && w.timeText == wantTime;
            kept[found] = drop ? 0 : 1;
            next = found + 1;
        } else {
            drop = ForeignLineMatches(line, wantCall, wantMode, wantTime);
        }
        if (!drop) {
            bytes += line;
            bytes += kLineEnd;
        }
    }
    if (plat::ReplaceFileContents(name, bytes)) {
        size_t to = 0;
        for (size_t k = 0; k < m_written.size(); ++k) {
            if (kept[k] != 0) {
                if (to != k) {
                    m_written[to] = std::move(m_written[k]);
                }
                ++to;
            }
        }
        m_written.erase(m_written.begin() + static_cast<std::ptrdiff_t>(to), m_written.end());
    }
}
