#include "host/problems.h"

#include <algorithm>

#include "scoring/bad_qso_file_format.h"

namespace host {
namespace {

struct KindNames {
    const char* label;
    const char* key;
};
constexpr KindNames kNames[kProblemKinds] = {
    {"unreadable", "unreadable"},
    {"bad call", "bad_call"},
    {"outside period", "outside_period"},
    {"no country", "no_country"},
    {"wrong band", "wrong_band"},
    {"wrong mode", "wrong_mode"},
    {"no exchange", "no_exchange"},
    {"no county", "no_county"},
    {"dupe", "dupe"},
};

// The reason suffixes of the plug-in's bad-QSO lines.
struct Suffix {
    const char* text;
    ProblemKind kind;
};
constexpr Suffix kSuffixes[] = {
    {kReasonWrongBand, ProblemKind::kWrongBand},
    {kReasonWrongMode, ProblemKind::kWrongMode},
    {kReasonNoRxNumber, ProblemKind::kNoExchange},
    {kReasonNoCounty, ProblemKind::kNoCounty},
    {kReasonDupe, ProblemKind::kDupe},
};

bool EndsWith(const std::string& text, size_t end, const char* suffix) {
    const size_t n = std::char_traits<char>::length(suffix);
    return end >= n && text.compare(end - n, n, suffix) == 0;
}

}  // namespace

const char* ProblemLabel(ProblemKind kind) {
    return kNames[static_cast<size_t>(kind)].label;
}

const char* ProblemKey(ProblemKind kind) {
    return kNames[static_cast<size_t>(kind)].key;
}

ProblemMask PluginReasonsIn(const std::string& lines) {
    ProblemMask mask = 0;
    size_t from = 0;
    while (from < lines.size()) {
        size_t end = lines.find('\n', from);
        const size_t next = end == std::string::npos ? lines.size() : end + 1;
        end = end == std::string::npos ? lines.size() : end;
        if (end > from && lines[end - 1] == '\r') {
            --end;
        }
        for (const Suffix& s : kSuffixes) {
            if (EndsWith(lines, end, s.text)) {
                mask |= MaskOf(s.kind);
            }
        }
        from = next;
    }
    return mask;
}

void ProblemList::Add(int line, ProblemKind kind, std::string detail) {
    if (!items_.empty() &&
        (line < items_.back().line || (line == items_.back().line && kind < items_.back().kind))) {
        sorted_ = false;
    }
    items_.push_back({line, kind, std::move(detail)});
    ++counts_[static_cast<size_t>(kind)];
}

const std::vector<Problem>& ProblemList::Sorted() {
    if (!sorted_) {
        std::stable_sort(items_.begin(), items_.end(), [](const Problem& a, const Problem& b) {
            return a.line != b.line ? a.line < b.line : a.kind < b.kind;
        });
        sorted_ = true;
    }
    return items_;
}

std::string ProblemList::CountsText() const {
    std::string out;
    for (size_t k = 0; k < kProblemKinds; ++k) {
        out += (k == 0 ? "" : ", ") + std::to_string(counts_[k]) + " " + kNames[k].label;
    }
    return out;
}

}  // namespace host
