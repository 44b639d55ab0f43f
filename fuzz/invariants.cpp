#include "fuzz/invariants.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fuzzcheck {
namespace {

const char* const kBadQsoHeader = "YUDX HF Contest CW/SSB UBN file ";
const char* const kReasons[] = {"   WRONG BAND !!!", "   WRONG MODE !!!", "   NO RX NUMBER !!!",
                                "   NO SERBIA COUNTY !!!", "   DUPE !!!"};

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

bool StartsWith(const std::string& s, const std::string& head) {
    return s.compare(0, head.size(), head) == 0;
}

// Matches a printf-style format against text at pos: "%s" takes the
// shortest run of bytes up to the next literal, "%i" and "%5i" a decimal
// number (the width as leading blanks). Advances pos on success.
bool Match(const char* format, const std::string& text, size_t& pos, std::vector<long long>& ints,
           std::vector<std::string>& strs) {
    size_t at = pos;
    for (const char* f = format; *f != '\0';) {
        if (*f != '%') {
            if (at >= text.size() || text[at] != *f) {
                return false;
            }
            ++at;
            ++f;
            continue;
        }
        ++f;
        while (*f >= '0' && *f <= '9') {
            ++f;
        }
        if (*f == 's') {
            ++f;
            const char* literalEnd = std::strchr(f, '%');
            const std::string literal(f, literalEnd != nullptr ? literalEnd : f + std::strlen(f));
            const size_t end = literal.empty() ? text.size() : text.find(literal, at);
            if (end == std::string::npos) {
                return false;
            }
            strs.push_back(text.substr(at, end - at));
            at = end;
        } else if (*f == 'i') {
            ++f;
            while (at < text.size() && text[at] == ' ') {
                ++at;
            }
            const size_t start = at;
            if (at < text.size() && text[at] == '-') {
                ++at;
            }
            const size_t digits = at;
            while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
                ++at;
            }
            if (at == digits || at - digits > 10) {
                return false;
            }
            ints.push_back(std::strtoll(text.substr(start, at - start).c_str(), nullptr, 10));
        } else {
            return false;
        }
    }
    pos = at;
    return true;
}

void Expect(const char* format, const std::string& text, size_t& pos, SummaryNumbers& out,
            const char* where) {
    std::vector<std::string> strs;
    if (!Match(format, text, pos, out.values, strs)) {
        Fail(std::string("summary layout broken at ") + where,
             Visible(text.substr(pos, 200)) + "\nwhole: " + Visible(text));
    }
}

long long SaturatedProduct(long long a, long long b) {
    const long long p = a * b;
    return p > INT_MAX ? INT_MAX : p;
}

}  // namespace

void Fail(const std::string& what, const std::string& detail) {
    std::fprintf(stderr, "\n*** invariant broken: %s\n%s\n", what.c_str(), detail.c_str());
    std::abort();
}

bool OnlyCrLfLineEnds(const std::string& bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n')) {
            return false;
        }
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) {
            return false;
        }
    }
    return true;
}

void CheckBadQsoFile(const std::string& name, const std::string& bytes, size_t problemLines) {
    const std::string where = "bad-QSO file " + Visible(name);
    if (!OnlyCrLfLineEnds(bytes) || !EndsWith(bytes, "\r\n")) {
        Fail(where + ": a line does not end in CR LF", Visible(bytes));
    }
    const std::vector<std::string> lines = SplitCrLf(bytes);
    if (lines.empty() || lines[0] != kBadQsoHeader) {
        Fail(where + ": header line missing", Visible(bytes));
    }
    if (lines.size() != problemLines + 1) {
        Fail(where + ": " + std::to_string(lines.size() - 1) + " problem lines, expected " +
                 std::to_string(problemLines),
             Visible(bytes));
    }
    for (size_t i = 1; i < lines.size(); ++i) {
        int reasons = 0;
        for (const char* reason : kReasons) {
            reasons += EndsWith(lines[i], reason) ? 1 : 0;
        }
        if (!StartsWith(lines[i], "QSO:  ") || reasons != 1) {
            Fail(where + ": line " + std::to_string(i + 1) + " is not one whole problem line",
                 Visible(lines[i]));
        }
    }
}

