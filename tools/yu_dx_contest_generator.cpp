// Writes a whole YU DX contest made up from a fixed seed: the Cabrillo log of
// every station that sends one, and an answer file with what a cross-check
// must find for each QSO line. Each QSO is logged by both sides as heard,
// with faults whose answers are known: calls and exchanges copied wrong, QSOs
// one side did not log, stations that send no log, logs whose clock runs a
// constant amount off, a minute of jitter, dupes, stations signing /P.
//
//   yu_dx_contest_generator --out DIR [--stations N] [--qsos N] [--seed S]
//                           [--answers FILE]
//
// The answer file has one line per QSO line of every log written:
// FILE <tab> LINE <tab> STATUS <tab> DETAIL (the busted call's real station).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "tools/yu_counties.h"

namespace {

class Random {
  public:
    explicit Random(uint32_t seed) : engine_(seed) {}
    int Below(int n) { return static_cast<int>(engine_() % static_cast<uint32_t>(n)); }
    bool Chance(int perMille) { return Below(1000) < perMille; }

  private:
    std::mt19937 engine_;
};

const char* const kPrefixes[] = {"DL", "OK", "SP", "HA", "S5", "9A", "OE", "I",  "F",
                                 "G",  "EA", "PA", "ON", "LZ", "YO", "UR", "OH", "SM"};
const int kCwKhz[] = {3520, 7020, 14020, 21020, 28020};
const int kSsbKhz[] = {3720, 7120, 14220, 21220, 28420};
// Header lines before the first QSO line.
const int kHeaderLines = 6;

struct Station {
    std::string call;  // as it signs
    bool yu = false;
    bool sendsLog = true;
    int clockOffset = 0;  // minutes its log's clock runs fast
    bool portable = false;
};

// Calls are kept at least two characters apart, so that a one-character
// slip points at exactly one station.
class CallSpace {
  public:
    // Whether a call is, or is within one character of, a station other
    // than except (conservatively: sharing a deletion variant counts).
    bool Near(const std::string& call, const std::string& except = "") const {
        auto other = [&](const std::string& station) { return station != except; };
        if (calls_.count(call) && other(call)) {
            return true;
        }
        auto sharedBy = [&](const std::string& variant) {
            const auto found = variants_.find(variant);
            if (found == variants_.end()) {
                return false;
            }
            return std::any_of(found->second.begin(), found->second.end(), other);
        };
        if (sharedBy(call)) {
            return true;
        }
        for (size_t i = 0; i < call.size(); ++i) {
            const std::string v = call.substr(0, i) + call.substr(i + 1);
            if ((calls_.count(v) && other(v)) || sharedBy(v)) {
                return true;
            }
            if (i + 1 < call.size() && call[i] != call[i + 1]) {
                std::string swapped = call;
                std::swap(swapped[i], swapped[i + 1]);
                if (calls_.count(swapped) && other(swapped)) {
                    return true;
                }
            }
        }
        return false;
    }
    void Add(const std::string& call) {
        calls_.insert(call);
        for (size_t i = 0; i < call.size(); ++i) {
            variants_[call.substr(0, i) + call.substr(i + 1)].push_back(call);
        }
    }

