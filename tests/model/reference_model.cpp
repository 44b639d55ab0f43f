#include "tests/model/reference_model.h"

#include <cmath>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>

namespace model {
namespace {

const char* const kAllowedBands[] = {"80m", "80m", "40m", "20m", "15m", "10m"};
const char* const kBandNames[] = {"160m", "80m", "40m", "20m", "15m", "10m"};
const char* const kModes[] = {"CW", "SSB"};
const char* const kCounties[] = {"BGD", "BOR", "BRA", "JAB", "JBB", "JBN", "KMO", "KOL",
                                 "KOS", "KPO", "MAC", "MOR", "NIS", "PCI", "PEC", "PIR",
                                 "POD", "POM", "PRI", "RAN", "RAS", "SBB", "SBN", "SBT",
                                 "SRM", "SUM", "TOP", "ZAJ", "ZBB", "ZLA"};
const char* const kHeader = "YUDX HF Contest CW/SSB UBN file ";
const char* const kCrLf = "\r\n";

constexpr int kIntMax = std::numeric_limits<int>::max();
constexpr int kIntMin = std::numeric_limits<int>::min();

int Saturate(long long v) {
    if (v > kIntMax) {
        return kIntMax;
    }
    if (v < kIntMin) {
        return kIntMin;
    }
    return static_cast<int>(v);
}

int SatAdd(int a, int b) {
    return Saturate(static_cast<long long>(a) + b);
}
int SatMul(int a, int b) {
    return Saturate(static_cast<long long>(a) * b);
}

char AsciiUpper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

bool EqualNoCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) {
            return false;
        }
    }
    return true;
}

template <size_t N>
bool ContainsNoCase(const char* const (&list)[N], const std::string& name) {
    for (const char* entry : list) {
        if (EqualNoCase(entry, name)) {
            return true;
        }
    }
    return false;
}

bool IsCounty(const std::string& text) {
    for (const char* county : kCounties) {
        if (text == county) {
            return true;
        }
    }
    return false;
}

bool IsYu(const std::string& dxcc) {
    return dxcc == "YU" || dxcc == "YT";
}

int BandIndex(const std::string& band) {
    for (int i = 0; i < 6; ++i) {
        if (band == kBandNames[i]) {
            return i;
        }
    }
    return 6;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string UpperTrimmed(const std::string& text) {
    size_t from = 0;
    size_t to = text.size();
    while (from < to && IsBlank(text[from])) {
        ++from;
    }
    while (to > from && IsBlank(text[to - 1])) {
        --to;
    }
    std::string out;
    for (size_t i = from; i < to; ++i) {
        out += AsciiUpper(text[i]);
    }
    return out;
}

// A field of a bad-QSO line: line breaks inside it become blanks.
std::string OneLine(const std::string& text) {
    std::string out = text;
    for (char& c : out) {
        if (c == '\r' || c == '\n') {
            c = ' ';
        }
    }
    return out;
}

bool SameTime(const StatsDate& a, const StatsDate& b) {
    if (a.m_status != b.m_status) {
        return false;
    }
    if (a.m_status != 0) {
        return true;
    }
    return a.m_dt == b.m_dt || (std::isnan(a.m_dt) && std::isnan(b.m_dt));
}

// Days from 1 January 1970 to the given civil date (proleptic Gregorian).
void CivilFromDays(long long z, int& year, int& month, int& day) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const long long doe = z - era * 146097;
    const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const long long mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int size = std::vsnprintf(nullptr, 0, format, args);
    va_end(args);
    std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
    std::vsnprintf(&out[0], out.size() + 1, format, again);
    va_end(again);
    return out;
}

const char* const kHtmlHead =
    "<html><head><style>table{ width:100%; }table, th, td{ border: 1px solid black; "
    "border-collapse: collapse; }th, td{ padding: 1px; text-align: middle; }th,td{ "
    "background-color: #fffac6; color: black}</style></head><body>";
const char* const kHtmlRow =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td><center>%i</center>"
    "</td><td><center>%i</center></td><td><center>%i</center></td></tr>";
const char* const kHtmlCountRow =
    "<tr><th> <center>%s</center></th><td><center>%i</center></td><td colspan=8> </td></tr>";
const char* const kHtmlRate = "<tr><th> %s </th><td colspan=9><center>%5i /%i</center></td></tr>";

}  // namespace

double LinearDays(double dayCount) {
    return dayCount >= 0 ? dayCount : 2 * std::ceil(dayCount) - dayCount;
}

