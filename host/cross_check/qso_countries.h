// The DXCC entity of every QSO's call in a contest, each distinct call
// resolved once: both plug-in passes and the lost multipliers read them
// instead of looking each call up again.
#pragma once

#include <cstddef>
#include <vector>

#include "host/cross_check/qso_calls.h"
#include "host/readers/country_file.h"

namespace host {

class QsoCountries {
  public:
    QsoCountries() = default;
    // Moved, never copied: the QSOs' entities point into the answers.
    QsoCountries(QsoCountries&&) = default;
    QsoCountries& operator=(QsoCountries&&) = default;
    QsoCountries(const QsoCountries&) = delete;
    QsoCountries& operator=(const QsoCountries&) = delete;
    // Resolves each distinct call of the QSOs once, half of them on each of
    // two threads.
    QsoCountries(const QsoCalls& calls, const CountryResolver& countries);

    // Each QSO's entity, log after log in the order of the logs, each log's
    // QSOs in order (the order of QsoTimes); null where the call names none.
    const Country* const* all() const { return ofQso_.data(); }

  private:
    std::vector<const Country*> ofQso_;
    // The answers, one per distinct call; ofQso_ points into them, and
    // they stay in place when the object moves.
    std::vector<Country> answers_;
};

}  // namespace host
