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

// The log as score prepares it, with the times and countries given, in the
// period given. Its QSOs are read where they are, not copied.
PreparedLog Prepare(const PassContext& c, const EntrantLog& e, KnownOfQsos known) {
    PreparedLog p;
    p.log.format = e.log.format;
    p.log.ownCall = e.log.ownCall;
    p.log.problems = e.log.problems;
    p.log.badCalls = e.log.badCalls;
    ResolveQsos(p, e.log.qsos, *c.countries, e.call, false, known);
    p.period = c.period;
    SplitByPeriod(p, false);
    p.rules = c.rules;
    p.entryBand = EntryBandOfLog(c.rules, e);
    return p;
}

SessionSetup Setup(const PassContext& c, const PreparedLog& p) {
    // Each worker runs in a folder of its own, whose settings choose the
    // rules the plug-in starts each run with.
    ChooseRulesInFolder(c.rules);
    SessionSetup setup;
    setup.pluginPath = c.pluginPath;
    setup.hostFolder = c.folder;
    setup.run = p.run;
    setup.qsos = PassedQsos(p);
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

ClaimedPass RunClaimedPass(const PassContext& c, const EntrantLog& e, KnownOfQsos known) {
    const PreparedLog p = Prepare(c, e, known);
    Session session(Setup(c, p), *c.plugin);
    session.Replay();
    ClaimedPass out;
    out.figures = Figures(session.Result(), p.entryBand);
    out.status.assign(p.qsos.size(), QsoStatus::kCounted);
    for (size_t i : p.outside) {
        out.status[i] = QsoStatus::kOutsidePeriod;
    }
    for (size_t k = 0; k < p.passed.size(); ++k) {
        const ProblemMask reasons = session.Reasons(k);
        for (size_t kind = 0; kind < kProblemKinds; ++kind) {
            const QsoStatus s = StatusOfProblem(static_cast<ProblemKind>(kind));
            if ((reasons & MaskOf(static_cast<ProblemKind>(kind))) != 0 &&
                s != QsoStatus::kCounted) {
                out.status[p.passed[k]] = s;
                break;
            }
        }
    }
    ProblemList problems = CollectProblems(p, session);
    out.problems = problems.Sorted();
    return out;
}

PassFigures RunCheckedPass(const PassContext& c, const EntrantLog& e, KnownOfQsos known,
                           const std::vector<bool>& stands) {
    PreparedLog p = Prepare(c, e, known);
    std::vector<size_t> kept;
    for (size_t i : p.passed) {
        if (stands[i]) {
            kept.push_back(i);
        }
    }
    p.passed = std::move(kept);
    SessionSetup setup = Setup(c, p);
    setup.reasons = false;
    Session session(std::move(setup), *c.plugin);
    session.Replay();
    return Figures(session.Result(), p.entryBand);
}

}  // namespace host
