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
    {"not a number", "not_a_number"},
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
    {kReasonNotANumber, ProblemKind::kNotANumber},
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

namespace {

bool Before(const Problem& a, const Problem& b) {
    if (a.line != b.line) {
        return a.line < b.line;
    }
    return a.qso != b.qso ? a.qso < b.qso : a.kind < b.kind;
}

}  // namespace

void ProblemList::Add(int line, ProblemKind kind, std::string detail, long qso) {
    Problem problem{line, kind, std::move(detail), qso};
    if (!items_.empty() && Before(problem, items_.back())) {
        sorted_ = false;
    }
    items_.push_back(std::move(problem));
    ++counts_[static_cast<size_t>(kind)];
}

const std::vector<Problem>& ProblemList::Sorted() {
    if (!sorted_) {
        std::stable_sort(items_.begin(), items_.end(), Before);
        sorted_ = true;
    }
    return items_;
}

std::vector<ProblemLine> ProblemList::ByQso() {
    std::vector<ProblemLine> lines;
    const Problem* last = nullptr;
    for (const Problem& p : Sorted()) {
        if (last == nullptr || p.qso < 0 || p.qso != last->qso || p.line != last->line) {
            lines.push_back({p.line, ProblemLabel(p.kind), p.detail});
        } else {
            // The details of one QSO's kinds start with the same QSO; the
            // one that says more is kept, and one that says else is added.
            ProblemLine& l = lines.back();
            l.kinds += std::string(", ") + ProblemLabel(p.kind);
            if (p.detail.compare(0, l.detail.size(), l.detail) == 0) {
                l.detail = p.detail;
            } else if (l.detail.compare(0, p.detail.size(), p.detail) != 0) {
                l.detail += "; " + p.detail;
            }
        }
        last = &p;
    }
    return lines;
}

std::string ProblemList::CountsText(bool withNotANumber) const {
    std::string out;
    const size_t kinds = withNotANumber ? kProblemKinds : kProblemKinds - 1;
    for (size_t k = 0; k < kinds; ++k) {
        out += (k == 0 ? "" : ", ") + std::to_string(counts_[k]) + " " + kNames[k].label;
    }
    return out;
}

}  // namespace host
