#include "host/commands/check_logs_options.h"

#include <cctype>

#include "host/host_error.h"

namespace host {

const char* const kCheckLogsUsage = R"(
check-logs DIR [--out DIR] [--json FILE] [--csv FILE] [--html FILE] [--site DIR]
               [--time-window MINUTES] [--uniques keep|remove]
               [--start TIME] [--end TIME] [--cty FILE] [--plugin PATH] [--timings]
          cross-checks every log of a contest (*.log, *.cbr, *.txt, *.adi
          directly in DIR) against the others and prints the results table,
          best checked score first. Writes one report per entrant into
          OUT/ubn/ (OUT: --out, default ./check-out, never DIR or inside it).
  --time-window MINUTES  largest time difference of two logs of one QSO,
                  after each log's clock offset is taken out (default 3).
  --uniques keep|remove  whether QSOs with a station nobody else worked
                  stay in the checked score (default keep).
  --csv FILE      the results table with the logs' categories, as CSV.
  --json FILE     every QSO of every log with its status, as JSON.
  --html FILE     the results table as a page, one section per category.
  --site DIR      the results to publish: DIR/index.html with the tables of
                  every category and section, one page per entrant.
  --timings       each stage's wall and CPU time and the peak memory so far,
                  on standard error.
          OUT/review.txt lists the logs the committee should look at.
)";

void ParseCheckLogsOption(const std::string& name, const std::string& value, Options& o) {
    if (name == "--csv") {
        o.csv = value;
    } else if (name == "--site") {
        o.site = value;
    } else if (name == "--uniques") {
        if (value != "keep" && value != "remove") {
            throw InputError("--uniques wants keep or remove, got '" + value + "'");
        }
        o.keepUniques = value == "keep";
    } else {
        bool digits = !value.empty() && value.size() <= 4;
        for (char c : value) {
            digits = digits && std::isdigit(static_cast<unsigned char>(c));
        }
        if (!digits) {
            throw InputError("--time-window wants whole minutes, 0 to 9999, got '" + value + "'");
        }
        o.timeWindow = std::stoi(value);
    }
}

void CheckCheckLogsArguments(size_t positionals, Options& o) {
    if (positionals != 2) {
        throw InputError("check-logs wants exactly one DIR");
    }
    if (o.report || !o.problems.empty() || !o.page.empty() || !o.call.empty() || !o.band.empty() ||
        !o.mode.empty() || o.allQsos) {
        throw InputError(
            "--report, --problems, --page, --call, --band, --mode and --all-qsos do not belong to "
            "check-logs");
    }
    if (!o.outGiven) {
        o.out = "check-out";
    }
}

}  // namespace host
