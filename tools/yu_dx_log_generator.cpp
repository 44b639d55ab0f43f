// Writes a YU DX HF contest log in Cabrillo 3.0 form, made up from a fixed
// seed so that the same arguments always give the same file: a 24-hour log
// of a non-YU station (the bundled example), or a short log of a YU entrant.
// The calls are made of real prefixes and invented suffixes.
//
//   yu_dx_log_generator [--entrant] [--qsos N] [--seed S] --out FILE
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tools/yu_counties.h"

namespace {

using tools::kCounties;

struct Prefix {
    const char* prefix;  // the call starts with this, then a digit unless it ends in one
    int weight;          // how often stations of it are heard
};

// European stations dominate the contest; YU/YT stations are listed apart.
const Prefix kPrefixes[] = {
    {"DL", 60}, {"DK", 25},  {"DJ", 15},  {"DF", 15},  {"OK", 35},  {"OM", 25}, {"SP", 40},
    {"HA", 30}, {"S5", 20},  {"9A", 30},  {"E7", 15},  {"Z3", 6},   {"4O", 5},  {"YO", 25},
    {"LZ", 25}, {"SV", 10},  {"I", 20},   {"IK", 15},  {"IZ", 15},  {"IT9", 4}, {"F", 20},
    {"G", 15},  {"M0", 8},   {"GM", 5},   {"GW", 3},   {"EI", 4},   {"EA", 20}, {"CT", 8},
    {"PA", 15}, {"ON", 10},  {"OE", 15},  {"HB9", 10}, {"OH", 12},  {"SM", 12}, {"LA", 6},
    {"OZ", 8},  {"UA1", 10}, {"UA3", 20}, {"UA6", 10}, {"RA3", 8},  {"UR", 15}, {"UT", 10},
    {"ES", 5},  {"YL", 5},   {"LY", 6},   {"EW", 5},   {"UA9", 10}, {"RA9", 5}, {"UA0", 3},
    {"UN", 3},  {"4X", 3},   {"TA", 3},   {"JA", 8},   {"BY", 2},   {"HL", 2},  {"VU", 2},
    {"K", 12},  {"W", 12},   {"N", 6},    {"AA", 3},   {"VE", 5},   {"PY", 4},  {"LU", 3},
    {"CE", 2},  {"ZS", 2},   {"CN", 2},   {"EA8", 3},  {"VK", 2},   {"ZL", 1},
};
const Prefix kYuPrefixes[] = {{"YU", 7}, {"YT", 3}};

const char* const kBands[] = {"80m", "40m", "20m", "15m", "10m"};
// CW and SSB segments of each band, kHz.
const int kCwLow[] = {3500, 7000, 14000, 21000, 28000};
const int kSsbLow[] = {3700, 7100, 14150, 21200, 28400};

// Which band is open at an hour of UTC: night on the low bands, day high.
int BandForHour(int hour, uint32_t r) {
    static const int kNight[] = {0, 0, 0, 1, 1};
    static const int kDay[] = {2, 2, 3, 3, 4, 4};
    static const int kDusk[] = {1, 1, 2, 0};
    if (hour >= 20 || hour < 5) {
        return kNight[r % 5];
    }
    if (hour >= 8 && hour < 16) {
        return kDay[r % 6];
    }
    return kDusk[r % 4];
}

// The standard library's distributions differ between implementations; the
// engine's raw output does not.
class Random {
  public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    uint32_t Next() { return static_cast<uint32_t>(engine_()); }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    bool Chance(int perMille) { return Below(1000) < perMille; }

