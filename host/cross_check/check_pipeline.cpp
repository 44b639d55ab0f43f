#include "host/cross_check/check_pipeline.h"

#include <algorithm>
#include <climits>
#include <utility>
#include <vector>

#include "host/cross_check/clock_offsets.h"
#include "host/cross_check/contest_lines.h"
#include "host/cross_check/matching.h"
#include "host/cross_check/pass_encoding.h"
#include "host/cross_check/pass_trail.h"
#include "host/cross_check/plugin_passes.h"
#include "host/cross_check/qso_countries.h"
#include "host/cross_check/qso_times.h"
#include "host/cross_check/worker_pool.h"
#include "host/one_log/contest_period.h"

namespace host {
namespace {

// Every line of the log in file order: its QSOs with their verdicts, the
// lines the reader could not use and the QSOs whose call cannot be a call.
// Each of the three comes in file order, so they are merged, not sorted.
void CollectLines(const EntrantLog& e, const Verdict* verdicts, const double* times,
                  const Country* const* countries, CheckedLog& out) {
    const std::vector<LogQso>& qsos = e.log.qsos;
    const std::vector<LogProblem>* const kinds[] = {&e.log.problems, &e.log.badCalls};
    const QsoStatus statuses[] = {QsoStatus::kUnreadable, QsoStatus::kBadCall};
    out.qsos.reserve(qsos.size() + kinds[0]->size() + kinds[1]->size());
    size_t q = 0;
    size_t next[2] = {0, 0};
    for (;;) {
        // The earliest line; of two on one line, a QSO before an unreadable
        // line before a bad call.
        int take = -1;  // -1: the QSO q
        int line = q < qsos.size() ? qsos[q].line : INT_MAX;
        for (int k = 0; k < 2; ++k) {
            if (next[k] < kinds[k]->size() && (*kinds[k])[next[k]].line < line) {
                take = k;
                line = (*kinds[k])[next[k]].line;
            }
        }
        CheckedQso checked;
        if (take < 0) {
            if (q == qsos.size()) {
                break;
            }
            checked.line = qsos[q].line;
            checked.qso = &qsos[q];
            checked.time = times[q];
            checked.country = countries[q];
            checked.verdict = verdicts[q];
            ++q;
        } else {
            const LogProblem& p = (*kinds[take])[next[take]++];
            checked.line = p.line;
            checked.reason = p.reason;
            checked.verdict.status = statuses[take];
        }
        out.qsos.push_back(std::move(checked));
    }
    // The merge needs each part in file order; should a reader ever hand one
    // over otherwise, the lines are still put in order.
    const auto byLine = [](const CheckedQso& a, const CheckedQso& b) { return a.line < b.line; };
    if (!std::is_sorted(out.qsos.begin(), out.qsos.end(), byLine)) {
        std::stable_sort(out.qsos.begin(), out.qsos.end(), byLine);
    }
    for (const CheckedQso& line : out.qsos) {
        ++out.counts[static_cast<size_t>(line.verdict.status)];
    }
}

}  // namespace

CheckedContest CheckContest(const ContestFolder& contest, const CheckSettings& s) {
    const std::vector<EntrantLog>& logs = contest.logs;
    CheckedContest result;
    const QsoCalls calls(logs);
    result.countries = QsoCountries(calls, *s.countries);
    const Country* const* countryOf = result.countries.all();
    s.stageDone("countries");

    // Each worker process loads the plug-in once, for all its logs.
    Plugin loaded;
    PassContext context;
    context.pluginPath = s.pluginPath;
    context.plugin = &loaded;
    context.folder = s.folder;
    context.countries = s.countries;
    context.rules = s.rules;

    // The times as logged pair the logs up to tell their clocks' offsets;
    // everything after reads the corrected times, and the period is told
    // from them.
    QsoTimes times(logs);
    ContestLines lines(logs, times.all(), calls);
    std::vector<int> offsetsFound;
    const std::vector<int> offsets = ClockOffsets(lines, logs.size(), s.timeWindow, &offsetsFound);
    times.Correct(offsets);
    lines.Retime(times.all());
    s.stageDone("offsets");
    context.period = ChoosePeriod(s.start, s.end, times.all(), {}, s.logsName, s.rules);
    s.periodChosen(context.period);
    const auto known = [&](size_t l) {
        return KnownOfQsos{times.Of(l), countryOf + times.First(l)};
    };

    // The longest logs first, so that the workers end together.
    std::vector<size_t> order(logs.size());
    for (size_t l = 0; l < order.size(); ++l) {
        order[l] = l;
    }
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) {
        return logs[a].log.qsos.size() > logs[b].log.qsos.size();
    });

    // The longest log is scored as claimed and as checked at once, on both
    // cores, once everything else is known (see PassTrail); its lines are
    // most of the time a long log takes. The other logs are scored as
    // claimed first, while the lines are paired up: the pairs need nothing
    // of the scoring, and this process would idle.
    const size_t longest = order.empty() ? logs.size() : order.front();
    const std::vector<size_t> others(order.begin() + (order.empty() ? 0 : 1), order.end());
    Matches matches;
    std::vector<ClaimedPass> claimed(logs.size());
    const std::vector<std::string> firstClaimed = RunJobs(
        others, s.folder,
        [&](size_t l) { return Encode(RunClaimedPass(context, logs[l], known(l))); },
        [&](size_t done) { s.progress("scored", done, logs.size()); },
        [&] { matches = MatchLines(lines, s.timeWindow); });
    for (size_t k = 0; k < others.size(); ++k) {
        claimed[others[k]] = DecodeClaimed(firstClaimed[k]);
    }
    s.stageDone("claimed");
    // The longest log's lines are judged once it is scored.
    std::vector<QsoStatus> scored(lines.lines().size(), QsoStatus::kCounted);
    const auto score = [&](size_t l) {
        for (size_t q = 0; q < claimed[l].status.size(); ++q) {
            scored[times.First(l) + q] = claimed[l].status[q];
        }
    };
    for (size_t l : others) {
        score(l);
    }
    std::vector<Verdict> verdicts(scored.size());
    const uint32_t longestFrom = static_cast<uint32_t>(times.First(std::min(longest, logs.size())));
    const uint32_t longestTo =
        static_cast<uint32_t>(longest < logs.size() ? times.First(longest + 1) : longestFrom);
    CrossCheckLines(lines, matches, logs, scored, 0, longestFrom, verdicts);
    CrossCheckLines(lines, matches, logs, scored, longestTo, static_cast<uint32_t>(scored.size()),
                    verdicts);
    s.stageDone("matching");

    // Each log's lines with their verdicts are put together while the
    // workers score what stands.
    result.rules = s.rules;
    result.period = context.period;
    result.timeWindow = s.timeWindow;
    result.keepUniques = s.keepUniques;
    result.skipped = contest.skipped;
    result.logs.resize(logs.size());
    const auto collect = [&](size_t l) {
        result.logs[l].entrant = &logs[l];
        CollectLines(logs[l], verdicts.data() + times.First(l), times.Of(l),
                     countryOf + times.First(l), result.logs[l]);
    };

    // The jobs: first the claimed pass of the longest log, by its number;
    // then the checked pass of each other log by its number, which the
    // other worker takes meanwhile; last the longest log's checked pass as
    // one more, run on the trail of its claimed pass. When the longest log
    // is long, the other logs are done by the time its claimed pass ends,
    // and that worker ends too: making its plug-in ready for another log
    // would cost the long log's size again.
    const size_t checkLongest = logs.size();
    std::vector<size_t> checkOrder;
    checkOrder.reserve(order.size() + 1);
    if (longest < logs.size()) {
        checkOrder.push_back(longest);
    }
    for (size_t l : others) {
        checkOrder.push_back(l);
    }
    if (longest < logs.size()) {
        checkOrder.push_back(checkLongest);
    }
    PassTrail trail(longest < logs.size() ? logs[longest].log.qsos.size() : 0);
    const auto followTrail = [&] {
        // A QSO's status is told in the order the claimed pass finds it:
        // those outside the period first, then the others as replayed.
        const size_t n = logs[longest].log.qsos.size();
        const PeriodSplit split = SplitTimes(context.period, times.Of(longest), n, false);
        std::vector<uint64_t> toldBy(n);
        uint64_t told = 0;
        for (size_t q : split.outside) {
            toldBy[q] = ++told;
        }
        for (size_t q : split.passed) {
            toldBy[q] = ++told;
        }
        const uint32_t from = static_cast<uint32_t>(times.First(longest));
        const ScoredOf scoredOf = [&](uint32_t line) { return trail.Of(line - from); };
        const GroupMatches groups(lines, matches, static_cast<uint32_t>(longest));
        return RunCheckedPass(context, logs[longest], known(longest), [&](size_t q) {
            const uint32_t line = from + static_cast<uint32_t>(q);
            uint64_t wait = toldBy[q];
            const ContestLines::Range matched = groups.Of(line);
            for (const uint32_t* j = matched.begin; j != matched.end; ++j) {
                wait = std::max(wait, toldBy[*j - from]);
            }
            // Behind the claimed pass, this pass waits until it is some way
            // ahead again rather than QSO by QSO.
            if (!trail.Told(wait) && !trail.WaitFor(std::min(told, wait + 256))) {
                throw JobAbandoned();
            }
            return Stands(JudgeLine(lines, matches, logs, scoredOf, line, &groups).status,
                          s.keepUniques);
        });
    };
    const std::vector<std::string> checkedFigures = RunJobs(
        checkOrder, s.folder,
        [&](size_t i) {
            if (i == longest) {
                try {
                    return Encode(
                        RunClaimedPass(context, logs[longest], known(longest),
                                       [&](size_t q, QsoStatus found) { trail.Tell(q, found); }));
                } catch (...) {
                    trail.Stop();
                    throw;
                }
            }
            if (i == checkLongest) {
                return Encode(followTrail());
            }
            const auto stands = [&](size_t q) {
                return Stands(verdicts[times.First(i) + q].status, s.keepUniques);
            };
            return Encode(RunCheckedPass(context, logs[i], known(i), stands));
        },
        [&](size_t done) { s.progress("checked", std::min(done, logs.size()), logs.size()); },
        [&] {
            for (size_t l : others) {
                collect(l);
            }
        },
        [&](size_t i) {
            if (i == longest) {
                trail.Stop();
            }
        },
        [&](size_t i) { return i == checkLongest ? longest : i; });
    if (longest < logs.size()) {
        claimed[longest] = DecodeClaimed(checkedFigures[0]);
        score(longest);
        CrossCheckLines(lines, matches, logs, scored, longestFrom, longestTo, verdicts);
        collect(longest);
    }
    s.linesReady(result);
    s.stageDone("checked");

    for (size_t k = 0; k < checkOrder.size(); ++k) {
        const size_t i = checkOrder[k];
        if (i != longest) {
            result.logs[i == checkLongest ? longest : i].checked = DecodeFigures(checkedFigures[k]);
        }
    }
    for (size_t l = 0; l < logs.size(); ++l) {
        CheckedLog& checked = result.logs[l];
        checked.entryBand = EntryBandOfLog(s.rules, logs[l]);
        checked.clockOffset = offsets[l];
        checked.clockOffsetFound = offsetsFound[l];
        checked.claimed = claimed[l].figures;
        checked.problems = std::move(claimed[l].problems);
    }
    s.stageDone("verdicts");
    return result;
}

}  // namespace host
