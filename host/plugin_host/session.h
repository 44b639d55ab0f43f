// One contest run through the plug-in, in the order the logging program
// uses: ResetStats0, AddData0 for each QSO in time order, then GetResult0
// (and for the HTML page setVersion and GetResult0 again) or CheckCall0.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "host/plugin_host/header_answers.h"
#include "host/plugin_host/plugin_loader.h"
#include "host/problems.h"

namespace host {

struct SessionSetup {
    std::string pluginPath;
    std::string hostFolder;  // the host's own folder, ending in a separator
    ContestRun run;
    // How many QSOs to hand over, and the k-th of them in order: a reference
    // that holds until the next call, so that a long log need not be made
    // ready all at once.
    size_t qsoCount = 0;
    std::function<const QsoFields&(size_t k)> qsoAt;
    HeaderAnswers header;  // for a report run
    // Whether Reasons() is wanted: the bad-QSO file is then read after each
    // QSO.
    bool reasons = true;
    // Called after each QSO with the number handed over so far.
    std::function<void(size_t done)> progress;
    // When given, asked before each QSO whether it is handed over at all:
    // a pass that learns which QSOs stand as it goes.
    std::function<bool(size_t k)> take;
};

class Session {
  public:
    explicit Session(SessionSetup setup) : setup_(std::move(setup)) {}
    // A session on a plug-in that may be loaded already, by an earlier
    // session: the contest-run start gives each session a fresh run, which
    // is far cheaper than a load per log. Loaded here when it is not.
    Session(SessionSetup setup, Plugin& plugin) : setup_(std::move(setup)), plugin_(&plugin) {}
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Loads the plug-in and replays the log. Throws PluginError when the
    // plug-in cannot be loaded, and InputError when the header answers name a
    // field the form does not have or a value outside a field's list, or
    // when the run's bad-QSO file cannot be made fresh in the host's folder
    // (the current directory): an earlier run's file would be counted for
    // this log.
    void Replay();
    // The summary as text; then, from the same replay, as the HTML page
    // (setVersion switches the loaded plug-in to it for good).
    std::string Result();
    std::string PageResult();
    CallCheckAnswer Check(const CallCheck& check) const { return plugin_->Check(check); }

    size_t storedCount() const { return storedCount_; }
    // The message boxes the plug-in showed, as "caption: text".
    const std::vector<std::string>& boxes() const { return boxes_; }
    // The bad-QSO file of this run, relative to the host's folder.
    std::string BadQsoFileName() const;
    // Whether the QSO at this index of the setup's QSOs was stored, and the
    // reasons of the bad-QSO lines the plug-in wrote for it.
    bool Stored(size_t index) const { return index < stored_.size() && stored_[index]; }
    ProblemMask Reasons(size_t index) const {
        return index < reasons_.size() ? reasons_[index] : 0;
    }

  private:
    SessionSetup setup_;
    Plugin own_;
    Plugin* plugin_ = &own_;
    size_t storedCount_ = 0;
    std::vector<bool> stored_;
    std::vector<ProblemMask> reasons_;
    std::vector<std::string> boxes_;
    std::string formRefused_;
    bool formAnswered_ = false;
};

}  // namespace host