bool ToCalendar(double dayCount, CalendarTime& out) {
    if (!std::isfinite(dayCount) || dayCount < -1.0e6 || dayCount > 1.0e7) {
        return false;
    }
    const long long seconds = std::llround(LinearDays(dayCount) * 86400.0);
    long long days = seconds / 86400;
    long long inDay = seconds % 86400;
    if (inDay < 0) {
        inDay += 86400;
        --days;
    }
    CivilFromDays(days - 25569, out.year, out.month, out.day);
    out.hour = static_cast<int>(inDay / 3600);
    out.minute = static_cast<int>(inDay / 60 % 60);
    out.second = static_cast<int>(inDay % 60);
    return out.year >= 100 && out.year <= 9999;
}

bool IsFormattable(const StatsDate& date) {
    CalendarTime unused;
    return date.m_status == 0 && ToCalendar(date.m_dt, unused);
}

std::string FormatDate(const StatsDate& date, const char* pattern) {
    if (date.m_status == 2) {
        return "";
    }
    CalendarTime t;
    if (date.m_status != 0 || !ToCalendar(date.m_dt, t)) {
        return "Invalid DateTime";
    }
    std::string out;
    for (const char* p = pattern; *p != '\0'; ++p) {
        if (*p != '%' || p[1] == '\0') {
            out += *p;
            continue;
        }
        ++p;
        switch (*p) {
            case 'Y':
                out += Printf("%04d", t.year);
                break;
            case 'm':
                out += Printf("%02d", t.month);
                break;
            case 'd':
                out += Printf("%02d", t.day);
                break;
            case 'H':
                out += Printf("%02d", t.hour);
                break;
            case 'M':
                out += Printf("%02d", t.minute);
                break;
            case 'S':
                out += Printf("%02d", t.second);
                break;
            default:
                out += *p;
                break;
        }
    }
    return out;
}

ReferenceModel::ReferenceModel() = default;

void ReferenceModel::Reload() {
    std::map<std::string, std::vector<BadLine>> files = std::move(files_);
    *this = ReferenceModel();
    files_ = std::move(files);
}

int ReferenceModel::ResetStats(const host::ContestRun& run, const std::string& hostVersion,
                               bool rules2020, const std::string& entryBand) {
    rules2020_ = rules2020;
    entryBand_ = rules2020 && run.reportRun != 0 ? entryBand : "";
    startDayMonth_ = FormatDate(run.start, "%d.%m");
    endDate_ = FormatDate(run.end, "%d.%m.%Y");
    hostVersion_ = hostVersion;
    log_.clear();
    bandsWorked_.clear();
    ownDxcc_ = run.ownDxcc;
    ownContinent_ = run.ownContinent;
    ownCall_ = run.ownCall;
    ownIsYu_ = IsYu(run.ownDxcc);
    reportRun_ = run.reportRun;
    badQsoFileName_ = "BadQSO_DozudODODER_" + FormatDate(run.end, "%d_%m_%Y") + ".txt";
    files_[badQsoFileName_].clear();
    return 1;
}

void ReferenceModel::WriteBadLine(const host::QsoFields& q, const std::string& timeText,
                                  const char* reason) {
    if (badQsoFileName_.empty()) {
        return;
    }
    BadLine line;
    line.call = OneLine(q.call);
    line.mode = OneLine(q.mode);
    line.timeText = timeText;
    line.text = "QSO:  " + std::to_string(q.frequencyHz / 1000) + "  " + line.mode + "  " +
                timeText + "  " + OneLine(q.ownCall) + "  " + OneLine(q.rstSent) + "  " +
                OneLine(q.exchSent) + "  " + line.call + "  " + OneLine(q.rstRcvd) + "  " +
                OneLine(q.exchRcvd) + reason;
    files_[badQsoFileName_].push_back(line);
}

