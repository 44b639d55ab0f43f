#include "bench/bench_log.h"

#include <cstdio>
#include <map>
#include <random>
#include <set>
#include <tuple>

namespace bench {
namespace {

struct Country {
    const char* prefix;
    const char* dxcc;
    const char* continent;
    int weight;
};

// Weighted roughly as a European contest log looks: many neighbours, some
// far stations, and a good share of YU stations, who carry the most points.
const Country kCountries[] = {
    {"DL", "DL", "EU", 14}, {"YU", "YU", "EU", 10},  {"YT", "YT", "EU", 3}, {"OK", "OK", "EU", 7},
    {"OM", "OM", "EU", 4},  {"SP", "SP", "EU", 7},   {"UA", "UA", "EU", 8}, {"UR", "UR", "EU", 4},
    {"9A", "9A", "EU", 4},  {"S5", "S5", "EU", 3},   {"HA", "HA", "EU", 5}, {"YO", "YO", "EU", 4},
    {"LZ", "LZ", "EU", 3},  {"I", "I", "EU", 5},     {"F", "F", "EU", 4},   {"G", "G", "EU", 4},
    {"EA", "EA", "EU", 3},  {"W", "K", "NA", 4},     {"K", "K", "NA", 3},   {"VE", "VE", "NA", 1},
    {"JA", "JA", "AS", 2},  {"UA9", "UA9", "AS", 2}, {"VK", "VK", "OC", 1}, {"PY", "PY", "SA", 1},
    {"LU", "LU", "SA", 1},  {"ZS", "ZS", "AF", 1},   {"CN", "CN", "AF", 1},
};

struct Band {
    const char* name;
    unsigned cwKHz;
    unsigned ssbKHz;
};

const Band kBands[] = {
    {"80m", 3510, 3700},   {"40m", 7010, 7080},   {"20m", 14010, 14150},
    {"15m", 21010, 21200}, {"10m", 28010, 28400},
};
constexpr size_t kBandCount = sizeof kBands / sizeof kBands[0];
const char* const kModes[] = {"CW", "SSB"};

const char* const kCounties[] = {"BGD", "BOR", "BRA", "JAB", "JBB", "JBN", "KMO", "KOL",
                                 "KOS", "KPO", "MAC", "MOR", "NIS", "PCI", "PEC", "PIR",
                                 "POD", "POM", "PRI", "RAN", "RAS", "SBB", "SBN", "SBT",
                                 "SRM", "SUM", "TOP", "ZAJ", "ZBB", "ZLA"};
constexpr size_t kCountyCount = sizeof kCounties / sizeof kCounties[0];

struct Station {
    std::string call;
    const Country* country;
    std::string county;  // empty: sends a serial number
    int sent = 0;        // serial numbers this station has sent
};

bool IsYu(const Country& c) {
    return std::string(c.dxcc) == "YU" || std::string(c.dxcc) == "YT";
}

std::string Serial(long n) {
    char text[16];
    std::snprintf(text, sizeof text, "%03ld", n % 10000);
    return text;
}

std::vector<Station> MakeStations(size_t count, std::mt19937& random) {
    std::vector<int> weights;
    for (const Country& c : kCountries) {
        weights.push_back(c.weight);
    }
    std::discrete_distribution<size_t> country(weights.begin(), weights.end());
    std::uniform_int_distribution<int> letter('A', 'Z');
    std::uniform_int_distribution<int> digit(0, 9);
    std::uniform_int_distribution<size_t> suffixLength(1, 3);
    std::uniform_int_distribution<size_t> county(0, kCountyCount - 1);
    std::uniform_int_distribution<int> percent(0, 99);

    std::set<std::string> taken;
    std::vector<Station> stations;
    while (stations.size() < count) {
        Station s;
        s.country = &kCountries[country(random)];
        s.call = s.country->prefix + std::to_string(digit(random));
        for (size_t i = suffixLength(random); i > 0; --i) {
            s.call += static_cast<char>(letter(random));
        }
        if (!taken.insert(s.call).second) {
            continue;
        }
        // About one YU station in fifty sends its serial number instead.
        if (IsYu(*s.country) && percent(random) >= 2) {
            s.county = kCounties[county(random)];
        }
        stations.push_back(s);
    }
    return stations;
}

}  // namespace

host::ContestRun BenchRun() {
    host::ContestRun run;
    run.ownCall = "DL1XYZ";
    run.start = host::MakeDate(2026, 12, 5, 12, 0);
    run.end = host::MakeDate(2026, 12, 6, 12, 0);
    run.ownDxcc = "DL";
    run.ownContinent = "EU";
    return run;
}

std::string BenchBadQsoFileName() {
    return "BadQSO_DozudODODER_06_12_2026.txt";
}

BenchLog MakeBenchLog(size_t qsoCount) {
    std::mt19937 random(static_cast<std::mt19937::result_type>(qsoCount));
    std::vector<Station> stations = MakeStations(qsoCount / 4 + 100, random);
    std::uniform_int_distribution<size_t> station(0, stations.size() - 1);
    std::uniform_int_distribution<size_t> band(0, kBandCount - 1);
    std::uniform_int_distribution<size_t> mode(0, 1);
    std::uniform_int_distribution<int> percent(0, 99);

    // (station, band, mode) of every QSO so far, and how often each occurs.
    using Key = std::tuple<size_t, size_t, size_t>;
    std::vector<Key> keys;
    std::map<Key, int> uses;

    BenchLog log;
    const double startDays = BenchRun().start.m_dt;
    const double stepDays = 86400.0 / static_cast<double>(qsoCount) / 86400.0;
    for (size_t i = 0; i < qsoCount; ++i) {
        Key key;
        if (!keys.empty() && percent(random) < 3) {
            key = keys[std::uniform_int_distribution<size_t>(0, keys.size() - 1)(random)];
        } else {
            do {
                key = Key{station(random), band(random), mode(random)};
            } while (uses.count(key) != 0);
        }
        keys.push_back(key);
        ++uses[key];

        Station& s = stations[std::get<0>(key)];
        const Band& b = kBands[std::get<1>(key)];
        const bool cw = std::get<2>(key) == 0;
        host::QsoFields q;
        q.ownCall = "DL1XYZ";
        q.call = s.call;
        q.time.m_dt = startDays + stepDays * static_cast<double>(i);
        q.frequencyHz = (cw ? b.cwKHz : b.ssbKHz) * 1000 + static_cast<unsigned>(i % 40) * 1000;
        q.mode = kModes[std::get<2>(key)];
        q.rstSent = cw ? "599" : "59";
        q.rstRcvd = q.rstSent;
        q.exchSent = Serial(static_cast<long>(i) + 1);
        q.exchRcvd = s.county.empty() ? Serial(++s.sent) : s.county;
        q.dxcc = s.country->dxcc;
        q.continent = s.country->continent;
        q.band = b.name;
        log.qsos.push_back(q);
    }

    // The middle QSO: the first one from the centre on whose key is unique
    // and which is clean.
    for (size_t i = qsoCount / 2; i < qsoCount; ++i) {
        const Station& s = stations[std::get<0>(keys[i])];
        if (uses[keys[i]] == 1 && (!IsYu(*s.country) || !s.county.empty())) {
            log.middle = i;
            break;
        }
    }

    const host::QsoFields& known = log.qsos[log.middle];
    const size_t knownStation = std::get<0>(keys[log.middle]);
    log.knownCall.call = known.call;
    log.knownCall.dxcc = known.dxcc;
    // A band and mode the middle QSO's station was not worked on.
    for (size_t m = 0; m < 2 && log.knownCall.band == nullptr; ++m) {
        for (size_t b = 0; b < kBandCount && log.knownCall.band == nullptr; ++b) {
            if (uses.count(Key{knownStation, b, m}) == 0) {
                log.knownCall.band = kBands[b].name;
                log.knownCall.mode = kModes[m];
            }
        }
    }
    log.knownCall.secondBand = log.knownCall.band;

    log.dupeCall.call = known.call;
    log.dupeCall.dxcc = known.dxcc;
    log.dupeCall.mode = known.mode;
    log.dupeCall.band = kBands[std::get<1>(keys[log.middle])].name;
    log.dupeCall.secondBand = log.dupeCall.band;

    log.newCall.call = "YU9NEWX";  // generated suffixes have at most three letters
    log.newCall.dxcc = "YU";
    log.newCall.mode = "SSB";
    log.newCall.band = "20m";
    log.newCall.secondBand = "20m";
    return log;
}

const BenchLog& CachedBenchLog(size_t qsoCount) {
    static std::map<size_t, BenchLog> logs;
    auto found = logs.find(qsoCount);
    if (found == logs.end()) {
        found = logs.emplace(qsoCount, MakeBenchLog(qsoCount)).first;
    }
    return found->second;
}

}  // namespace bench
