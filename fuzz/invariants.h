// What must hold after every call, whatever the host passed: the bad-QSO
// file is its header and one whole line per reported problem, a Cabrillo
// file has its fixed layout, and both forms of the results summary carry the
// same numbers.
#pragma once

#include <string>
#include <vector>

#include "tests/support/bytes.h"

namespace fuzzcheck {

using testing_support::SplitCrLf;
using testing_support::Visible;

// Stops the run with a message; the fuzzer keeps the input as a crash.
[[noreturn]] void Fail(const std::string& what, const std::string& detail = "");

// Every CR is followed by LF and every LF follows a CR.
bool OnlyCrLfLineEnds(const std::string& bytes);

// The header line, then problemLines lines that each start "QSO:  " and end
// in exactly one of the reasons.
void CheckBadQsoFile(const std::string& name, const std::string& bytes, size_t problemLines);

struct CabrilloExpectation {
    std::string callsign;  // as it stands on the CALLSIGN line
    int claimedScore = 0;
    size_t soapboxLines = 1;
    size_t qsoLines = 0;
};

// START-OF-LOG, the 21 tagged header lines in their order, the SOAPBOX
// lines, the QSO lines and END-OF-LOG, all ending in CR LF.
void CheckCabrilloFile(const std::string& bytes, const CabrilloExpectation& expect);

// The numbers of a results summary, in the order they are shown.
struct SummaryNumbers {
    std::vector<std::string> bands;
    std::vector<long long> values;  // per band four, then the totals block
    bool operator==(const SummaryNumbers& o) const {
        return bands == o.bands && values == o.values;
    }
};

// Reads the numbers back from the text form or the HTML page; fails the run
// when the layout is broken.
SummaryNumbers ParseTextSummary(const std::string& text);
SummaryNumbers ParseHtmlSummary(const std::string& page);

// Checks the totals block against itself: the score is the product it
// shows, and nothing is negative.
void CheckSummaryArithmetic(const SummaryNumbers& numbers, bool reportRun);

}  // namespace fuzzcheck
