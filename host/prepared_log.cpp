#include "host/prepared_log.h"

#include <filesystem>
#include <iostream>

#include "host/contest_period.h"
#include "host/country_file.h"
#include "host/host_error.h"

namespace host {

void LoadCountries(const std::string& path, CountryResolver& countries) {
    std::error_code ignored;
    if (!std::filesystem::exists(path, ignored)) {
        throw InputError(path +
                         ": country file missing; install it with "
                         "'apt-get install hamradio-files' or name one with --cty");
    }
    std::string error;
    if (!countries.LoadFile(path, error)) {
        throw InputError(error);
    }
}

PreparedLog PrepareLog(const Options& o) {
    PreparedLog p;
    std::string error;
    if (!ReadLogFile(o.log, p.log, error)) {
        throw InputError(error);
    }
    for (const std::string& problem : p.log.problems) {
        std::cerr << problem << " (skipped)\n";
    }
    CountryResolver countries;
    LoadCountries(o.cty, countries);

    std::string ownCall = o.call;
    if (ownCall.empty()) {
        ownCall = p.log.ownCall;
    }
    if (ownCall.empty() && !p.log.qsos.empty()) {
        ownCall = p.log.qsos.front().ownCall;
    }
    if (ownCall.empty()) {
        throw InputError(o.log + ": the log names no own call; give it with --call");
    }
    p.run.ownCall = ownCall;
    Country own;
    if (countries.Resolve(ownCall, own)) {
        p.run.ownDxcc = own.prefix;
        p.run.ownContinent = own.continent;
    } else {
        p.unresolved.insert(ownCall);
    }

    std::vector<double> times;
    times.reserve(p.log.qsos.size());
    p.qsos.reserve(p.log.qsos.size());
    for (const LogQso& q : p.log.qsos) {
        QsoFields f;
        f.ownCall = !o.call.empty() || q.ownCall.empty() ? ownCall : q.ownCall;
        f.call = q.call;
        f.time = MakeDate(q.time.year, q.time.month, q.time.day, q.time.hour, q.time.minute,
                          q.time.second);
        f.frequencyHz = q.frequencyHz;
        f.mode = q.mode;
        f.band = q.band;
        f.rstSent = q.rstSent;
        f.rstRcvd = q.rstRcvd;
        f.exchSent = q.exchSent;
        f.exchRcvd = q.exchRcvd;
        Country c;
        if (countries.Resolve(q.call, c)) {
            f.dxcc = c.prefix;
            f.continent = c.continent;
        } else {
            p.unresolved.insert(q.call);
        }
        times.push_back(f.time.m_dt);
        p.qsos.push_back(f);
    }

    const ContestPeriod period = ChoosePeriod(o.start, o.end, times, o.log);
    p.run.start = period.start;
    p.run.end = period.end;
    return p;
}

}  // namespace host