void CheckCabrilloFile(const std::string& bytes, const CabrilloExpectation& expect) {
    static const char* const kTags[] = {"CALLSIGN",
                                        "CONTEST",
                                        "CATEGORY-OPERATOR",
                                        "CATEGORY-ASSISTED",
                                        "CATEGORY-BAND",
                                        "CATEGORY-MODE",
                                        "CATEGORY-POWER",
                                        "CATEGORY-STATION",
                                        "CATEGORY-TRANSMITTER",
                                        "CLAIMED-SCORE",
                                        "CLUB",
                                        "CREATED-BY",
                                        "LOCATION",
                                        "EMAIL",
                                        "NAME",
                                        "ADDRESS",
                                        "ADDRESS-CITY",
                                        "ADDRESS-STATE-PROVINCE",
                                        "ADDRESS-POSTALCODE",
                                        "ADDRESS-COUNTRY",
                                        "OPERATORS"};
    if (!OnlyCrLfLineEnds(bytes) || !EndsWith(bytes, "\r\n")) {
        Fail("Cabrillo file: a line does not end in CR LF", Visible(bytes));
    }
    const std::vector<std::string> lines = SplitCrLf(bytes);
    const size_t header = 1 + std::size(kTags);
    const size_t expected = header + expect.soapboxLines + expect.qsoLines + 1;
    if (lines.size() != expected) {
        Fail("Cabrillo file: " + std::to_string(lines.size()) + " lines, expected " +
                 std::to_string(expected),
             Visible(bytes));
    }
    if (lines[0] != "START-OF-LOG: 3.0" || lines[2] != "CONTEST: DI-VE-RI" ||
        lines[1] != "CALLSIGN: " + expect.callsign ||
        lines[10] != "CLAIMED-SCORE: " + std::to_string(expect.claimedScore)) {
        Fail("Cabrillo file: fixed header lines wrong", Visible(bytes));
    }
    for (size_t i = 0; i < std::size(kTags); ++i) {
        if (!StartsWith(lines[i + 1], std::string(kTags[i]) + ": ")) {
            Fail("Cabrillo file: header line " + std::to_string(i + 2) + " is not " + kTags[i],
                 Visible(lines[i + 1]));
        }
    }
    for (size_t i = header; i < header + expect.soapboxLines; ++i) {
        if (!StartsWith(lines[i], "SOAPBOX: ")) {
            Fail("Cabrillo file: SOAPBOX line expected", Visible(lines[i]));
        }
    }
    for (size_t i = header + expect.soapboxLines; i + 1 < lines.size(); ++i) {
        if (!StartsWith(lines[i], "QSO: ")) {
            Fail("Cabrillo file: QSO line expected", Visible(lines[i]));
        }
    }
    if (lines.back() != "END-OF-LOG:") {
        Fail("Cabrillo file: END-OF-LOG missing", Visible(bytes));
    }
}

SummaryNumbers ParseTextSummary(const std::string& text) {
    SummaryNumbers out;
    const std::string heads = "\tQSOs\tPoints\tDXCC\tYU-County\r\n";
    const size_t headsAt = text.rfind(heads);
    if (headsAt == std::string::npos || !StartsWith(text, "    DI-VE-RI  ")) {
        Fail("text summary: heading missing", Visible(text));
    }
    size_t pos = headsAt + heads.size();
    while (!StartsWith(text.substr(pos, 6), "Total\t")) {
        std::vector<std::string> band;
        if (!Match("%s\t %i\t %i\t %i\t %i\r\n", text, pos, out.values, band)) {
            Fail("text summary: band row broken", Visible(text.substr(pos)));
        }
        out.bands.push_back(band[0]);
    }
    Expect("Total\t %i\t %i\t %i\t %i\r\nDupe\t %i\r\nBad QSO\t %i\r\n", text, pos, out, "totals");
    Expect("Score: %i*(%i+%i) = %i\r\nLast QSO points: %5i\r\nRate\r\n", text, pos, out, "score");
    Expect("Hourly (10min/1 hour) QSO rate: %5i /%i\r\n", text, pos, out, "QSO rate");
    Expect("Hourly (10min/1 hour) pts rate: %5i /%i\r\n", text, pos, out, "points rate");
    if (pos != text.size()) {
        Fail("text summary: bytes after the rates", Visible(text.substr(pos)));
    }
    return out;
}

