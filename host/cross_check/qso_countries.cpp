#include "host/cross_check/qso_countries.h"

#include "host/run_beside.h"

namespace host {

QsoCountries::QsoCountries(const QsoCalls& calls, const CountryResolver& countries) {
    const std::vector<const std::string*>& distinct = calls.calls();
    answers_.resize(distinct.size());
    std::vector<char> found(distinct.size());
    // Each distinct call once, half of them on each of two threads.
    const auto resolve = [&](size_t from, size_t to) {
        for (size_t c = from; c < to; ++c) {
            found[c] = countries.Resolve(*distinct[c], answers_[c]) ? 1 : 0;
        }
    };
    const size_t middle = distinct.size() / 2;
    RunBeside([&] { resolve(middle, distinct.size()); }, [&] { resolve(0, middle); });
    const std::vector<uint32_t>& ofQso = calls.ofQso();
    ofQso_.resize(ofQso.size());
    for (size_t i = 0; i < ofQso.size(); ++i) {
        ofQso_[i] = found[ofQso[i]] != 0 ? &answers_[ofQso[i]] : nullptr;
    }
}

}  // namespace host