  private:
    std::set<std::string> calls_;
    std::map<std::string, std::vector<std::string>> variants_;
};

std::string MakeCall(Random& rnd, bool yu) {
    std::string call = yu ? (rnd.Chance(700) ? "YU" : "YT") : kPrefixes[rnd.Below(18)];
    call += static_cast<char>('0' + rnd.Below(10));
    for (int i = 0; i < 3; ++i) {
        call += static_cast<char>('A' + rnd.Below(26));
    }
    return call;
}

// One side's record of a QSO.
struct Entry {
    int station = 0;  // who logged it
    int other = 0;    // who was worked
    int minute = 0;   // true time from the contest start
    int band = 0;
    bool cw = true;
    std::string callLogged;
    std::string exchangeFault;  // what was copied instead of the sent exchange
    int jitter = 0;
    std::string answer;  // the status, or "" to be told from the other side
    std::string detail;
    int serialSent = 0;
    int pairId = 0;
    bool dupe = false;
};

struct Options {
    int stations = 40;
    int qsos = 120;  // per station, about
    uint32_t seed = 20260214;
    std::string out;
    std::string answers;
};

// The call as busted: always another call. Swapping two equal neighbours
// would leave it as it is, so such a swap changes the last letter instead.
std::string Busted(Random& rnd, const std::string& call) {
    std::string b = call;
    const size_t last = b.size() - 1;
    int kind = rnd.Below(4);
    if (kind == 3 && b[last] == b[last - 1]) {
        kind = 0;
    }
    switch (kind) {
        case 0:  // a letter changed
            b[last] = static_cast<char>(b[last] == 'Z' ? 'A' : b[last] + 1);
            break;
        case 1:  // a letter added
            b += static_cast<char>('A' + rnd.Below(26));
            break;
        case 2:  // a letter dropped
            b.erase(last, 1);
            break;
        default:  // two neighbours swapped
            std::swap(b[last], b[last - 1]);
            break;
    }
    return b;
}

std::string Time(int minute) {
    const int total = 12 * 60 + minute;
    char text[32];
    std::snprintf(text, sizeof text, "2026-02-%02d %02d%02d", 14 + total / 1440, total / 60 % 24,
                  total % 60);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        if (arg == "--stations") {
            o.stations = std::atoi(argv[i + 1]);
        } else if (arg == "--qsos") {
            o.qsos = std::atoi(argv[i + 1]);
        } else if (arg == "--seed") {
            o.seed = static_cast<uint32_t>(std::strtoul(argv[i + 1], nullptr, 10));
        } else if (arg == "--out") {
            o.out = argv[i + 1];
        } else if (arg == "--answers") {
            o.answers = argv[i + 1];
        }
    }
    if (o.out.empty() || o.stations < 10 || o.qsos < 10 || argc % 2 == 0) {
        std::fprintf(stderr,
                     "usage: yu_dx_contest_generator --out DIR [--stations N (10 or more)] "
                     "[--qsos N] [--seed S] [--answers FILE]\n");
        return 2;
    }
    if (o.answers.empty()) {
        o.answers = o.out + "/answers.tsv";
    }
    Random rnd(o.seed);
    CallSpace space;
    std::vector<Station> stations;
    while (static_cast<int>(stations.size()) < o.stations) {
        Station s;
        s.yu = rnd.Chance(150);
        s.call = MakeCall(rnd, s.yu);
        if (space.Near(s.call)) {
            continue;
        }
        space.Add(s.call);
        const size_t n = stations.size();
        s.sendsLog = n % 10 != 9;                                 // one in ten sends no log
        s.clockOffset = n % 17 == 3 ? 10 : n % 17 == 8 ? -7 : 0;  // a few clocks off
        s.portable = n % 13 == 5;
        stations.push_back(s);
    }

