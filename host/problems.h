// The problems a contester checks before sending a log in: every QSO that
// did not score, or scored on incomplete data, with its log line and why.
// The plug-in's own reasons come from the lines it writes into its bad-QSO
// file; the host adds what it found reading the log.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

namespace host {

enum class ProblemKind {
    kUnreadable,     // the line could not be read (the host)
    kBadCall,        // the call cannot be a call; not passed (the host)
    kOutsidePeriod,  // the QSO lies outside the contest period (the host)
    kNoCountry,      // the call resolves to no DXCC entity (the host)
    kWrongBand,      // the plug-in: band outside the contest
    kWrongMode,      // the plug-in: mode outside the contest
    kNoExchange,     // the plug-in: an exchange is missing
    kNoCounty,       // the plug-in: a YU station without a county code
    kDupe,           // the plug-in: a repeat of an earlier QSO
    kNotANumber,     // the plug-in, 2020 rules: a serial number that is no number
};
constexpr size_t kProblemKinds = 10;

// "outside period"; and the JSON key, "outside_period".
const char* ProblemLabel(ProblemKind kind);
const char* ProblemKey(ProblemKind kind);

// One bit per kind, (1 << kind).
using ProblemMask = unsigned;
inline ProblemMask MaskOf(ProblemKind kind) {
    return 1u << static_cast<unsigned>(kind);
}

// The kinds that bad-QSO lines report, from the lines' reason suffixes.
ProblemMask PluginReasonsIn(const std::string& badQsoLines);

struct Problem {
    int line = 0;
    ProblemKind kind = ProblemKind::kUnreadable;
    std::string detail;
    long qso = -1;  // the QSO read from the line (its index), -1 for none
};

// The problems of one QSO (or of a line read as none), as the list shows
// them: "no county, dupe" and the fullest detail.
struct ProblemLine {
    int line = 0;
    std::string kinds;
    std::string detail;
};

class ProblemList {
  public:
    void Add(int line, ProblemKind kind, std::string detail, long qso = -1);
    // Sorted by log line, then QSO, then kind.
    const std::vector<Problem>& Sorted();
    // One entry per QSO with a problem, in log order.
    std::vector<ProblemLine> ByQso();
    size_t Count(ProblemKind kind) const { return counts_[static_cast<size_t>(kind)]; }
    // "0 unreadable, 2 outside period, ..." for every kind; "not a number"
    // only where the rules know it.
    std::string CountsText(bool withNotANumber) const;

  private:
    std::vector<Problem> items_;
    std::array<size_t, kProblemKinds> counts_{};
    bool sorted_ = true;
};

}  // namespace host
