#include "plugin/contest_run.h"

#include "platform/files.h"
#include "platform/modal_form.h"
#include "plugin/report_run.h"
#include "scoring/engine_state.h"
#include "scoring/rule_set.h"
#include "scoring/settings.h"
#include "scoring/settings_file_names.h"
#include "ui/ui_link.h"

namespace {

// Hosts that show their own windows for this contest: no UI thread for them.
const char* const kHostsWithoutUi[] = {"2.18", "2.17", "2.16", "2.15", "2.14", "2.14R"};

// The folder part of the prefix the host passed: up to its last separator.
std::string FolderOf(const std::string& prefix) {
    const size_t slash = prefix.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : prefix.substr(0, slash + 1);
}

// The host's version from the line "Larq=..." of its settings file, found by
// searching the host's folder. "Larq" when the folder holds no such file.
void ReadHostVersion(const std::string& prefix) REQUIRES(g_engineMutex) {
    for (const std::string& name : plat::FindFiles(prefix + "*.ini")) {
        if (name.find(kHostSettingsName) == std::string::npos) {
            continue;
        }
        const std::string versionKey = std::string(kHostVersionKey) + "=";
        std::vector<std::string> lines;
        if (plat::ReadTextLines(FolderOf(prefix) + name, lines)) {
            for (const std::string& line : lines) {
                if (line.find(versionKey) != std::string::npos) {
                    g_hostVersion = line.substr(versionKey.size());
                    break;
                }
            }
        }
        return;  // a file that cannot be read keeps the version as it was
    }
    g_hostVersion = "Larq";
}

bool HostShowsItsOwnUi() REQUIRES(g_engineMutex) {
    for (const char* version : kHostsWithoutUi) {
        if (g_hostVersion == version) {
            return true;
        }
    }
    return false;
}

// The header form is modal on the host's thread; the engine lock is let go
// while the operator fills it in.
bool ShowHeaderForm(const std::string& caption, std::vector<plat::FormField>& fields)
    REQUIRES(g_engineMutex) {
    plat::UnlockGuard unlocked(EngineLock());
    return plat::RunModalForm(caption, fields);
}

}  // namespace

void StartContestRun(const ContestRunInput& run) {
    g_hostFolder = run.hostFolder;
    g_startDayMonth = plat::FormatOleDate(run.start, "%d.%m");
    g_startYear = plat::FormatOleDate(run.start, "%Y");
    g_endDate = plat::FormatOleDate(run.end, "%d.%m.%Y");
    ReadHostVersion(run.hostFolder);

    g_log.Clear();
    g_bandsWorked.clear();
    g_ownDxcc = run.ownDxcc;
    g_ownContinent = run.ownContinent;
    g_ownCall = run.ownCall;
    // Both flags follow each run's own prefix, so a later run from another
    // country is not scored with the YU point table.
    g_russianUi = IsRussianUiPrefix(run.ownDxcc);
    g_ownIsYu = IsYuPrefix(run.ownDxcc);
    // Read at each start, like the other settings: a change applies from the
    // next contest run on.
    g_rules = RuleSetFromSetting(ReadSetting(kRulesSettingKey, ""));
    for (size_t b = 0; b < g_prevQsoRows.size(); ++b) {
        std::vector<std::string>& row = g_prevQsoRows[b];
        row.assign(1, BandSlotName(static_cast<int>(b)));
        row.insert(row.end(), 5, "-");
    }

    g_reportRun = run.reportRun;
    if (run.reportRun != 0) {
        g_cabrilloLog.PrepareHeader(run.ownCall, ShowHeaderForm);
        WriteSetting("Start", "1");
    }

    // "Start" suppresses the UI once: the run that starts the UI leaves "1",
    // and the next run that finds it resets it without starting the UI.
    if (LeadingInt(ReadSetting("Start", "")) != 0) {
        WriteSetting("Start", "0");
    } else if (!ui::SetupPanelExists()) {
        if (!HostShowsItsOwnUi()) {
            plat::UnlockGuard unlocked(EngineLock());
            ui::StartUi();
        }
        WriteSetting("Start", "1");
    }

    g_badQsoFileName = BadQsoFileName(run.end);
    g_badQsoFile.Create(g_badQsoFileName);
}
