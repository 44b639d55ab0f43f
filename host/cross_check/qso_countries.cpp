#include "host/cross_check/qso_countries.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include "host/run_beside.h"

namespace host {
namespace {

// Resolves the calls of the contest's QSOs [from, to), counted log after
// log: each distinct call once into answers, and each QSO's entity into
// ofQso[i - from].
void ResolvePart(const std::vector<EntrantLog>& logs, size_t from, size_t to,
                 const CountryResolver& countries, std::vector<Country>& answers,
                 const Country** ofQso) {
    std::unordered_map<std::string_view, uint32_t> seen;
    std::vector<const std::string*> calls;
    std::vector<uint32_t> place;
    place.reserve(to - from);
    size_t first = 0;  // the contest's number of the log's first QSO
    for (const EntrantLog& e : logs) {
        const std::vector<LogQso>& qsos = e.log.qsos;
        for (size_t q = from > first ? from - first : 0; q < qsos.size() && first + q < to; ++q) {
            const auto added = seen.emplace(qsos[q].call, static_cast<uint32_t>(calls.size()));
            if (added.second) {
                calls.push_back(&qsos[q].call);
            }
            place.push_back(added.first->second);
        }
        first += qsos.size();
    }
    answers.resize(calls.size());
    std::vector<char> found(calls.size());
    for (size_t c = 0; c < calls.size(); ++c) {
        found[c] = countries.Resolve(*calls[c], answers[c]) ? 1 : 0;
    }
    for (size_t i = 0; i < place.size(); ++i) {
        ofQso[i] = found[place[i]] != 0 ? &answers[place[i]] : nullptr;
    }
}

}  // namespace

QsoCountries::QsoCountries(const std::vector<EntrantLog>& logs, const CountryResolver& countries) {
    size_t total = 0;
    for (const EntrantLog& e : logs) {
        total += e.log.qsos.size();
    }
    ofQso_.resize(total);
    // The QSOs are halved, not the logs: one log may hold most of them.
    const size_t middle = total / 2;
    RunBeside(
        [&] { ResolvePart(logs, middle, total, countries, answers_[1], ofQso_.data() + middle); },
        [&] { ResolvePart(logs, 0, middle, countries, answers_[0], ofQso_.data()); });
}

}  // namespace host