SummaryNumbers ParseHtmlSummary(const std::string& page) {
    SummaryNumbers out;
    const std::string heads =
        "<tr><th> Band</th><th> QSOs</th><th> Points</th><th> DXCC</th><th> YU-County</th></tr>";
    const size_t headsAt = page.find(heads);
    if (headsAt == std::string::npos || !StartsWith(page, "<html><head><style>")) {
        Fail("HTML summary: heading missing", Visible(page));
    }
    const char* const row =
        "<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>%i</center>"
        "</td><td><center>%i</center></td><td><center>%i</center></td></tr>";
    size_t pos = headsAt + heads.size();
    for (;;) {
        std::vector<std::string> band;
        if (!Match(row, page, pos, out.values, band)) {
            Fail("HTML summary: row broken", Visible(page.substr(pos)));
        }
        if (band[0] == "Total") {
            break;
        }
        out.bands.push_back(band[0]);
    }
    const char* const countRow =
        "<tr><th> <center>Dupe</center></th><td><center>%i</center></td><td colspan=8> </td></tr>"
        "<tr><th> <center>Bad QSO</center></th><td><center>%i</center></td><td colspan=8> </td>"
        "</tr>";
    Expect(countRow, page, pos, out, "dupes and bad QSOs");
    Expect(
        "<tr><th>Score:</th><td colspan=9><center>%i * (%i + %i) = %i</center></td></tr>"
        "<tr><th>Last QSO points:</small></th><td colspan=9><center>%5i</center></td></tr>"
        "<th colspan=10><center>Rate</center></th></tr>",
        page, pos, out, "score");
    Expect(
        "<tr><th> Hourly (10min/1 hour) QSO rate: </th><td colspan=9><center>%5i /%i</center>"
        "</td></tr><tr><th> Hourly (10min/1 hour) pts rate: </th><td colspan=9><center>%5i /%i"
        "</center></td></tr></table></body></html>",
        page, pos, out, "rates");
    if (pos != page.size()) {
        Fail("HTML summary: bytes after the page end", Visible(page.substr(pos)));
    }
    return out;
}

void CheckSummaryArithmetic(const SummaryNumbers& n, bool reportRun) {
    const size_t rows = n.bands.size() * 4;
    if (n.values.size() != rows + 15) {
        Fail("summary: wrong count of numbers");
    }
    for (long long v : n.values) {
        if (v < 0 || v > INT_MAX) {
            Fail("summary: a number is negative or past the 32-bit range");
        }
    }
    const long long* t = n.values.data() + rows;
    long long sums[4] = {0, 0, 0, 0};
    for (size_t r = 0; r < rows; ++r) {
        sums[r % 4] += n.values[r];
    }
    for (int i = 0; i < 4; ++i) {
        if (t[i] < sums[i] && t[i] != INT_MAX) {
            Fail("summary: a total is below the sum of its band rows");
        }
    }
    // t: qsos points dxcc counties | dupes | bad | points dxcc counties score
    //    | last | q60 q10x6 | p60 p10x6
    if (t[6] != t[1] || t[7] != t[2] || t[8] != t[3]) {
        Fail("summary: the score line repeats other totals");
    }
    const long long multipliers = t[2] + t[3] > INT_MAX ? INT_MAX : t[2] + t[3];
    if (t[9] != SaturatedProduct(t[1], multipliers)) {
        Fail("summary: score is not points times multipliers");
    }
    const long long q60 = t[11], q10x6 = t[12], p60 = t[13], p10x6 = t[14];
    if (q10x6 % 6 != 0 && q10x6 != INT_MAX) {
        Fail("summary: hourly rate from ten minutes is not six times a count");
    }
    if (q10x6 > 6 * q60 || p10x6 > 6 * p60 || q60 > t[0]) {
        Fail("summary: the ten-minute window holds more than the hour");
    }
    if (reportRun && (q60 != 0 || q10x6 != 0 || p60 != 0 || p10x6 != 0)) {
        Fail("summary: rates in a report run");
    }
}

}  // namespace fuzzcheck