int ReferenceModel::AddData(const host::QsoFields& q) {
    Record r;
    r.freqKHz = static_cast<int>(q.frequencyHz / 1000);
    r.time = q.time;
    const std::string timeText = FormatDate(q.time, "%Y-%m-%d %H%M");

    if (!ContainsNoCase(kAllowedBands, q.band)) {
        WriteBadLine(q, timeText, "   WRONG BAND !!!");
        return 0;
    }
    bool listed = false;
    for (const std::string& band : bandsWorked_) {
        listed = listed || band == q.band;
    }
    if (!listed) {
        bandsWorked_.push_back(q.band);
    }
    if (!ContainsNoCase(kModes, q.mode)) {
        WriteBadLine(q, timeText, "   WRONG MODE !!!");
        return 0;
    }
    if (q.exchRcvd.empty() || q.exchSent.empty()) {
        WriteBadLine(q, timeText, "   NO RX NUMBER !!!");
        return 0;
    }
    r.call = q.call;
    r.band = q.band;
    r.mode = q.mode;
    r.continent = q.continent;
    r.rstRcvd = q.rstRcvd;
    r.rstSent = q.rstSent;
    r.dxcc = q.dxcc;
    r.exchSent = q.exchSent;
    r.exchRcvd = q.exchRcvd;

    if (IsYu(q.dxcc)) {
        const std::string county = UpperTrimmed(q.exchRcvd);
        if (IsCounty(county)) {
            r.county = county;
        } else {
            r.noCounty = true;
            r.notCounted = true;
            WriteBadLine(q, timeText, "   NO SERBIA COUNTY !!!");
        }
    } else if (rules2020_) {
        const std::string number = UpperTrimmed(q.exchRcvd);
        bool digits = !number.empty();
        for (char c : number) {
            digits = digits && c >= '0' && c <= '9';
        }
        if (!digits) {
            r.notANumber = true;
            r.notCounted = true;
            WriteBadLine(q, timeText, "   RX NOT A NUMBER !!!");
        }
    }
    // A QSO without a county or a number makes no later QSO a dupe.
    for (const Record& earlier : log_) {
        if (!earlier.noCounty && !earlier.notANumber && earlier.call == q.call &&
            earlier.band == q.band && earlier.mode == q.mode) {
            r.notCounted = true;
            r.dupe = true;
            WriteBadLine(q, timeText, "   DUPE !!!");
        }
    }
    log_.push_back(r);
    return 1;
}

int ReferenceModel::RemoveData(const host::QsoFields& q) {
    for (size_t i = 0; i < log_.size(); ++i) {
        const Record& r = log_[i];
        if (r.call == q.call && r.band == q.band && r.mode == q.mode && SameTime(r.time, q.time)) {
            log_.erase(log_.begin() + static_cast<long>(i));
            break;
        }
    }
    if (log_.empty()) {
        bandsWorked_.clear();
    }
    if (!badQsoFileName_.empty()) {
        const std::string timeText = FormatDate(q.time, "%Y-%m-%d %H%M");
        std::vector<BadLine> kept;
        for (const BadLine& line : files_[badQsoFileName_]) {
            // The file shows blanks for line breaks, in the line and in the
            // QSO it names alike.
            if (!(line.call == OneLine(q.call) && line.mode == OneLine(q.mode) &&
                  line.timeText == timeText)) {
                kept.push_back(line);
            }
        }
        files_[badQsoFileName_] = kept;
    }
    return 1;
}

host::CallCheckAnswer ReferenceModel::CheckCall(const host::CallCheck& c) const {
    host::CallCheckAnswer answer;
    const int invalid = (hostVersion_ == "2.19" || hostVersion_ == "2.20") ? 1 : 4;
    if (c.band != nullptr && c.secondBand != nullptr && !EqualNoCase(c.band, c.secondBand)) {
        answer.status = invalid;
        return answer;
    }
    const std::string band = c.band != nullptr ? c.band : "";
    if (!ContainsNoCase(kAllowedBands, band) || !ContainsNoCase(kModes, c.mode)) {
        answer.status = invalid;
        return answer;
    }
    if (c.dxcc.empty()) {
        answer.status = 1;
        return answer;
    }
    std::string previous;
    for (const Record& r : log_) {
        if (r.call == c.call) {
            previous = r.exchRcvd;
            if (!r.noCounty && !r.notANumber && r.band == band && r.mode == c.mode) {
                answer.status = 0;
                return answer;
            }
        }
    }
    answer.status = 1;
    for (const Record& r : log_) {
        if (r.band == band) {
            if (r.dxcc == c.dxcc) {
                answer.status = 1;
                break;
            }
            answer.status = 2;
        }
    }
    if (c.wantExchange) {
        answer.bufferWritten = true;
        answer.prevExchange = previous.substr(0, 9);
    }
    return answer;
}