    // The QSOs, each logged by both sides unless a fault says otherwise.
    std::vector<Entry> entries;
    std::set<std::string> worked;  // "a b band mode"
    const long total = static_cast<long>(o.qsos) * o.stations / 2;
    int pairId = 0;
    for (long k = 0; k < total; ++k) {
        const int a = rnd.Below(o.stations);
        const int b = rnd.Below(o.stations);
        const int band = rnd.Below(5);
        const bool cw = rnd.Chance(550);
        const std::string key = std::to_string(std::min(a, b)) + " " +
                                std::to_string(std::max(a, b)) + " " + std::to_string(band) +
                                (cw ? "C" : "S");
        if (a == b || !worked.insert(key).second) {
            continue;
        }
        // Two QSOs of one pair keep apart in time, so each side's lines pair
        // up unambiguously.
        const int minute = 5 + rnd.Below(24 * 60 - 10);
        Entry e[2];
        ++pairId;
        for (int side = 0; side < 2; ++side) {
            e[side].station = side == 0 ? a : b;
            e[side].other = side == 0 ? b : a;
            e[side].minute = minute;
            e[side].band = band;
            e[side].cw = cw;
            e[side].callLogged = stations[static_cast<size_t>(e[side].other)].call;
            e[side].pairId = pairId;
        }
        e[1].jitter = rnd.Chance(200) ? (rnd.Chance(500) ? 1 : -1) : 0;
        const int fault = rnd.Below(1000);
        const Station& heard = stations[static_cast<size_t>(b)];
        if (fault < 20) {
            const std::string bust = Busted(rnd, heard.call);
            if (!space.Near(bust, heard.call)) {
                e[0].callLogged = bust;
                e[0].answer = heard.sendsLog ? "busted-call" : "";
                e[0].detail = heard.sendsLog ? heard.call + (heard.portable ? "/P" : "") : "";
            }
        } else if (fault < 40) {
            e[0].exchangeFault = heard.yu ? tools::kCounties[rnd.Below(tools::kCountyCount)] : "X";
        }
        const bool aMissesIt = fault >= 40 && fault < 55;
        for (int side = 0; side < 2; ++side) {
            if (stations[static_cast<size_t>(e[side].station)].sendsLog &&
                !(side == 1 && aMissesIt)) {
                entries.push_back(e[side]);
            }
        }
        // Now and then a station logs a QSO twice.
        if (fault >= 990 && stations[static_cast<size_t>(a)].sendsLog) {
            Entry again = e[0];
            again.minute = std::min(24 * 60 - 2, minute + 30);
            again.answer = "dupe";
            again.exchangeFault.clear();
            again.dupe = true;
            entries.push_back(again);
        }
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& x, const Entry& y) {
        return x.station != y.station ? x.station < y.station : x.minute < y.minute;
    });
    // Serials in each log's time order; what the other side heard follows.
    std::map<int, int> serialOfPair;  // pair * 2 + side -> the serial that side sent
    std::vector<int> next(stations.size(), 0);
    for (Entry& e : entries) {
        e.serialSent = ++next[static_cast<size_t>(e.station)];
        if (!e.dupe) {
            serialOfPair[e.pairId * 2 + (e.station < e.other ? 0 : 1)] = e.serialSent;
        }
    }
    // Which logs hold each call as logged: a station without a log is
    // no-log when two logs or more worked it, else unique.
    std::map<std::string, std::set<int>> loggedBy;
    for (const Entry& e : entries) {
        loggedBy[e.callLogged].insert(e.station);
    }
    std::map<std::pair<int, int>, bool> heardBack;  // (station, pair) logged by the other
    for (const Entry& e : entries) {
        if (!e.dupe) {
            heardBack[{e.station, e.pairId}] = true;
        }
    }

    // The contest's folder is made when it is missing, as the README's
    // example expects.
    std::error_code made;
    std::filesystem::create_directories(o.out, made);
    const std::filesystem::path answersFolder = std::filesystem::path(o.answers).parent_path();
    if (!answersFolder.empty()) {
        std::filesystem::create_directories(answersFolder, made);
    }
    FILE* answers = std::fopen(o.answers.c_str(), "wb");
    if (answers == nullptr) {
        std::fprintf(stderr, "yu_dx_contest_generator: cannot write %s\n", o.answers.c_str());
        return 1;
    }
    size_t at = 0;
    for (size_t s = 0; s < stations.size(); ++s) {
        const Station& st = stations[s];
        if (!st.sendsLog) {
            continue;
        }
        const std::string own = st.call + (st.portable ? "/P" : "");
        const std::string file = st.call + ".log";
        FILE* f = std::fopen((o.out + "/" + file).c_str(), "wb");
        if (f == nullptr) {
            std::fprintf(stderr, "yu_dx_contest_generator: cannot write into %s\n", o.out.c_str());
            return 1;
        }
        std::fprintf(f,
                     "START-OF-LOG: 3.0\nCALLSIGN: %s\nCONTEST: DI-VE-RI\n"
                     "CATEGORY-OPERATOR: %s\nCATEGORY-MODE: MIXED\n"
                     "CREATED-BY: yu_dx_contest_generator (seed %u)\n",
                     own.c_str(), s % 4 == 0 ? "MULTI-OP" : "SINGLE-OP", o.seed);
        int line = kHeaderLines;
        for (; at < entries.size() && entries[at].station == static_cast<int>(s); ++at) {
            const Entry& e = entries[at];
            const Station& other = stations[static_cast<size_t>(e.other)];
            const std::string sent =
                st.yu ? tools::kCounties[s % tools::kCountyCount] : std::to_string(e.serialSent);
            std::string received;
            if (other.yu) {
                received = tools::kCounties[static_cast<size_t>(e.other) % tools::kCountyCount];
            } else {
                const auto serial =
                    e.dupe ? serialOfPair.end()
                           : serialOfPair.find(e.pairId * 2 + (e.other < e.station ? 0 : 1));
                received = serial != serialOfPair.end() ? std::to_string(serial->second)
                                                        : std::to_string(1 + e.minute / 3);
            }
            std::string answer = e.answer;
            std::string detail = e.detail;
            if (!e.exchangeFault.empty() && other.sendsLog) {
                const std::string copied = e.exchangeFault == "X"
                                               ? std::to_string(std::stoi(received) + 1)
                                               : e.exchangeFault;
                if (copied != received) {
                    answer = "busted-exchange";
                    detail = received;
                    received = copied;
                }
            }
            if (answer.empty()) {
                if (other.sendsLog) {
                    answer = heardBack.count({e.other, e.pairId}) ? "ok" : "nil";
                } else {
                    answer = loggedBy[e.callLogged].size() >= 2 ? "no-log" : "unique";
                }
            }
            if (answer != "busted-exchange") {
                detail = answer == "busted-call" ? detail : "";
            }
            const bool portableLogged = other.portable && e.pairId % 2 == 0;
            const std::string call = e.callLogged + (portableLogged ? "/P" : "");
            const int khz = (e.cw ? kCwKhz : kSsbKhz)[e.band] + e.minute % 40;
            const int logged =
                std::max(-60, std::min(24 * 60 + 60, e.minute + st.clockOffset + e.jitter));
            std::fprintf(f, "QSO: %5d %s %s %-13s %-3s %-5s %-13s %-3s %s\n", khz,
                         e.cw ? "CW" : "PH", Time(logged).c_str(), own.c_str(), e.cw ? "599" : "59",
                         sent.c_str(), call.c_str(), e.cw ? "599" : "59", received.c_str());
            std::fprintf(answers, "%s\t%d\t%s\t%s\n", file.c_str(), ++line, answer.c_str(),
                         detail.c_str());
        }
        std::fprintf(f, "END-OF-LOG:\n");
        if (std::fclose(f) != 0) {
            return 1;
        }
    }
    return std::fclose(answers) == 0 ? 0 : 1;
}