  private:
    std::mt19937 engine_;
};

struct Station {
    std::string call;
    bool yu = false;
    std::string county;
};

std::string MakeCall(Random& rnd, const Prefix* table, size_t count, int total) {
    int pick = rnd.Below(total);
    const Prefix* p = table;
    for (size_t i = 0; i < count; ++i) {
        if (pick < table[i].weight) {
            p = &table[i];
            break;
        }
        pick -= table[i].weight;
    }
    std::string call = p->prefix;
    const char last = call.back();
    if (last < '0' || last > '9') {
        call += static_cast<char>('0' + rnd.Below(10));
    }
    const int letters = 1 + rnd.Below(3);
    for (int i = 0; i < std::max(letters, call.size() < 3 ? 2 : 1); ++i) {
        call += static_cast<char>('A' + rnd.Below(26));
    }
    return call;
}

template <size_t N>
int TotalWeight(const Prefix (&table)[N]) {
    int total = 0;
    for (const Prefix& p : table) {
        total += p.weight;
    }
    return total;
}

std::vector<Station> MakeStations(Random& rnd, size_t count, const std::string& own) {
    std::vector<Station> stations;
    std::set<std::string> seen{own};
    const int total = TotalWeight(kPrefixes);
    const int yuTotal = TotalWeight(kYuPrefixes);
    while (stations.size() < count) {
        Station s;
        s.yu = rnd.Chance(120);
        s.call = s.yu ? MakeCall(rnd, kYuPrefixes, 2, yuTotal)
                      : MakeCall(rnd, kPrefixes, sizeof kPrefixes / sizeof kPrefixes[0], total);
        if (!seen.insert(s.call).second) {
            continue;
        }
        if (s.yu) {
            s.county = kCounties[rnd.Below(30)];
        }
        // A few stations sign portable.
        if (!s.yu && rnd.Chance(8)) {
            s.call += "/P";
        }
        stations.push_back(s);
    }
    return stations;
}

struct Options {
    bool entrant = false;
    int qsos = 2200;
    uint32_t seed = 20260214;
    std::string out;
};

struct Qso {
    int minute = 0;  // from the contest start
    int khz = 0;
    std::string mode;
    std::string call;
    std::string rstSent;
    std::string rstRcvd;
    std::string exchRcvd;
};

std::string FormatTime(int minuteFromStart) {
    // The contest runs from Saturday 14 February 2026, 12:00 UTC.
    const int total = 12 * 60 + minuteFromStart;
    const int day = 14 + total / (24 * 60);
    const int hour = total / 60 % 24;
    const int minute = total % 60;
    char text[32];
    std::snprintf(text, sizeof text, "2026-02-%02d %02d%02d", day, hour, minute);
    return text;
}

std::vector<Qso> MakeQsos(Random& rnd, const Options& o, const std::vector<Station>& stations) {
    std::vector<Qso> qsos;
    std::set<std::string> worked;  // call, band and mode already logged
    const int minutes = 24 * 60;
    // QSOs are spread over the 24 hours with a quieter night.
    std::vector<int> perMinute(minutes, 0);
    for (int i = 0; i < o.qsos; ++i) {
        int m = rnd.Below(minutes);
        const int hour = (12 + m / 60) % 24;
        if (hour >= 1 && hour < 5 && rnd.Chance(500)) {
            m = rnd.Below(minutes);
        }
        ++perMinute[m];
    }
    int runMode = 0;  // CW or SSB, kept for an hour or so
    int band = 2;
    for (int m = 0; m < minutes; ++m) {
        if (m % 60 == 0 || rnd.Chance(10)) {
            band = BandForHour((12 + m / 60) % 24, rnd.Next());
            runMode = rnd.Chance(550) ? 0 : 1;
        }
        for (int k = 0; k < perMinute[m]; ++k) {
            Qso q;
            q.minute = m;
            q.mode = runMode == 0 ? "CW" : "PH";
            for (int tries = 0; tries < 50; ++tries) {
                const Station& s = stations[rnd.Below(static_cast<int>(stations.size()))];
                if (worked.insert(s.call + " " + kBands[band] + " " + q.mode).second) {
                    q.call = s.call;
                    q.exchRcvd = s.yu ? s.county : "";
                    if (!s.yu) {
                        char serial[16];
                        std::snprintf(serial, sizeof serial, "%03d", 1 + rnd.Below(m / 2 + 40));
                        q.exchRcvd = serial;
                    }
                    break;
                }
            }
            if (q.call.empty()) {
                continue;  // everyone on this band worked already
            }
            const int low = runMode == 0 ? kCwLow[band] : kSsbLow[band];
            q.khz = low + 5 + rnd.Below(runMode == 0 ? 60 : 150);
            const std::string full = runMode == 0 ? "599" : "59";
            q.rstSent = full;
            q.rstRcvd = rnd.Chance(50) ? (runMode == 0 ? "579" : "57") : full;
            qsos.push_back(q);
        }
    }
    return qsos;
}

// What happens in real logs: a station logged twice, a YU station whose
// county was not copied, a QSO on a band or in a mode outside the contest.
// The counts are those of a 2,200-QSO log, scaled to the log's size.
void AddMistakes(Random& rnd, std::vector<Qso>& qsos, const std::vector<Station>& stations) {
    const size_t n = qsos.size();
    auto scaled = [n](int count) { return std::max(1, static_cast<int>(count * n / 2200)); };
    for (int i = 0; i < scaled(6) && n > 0; ++i) {
        Qso again = qsos[static_cast<size_t>(rnd.Below(static_cast<int>(n)))];
        again.minute = std::min(24 * 60 - 1, again.minute + 20 + rnd.Below(120));
        qsos.push_back(again);
    }
    int noCounty = 0;
    for (Qso& q : qsos) {
        if (noCounty < scaled(4) && q.exchRcvd.size() == 3 && q.exchRcvd[0] >= 'A' &&
            rnd.Chance(80)) {
            char serial[16];
            std::snprintf(serial, sizeof serial, "%03d", 1 + rnd.Below(300));
            q.exchRcvd = serial;
            ++noCounty;
        }
    }
    const int outsideBand[] = {1832, 10115, 18080};
    for (int i = 0; i < scaled(3); ++i) {
        Qso q = qsos[static_cast<size_t>(rnd.Below(static_cast<int>(n)))];
        q.khz = outsideBand[i % 3] + rnd.Below(10);
        q.mode = "CW";
        q.rstSent = q.rstRcvd = "599";
        q.call = stations[static_cast<size_t>(rnd.Below(static_cast<int>(stations.size())))].call;
        qsos.push_back(q);
    }
    for (int i = 0; i < scaled(3); ++i) {
        Qso q = qsos[static_cast<size_t>(rnd.Below(static_cast<int>(n)))];
        q.khz = 14080 + rnd.Below(20);
        q.mode = "RY";
        q.rstSent = q.rstRcvd = "599";
        qsos.push_back(q);
    }
    std::stable_sort(qsos.begin(), qsos.end(),
                     [](const Qso& a, const Qso& b) { return a.minute < b.minute; });
}

bool Write(const Options& o, const std::string& own, const std::string& sentCounty,
           const std::vector<Qso>& qsos) {
    FILE* f = std::fopen(o.out.c_str(), "wb");
    if (f == nullptr) {
        std::fprintf(stderr, "yu_dx_log_generator: cannot write %s\n", o.out.c_str());
        return false;
    }
    std::fprintf(f,
                 "START-OF-LOG: 3.0\r\nCALLSIGN: %s\r\nCONTEST: DI-VE-RI\r\n"
                 "CATEGORY-OPERATOR: SINGLE-OP\r\nCATEGORY-ASSISTED: NON-ASSISTED\r\n"
                 "CATEGORY-BAND: ALL\r\nCATEGORY-MODE: MIXED\r\nCATEGORY-POWER: %s\r\n"
                 "CATEGORY-STATION: FIXED\r\nCATEGORY-TRANSMITTER: ONE\r\n"
                 "CREATED-BY: yu_dx_log_generator (seed %u)\r\nNAME: Example Operator\r\n"
                 "OPERATORS: %s\r\n",
                 own.c_str(), o.entrant ? "LOW" : "HIGH", o.seed, own.c_str());
    int serial = 0;
    for (const Qso& q : qsos) {
        char sent[16];
        if (sentCounty.empty()) {
            std::snprintf(sent, sizeof sent, "%03d", ++serial);
        } else {
            std::snprintf(sent, sizeof sent, "%s", sentCounty.c_str());
        }
        std::fprintf(f, "QSO: %5d %2s %s %-13s %-3s %-6s %-13s %-3s %s\r\n", q.khz, q.mode.c_str(),
                     FormatTime(q.minute).c_str(), own.c_str(), q.rstSent.c_str(), sent,
                     q.call.c_str(), q.rstRcvd.c_str(), q.exchRcvd.c_str());
    }
    std::fprintf(f, "END-OF-LOG:\r\n");
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--entrant") {
            o.entrant = true;
            o.qsos = 60;
        } else if (arg == "--qsos" && i + 1 < argc) {
            o.qsos = std::atoi(argv[++i]);
        } else if (arg == "--seed" && i + 1 < argc) {
            o.seed = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 10));
        } else if (arg == "--out" && i + 1 < argc) {
            o.out = argv[++i];
        } else {
            std::fprintf(stderr,
                         "usage: yu_dx_log_generator [--entrant] [--qsos N] [--seed S] "
                         "--out FILE\n");
            return 2;
        }
    }
    if (o.out.empty() || o.qsos < 1) {
        std::fprintf(stderr, "yu_dx_log_generator: --out FILE and a positive --qsos needed\n");
        return 2;
    }
    Random rnd(o.entrant ? o.seed + 1 : o.seed);
    const std::string own = o.entrant ? "YU1EXA" : "DL6EXA";
    const std::string sentCounty = o.entrant ? "BGD" : "";
    const size_t poolSize = std::max<size_t>(1400, static_cast<size_t>(o.qsos) * 6 / 10);
    const std::vector<Station> stations = MakeStations(rnd, poolSize, own);
    std::vector<Qso> qsos = MakeQsos(rnd, o, stations);
    AddMistakes(rnd, qsos, stations);
    return Write(o, own, sentCounty, qsos) ? 0 : 1;
}