int ReferenceModel::IsValidExchange(const char* exchange) {
    const std::string x = exchange != nullptr ? exchange : "";
    if (x == "599") {
        return 0;
    }
    if (x.size() == 3 || x.size() == 4) {
        bool digits = true;
        for (char ch : x) {
            digits = digits && ch >= '0' && ch <= '9';
        }
        if (digits) {
            return 1;
        }
    }
    return IsCounty(x) ? 1 : 0;
}

int ReferenceModel::QsoPoints(const Record& r) const {
    if (!ownIsYu_ && IsYu(r.dxcc)) {
        return 10;
    }
    if (r.dxcc == ownDxcc_) {
        return 1;
    }
    return r.continent == ownContinent_ ? 2 : 4;
}

// Texts inserted into the HTML page cannot add markup.
std::string ReferenceModel::Html(const std::string& text) {
    std::string out;
    for (char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            default:
                out += c;
                break;
        }
    }
    return out;
}

std::string ReferenceModel::GetResult(int* hostValue) {
    const bool html = hostSetVersion_;
    std::string out;
    if (html) {
        const std::string title =
            "   VE-VU-RO VIVIDAD " + Html(startDayMonth_) + "-" + Html(endDate_);
        out += kHtmlHead;
        out += Printf("<center><b>%s</b></center><center>Contestant:  <b>%s</center></b><table>",
                      title.c_str(), Html(ownCall_).c_str());
        out += Printf("<tr><th> %s</th><th> %s</th><th> %s</th><th> %s</th><th> %s</th></tr>",
                      "Band", "QSOs", "Points", "DXCC", "YU-County");
    } else {
        out += Printf(
            "    DI-VE-RI  %s-%s\r\n\tContestant: %s \r\n\tQSOs\tPoints\tDXCC\tYU-County\r\n",
            startDayMonth_.c_str(), endDate_.c_str(), ownCall_.c_str());
    }

    // Bands in descending order of their names left-padded with zeros.
    for (size_t i = 0; i + 1 < bandsWorked_.size(); ++i) {
        for (size_t j = i + 1; j < bandsWorked_.size(); ++j) {
            std::string a = bandsWorked_[i];
            std::string b = bandsWorked_[j];
            a.insert(0, a.size() < 20 ? 20 - a.size() : 0, '0');
            b.insert(0, b.size() < 20 ? 20 - b.size() : 0, '0');
            if (a < b) {
                std::swap(bandsWorked_[i], bandsWorked_[j]);
            }
        }
    }

    int nonDupeLines = 0;
    const auto file = files_.find(badQsoFileName_);
    if (!badQsoFileName_.empty() && file != files_.end()) {
        const std::string dupe = "   DUPE !!!";
        for (const BadLine& line : file->second) {
            const std::string& t = line.text;
            const bool isDupe = t.size() >= dupe.size() &&
                                t.compare(t.size() - dupe.size(), dupe.size(), dupe) == 0;
            nonDupeLines += isDupe ? 0 : 1;
        }
    }

    int totalQsos = 0, totalPoints = 0, totalDxcc = 0, totalCounties = 0, totalDupes = 0;
    int q60 = 0, p60 = 0, q10 = 0, p10 = 0, lastPoints = 0;
    int entryPoints = 0, entryMultipliers = 0;
    const Record* last = log_.empty() ? nullptr : &log_.back();
    const bool referenceUsable = last != nullptr && IsFormattable(last->time);
    for (const std::string& band : bandsWorked_) {
        const int b = BandIndex(band);
        int qsos = 0, points = 0, dxcc = 0, counties = 0, dupes = 0;
        std::vector<std::string> dxccSeen, countiesSeen;
        for (const Record& r : log_) {
            if (r.band != band || r.call.empty()) {
                continue;
            }
            dupes = SatAdd(dupes, r.dupe ? 1 : 0);
            if (r.notCounted) {
                continue;
            }
            const int p = QsoPoints(r);
            qsos = SatAdd(qsos, 1);
            points = SatAdd(points, p);
            if (r.band == last->band) {
                lastPoints = p;
                if (reportRun_ == 0 && referenceUsable && IsFormattable(r.time)) {
                    double span = LinearDays(last->time.m_dt) - LinearDays(r.time.m_dt);
                    span += span >= 0 ? 0.5 / 86400 : -0.5 / 86400;
                    const double minutes = std::trunc(span * 1440);
                    if (minutes < 60) {
                        q60 = SatAdd(q60, 1);
                        p60 = SatAdd(p60, p);
                    }
                    if (minutes < 10) {
                        q10 = SatAdd(q10, 1);
                        p10 = SatAdd(p10, p);
                    }
                }
            }
            if (b < 6 && !r.county.empty()) {
                bool seen = false;
                for (const std::string& s : countiesSeen) {
                    seen = seen || s == r.county;
                }
                if (!seen) {
                    countiesSeen.push_back(r.county);
                    // Under the 2020 rules a YU/YT entrant's multipliers
                    // are DXCC entities alone.
                    counties = SatAdd(counties, rules2020_ && ownIsYu_ ? 0 : 1);
                }
            }
            if (b < 6) {
                bool seen = false;
                for (const std::string& s : dxccSeen) {
                    seen = seen || s == r.dxcc;
                }
                if (!seen) {
                    dxccSeen.push_back(r.dxcc);
                    dxcc = SatAdd(dxcc, 1);
                }
            }
        }
        if (b < 6) {
            out += html ? Printf(kHtmlRow, Html(band).c_str(), qsos, points, dxcc, counties)
                        : Printf("%s\t %i\t %i\t %i\t %i\r\n", band.c_str(), qsos, points, dxcc,
                                 counties);
        }
        totalQsos = SatAdd(totalQsos, qsos);
        totalPoints = SatAdd(totalPoints, points);
        totalDxcc = SatAdd(totalDxcc, dxcc);
        totalCounties = SatAdd(totalCounties, counties);
        totalDupes = SatAdd(totalDupes, dupes);
        if (!entryBand_.empty() && EqualNoCase(band, entryBand_)) {
            entryPoints = SatAdd(entryPoints, points);
            entryMultipliers = SatAdd(entryMultipliers, SatAdd(dxcc, counties));
        }
    }

    // Every problem line but the DUPE lines: a QSO repeating two earlier
    // ones writes two DUPE lines and is still one dupe, not a bad QSO.
    const int bad = nonDupeLines;
    const int score = SatMul(totalPoints, SatAdd(totalDxcc, totalCounties));
    const int q10Hourly = SatMul(q10, 6);
    const int p10Hourly = SatMul(p10, 6);

    if (html) {
        out += Printf(kHtmlRow, "Total", totalQsos, totalPoints, totalDxcc, totalCounties);
        out += Printf(kHtmlCountRow, "Dupe", totalDupes);
        out += Printf(kHtmlCountRow, "Bad QSO", bad);
        out += Printf("<tr><th>%s</th><td colspan=9><center>%i * (%i + %i) = %i</center></td></tr>",
                      "Score:", totalPoints, totalDxcc, totalCounties, score);
        out += Printf("<tr><th>%s</small></th><td colspan=9><center>%5i</center></td></tr>",
                      "Last QSO points:", lastPoints);
        out += Printf("<th colspan=10><center>%s</center></th></tr>", "Rate");
        out += Printf(kHtmlRate, "Hourly (10min/1 hour) QSO rate:", q60, q10Hourly);
        out += Printf(kHtmlRate, "Hourly (10min/1 hour) pts rate:", p60, p10Hourly);
        out += "</table></body></html>";
    } else {
        out += Printf("Total\t %i\t %i\t %i\t %i\r\n", totalQsos, totalPoints, totalDxcc,
                      totalCounties);
        out += Printf("Dupe\t %i\r\n", totalDupes);
        out += Printf("Bad QSO\t %i\r\n", bad);
        out += Printf("Score: %i*(%i+%i) = %i\r\n", totalPoints, totalDxcc, totalCounties, score);
        out += Printf("Last QSO points: %5i\r\n", lastPoints);
        out += "Rate\r\n";
        out += Printf("Hourly (10min/1 hour) QSO rate: %5i /%i\r\n", q60, q10Hourly);
        out += Printf("Hourly (10min/1 hour) pts rate: %5i /%i\r\n", p60, p10Hourly);
    }
    // A single-band entry claims its band's score alone.
    claimed_ = entryBand_.empty() ? score : SatMul(entryPoints, entryMultipliers);
    if (hostValue != nullptr) {
        *hostValue = -1;
    }
    return out;
}

std::map<std::string, std::string> ReferenceModel::BadQsoFiles() const {
    std::map<std::string, std::string> out;
    for (const auto& entry : files_) {
        std::string bytes = std::string(kHeader) + kCrLf;
        for (const BadLine& line : entry.second) {
            bytes += line.text + kCrLf;
        }
        out[entry.first] = bytes;
    }
    return out;
}

}  // namespace model
