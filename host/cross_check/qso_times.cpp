#include "host/cross_check/qso_times.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "host/plugin_host/plugin_loader.h"
#include "host/run_beside.h"
#include "platform/ole_date.h"

namespace host {

QsoTimes::QsoTimes(const std::vector<EntrantLog>& logs) {
    first_.reserve(logs.size() + 1);
    first_.push_back(0);
    for (const EntrantLog& e : logs) {
        first_.push_back(first_.back() + e.log.qsos.size());
    }
    days_.resize(first_.back());
    // Half the QSOs on each core, cut by QSOs, not by logs, so that one
    // long log is shared too.
    auto work = [&](size_t from, size_t to) {
        size_t l = static_cast<size_t>(std::upper_bound(first_.begin(), first_.end(), from) -
                                       first_.begin() - 1);
        for (size_t i = from; i < to; ++i) {
            while (i >= first_[l + 1]) {
                ++l;
            }
            const LogTime& t = logs[l].log.qsos[i - first_[l]].time;
            days_[i] = MakeDate(t.year, t.month, t.day, t.hour, t.minute, t.second).m_dt;
        }
    };
    const size_t total = days_.size();
    RunBeside([&] { work(total / 2, total); }, [&] { work(0, total / 2); });
}

void QsoTimes::Correct(const std::vector<int>& offsetMinutes) {
    for (size_t l = 0; l + 1 < first_.size(); ++l) {
        if (offsetMinutes[l] == 0) {
            continue;
        }
        // Day counts before the epoch run backwards within the day; the
        // shift is taken on the linear scale.
        const double shift = offsetMinutes[l] / 1440.0;
        for (size_t i = first_[l]; i < first_[l + 1]; ++i) {
            days_[i] = plat::OleDateFromLinear(plat::OleDateLinear(days_[i]) - shift);
        }
    }
}

int32_t MinuteOf(double day) {
    const double seconds = std::round(plat::OleDateLinear(day) * 86400.0);
    const double minute = std::floor(seconds / 60.0);
    const double last = std::numeric_limits<int32_t>::max();
    const double first = std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(minute > last ? last : minute < first ? first : minute);
}

}  // namespace host
