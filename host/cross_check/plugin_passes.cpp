#include "host/cross_check/plugin_passes.h"

#include "host/one_log/category.h"
#include "host/one_log/prepared_log.h"
#include "host/one_log/reports.h"
#include "host/one_log/rules_choice.h"
#include "host/plugin_host/run_folder.h"
#include "host/plugin_host/session.h"
#include "host/plugin_host/summary_text.h"

namespace host {
namespace {

// One log made ready for a pass, as score makes it, with the times and
// countries given and in the period given. Its QSOs are made one at a time
// as they are handed over, never all at once: a long log would otherwise
// hold a second copy of itself.
struct PassLog {
    PassLog(const PassContext& c, const EntrantLog& e, KnownOfQsos known)
        : split(SplitTimes(c.period, known.times, e.log.qsos.size(), false)),
          maker(e.log.qsos, *c.countries, e.call, false, known) {
        SetOwnStation(run, *c.countries, e.call, nullptr);
        run.start = c.period.start;
        run.end = c.period.end;
    }
    const QsoFields& Made(size_t i) {
        maker.Make(i, made);
        return made;
    }

    PeriodSplit split;
    QsoMaker maker;
    ContestRun run;
    QsoFields made;  // the QSO made last
};

SessionSetup Setup(const PassContext& c, PassLog& p, const std::vector<size_t>& handed) {
    // Each worker runs in a folder of its own, whose settings choose the
    // rules the plug-in starts each run with.
    ChooseRulesInFolder(c.rules);
    SessionSetup setup;
    setup.pluginPath = c.pluginPath;
    setup.hostFolder = c.folder;
    setup.run = p.run;
    setup.qsoCount = handed.size();
    setup.qsoAt = [&p, &handed](size_t k) -> const QsoFields& { return p.Made(handed[k]); };
    return setup;
}

// The summary's rows with a zero row for each of the contest's bands it does
// not list (it lists the bands worked), all in its order: longest first.
std::vector<SummaryBand> ContestBands(const std::vector<SummaryBand>& worked) {
    std::vector<SummaryBand> out;
    size_t next = 0;
    for (const char* name : kContestBandNames) {
        size_t at = next;
        while (at < worked.size() && worked[at].band != name) {
            ++at;
        }
        if (at == worked.size()) {
            out.emplace_back();
            out.back().band = name;
            continue;
        }
        out.insert(out.end(), worked.begin() + static_cast<long>(next),
                   worked.begin() + static_cast<long>(at) + 1);
        next = at + 1;
    }
    out.insert(out.end(), worked.begin() + static_cast<long>(next), worked.end());
    return out;
}

// The entry's figures: every band's, or a single-band entry's band alone
// (its QSOs on other bands were still replayed, and still matched).
PassFigures Figures(const std::string& summary, const std::string& entryBand) {
    const SummaryFigures f = ReadSummary(summary);
    PassFigures out;
    out.qsos = f.totals.qsos;
    out.points = f.totals.points;
    out.multipliers = f.totals.dxcc + f.totals.counties;
    out.score = f.score;
    out.bands = ContestBands(f.bands);
    if (!entryBand.empty()) {
        out = PassFigures();
        for (const SummaryBand& b : ContestBands(f.bands)) {
            out.bands.push_back(b.band == entryBand ? b : SummaryBand());
            out.bands.back().band = b.band;
            if (b.band == entryBand) {
                out.qsos = b.qsos;
                out.points = b.points;
                out.multipliers = b.dxcc + b.counties;
            }
        }
        out.score = EntryScore(f, entryBand);
    }
    return out;
}

}  // namespace

std::string EntryBandOfLog(RuleSet rules, const EntrantLog& e) {
    // The band of the category the log is ranked in.
    return EntryBandUnder(rules, CategoryBandOf(CategoryOfLog(e.log.headerFields, false),
                                                CategoryBand({}, e.categories)));
}

namespace {

// A replayed QSO's status: the first of its problems that makes one.
QsoStatus StatusOfReasons(ProblemMask reasons) {
    for (size_t kind = 0; kind < kProblemKinds; ++kind) {
        const QsoStatus s = StatusOfProblem(static_cast<ProblemKind>(kind));
        if ((reasons & MaskOf(static_cast<ProblemKind>(kind))) != 0 && s != QsoStatus::kCounted) {
            return s;
        }
    }
    return QsoStatus::kCounted;
}

}  // namespace

ClaimedPass RunClaimedPass(const PassContext& c, const EntrantLog& e, KnownOfQsos known,
                           const StatusFound& found) {
    PassLog p(c, e, known);
    const std::vector<size_t>& passed = p.split.passed;
    ClaimedPass out;
    out.status.assign(e.log.qsos.size(), QsoStatus::kCounted);
    for (size_t i : p.split.outside) {
        out.status[i] = QsoStatus::kOutsidePeriod;
        if (found) {
            found(i, QsoStatus::kOutsidePeriod);
        }
    }
    SessionSetup setup = Setup(c, p, passed);
    Session* replaying = nullptr;
    setup.progress = [&](size_t done) {
        const size_t k = done - 1;
        out.status[passed[k]] = StatusOfReasons(replaying->Reasons(k));
        if (found) {
            found(passed[k], out.status[passed[k]]);
        }
    };
    Session session(std::move(setup), *c.plugin);
    replaying = &session;
    session.Replay();
    out.figures = Figures(session.Result(), EntryBandOfLog(c.rules, e));
    ProblemList problems = CollectProblems(
        e.log, p.split.outside, passed, [&p](size_t i) -> const QsoFields& { return p.Made(i); },
        [&p](size_t i) { return p.maker.WithoutCountry(i); }, session);
    out.problems = problems.Sorted();
    return out;
}

PassFigures RunCheckedPass(const PassContext& c, const EntrantLog& e, KnownOfQsos known,
                           const std::function<bool(size_t qso)>& stands) {
    PassLog p(c, e, known);
    const std::vector<size_t>& passed = p.split.passed;
    SessionSetup setup = Setup(c, p, passed);
    setup.reasons = false;
    setup.take = [&](size_t k) { return stands(passed[k]); };
    Session session(std::move(setup), *c.plugin);
    session.Replay();
    return Figures(session.Result(), EntryBandOfLog(c.rules, e));
}

}  // namespace host
