// One contest run through the plug-in, in the order the logging program
// uses: setVersion (for the HTML page), ResetStats0, AddData0 for each QSO in
// log order, then GetResult0 or CheckCall0.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/plugin_loader.h"

namespace host {

struct SessionSetup {
    std::string pluginPath;
    std::string hostFolder;  // the host's own folder, ending in a separator
    ContestRun run;
    std::vector<QsoFields> qsos;
    std::map<std::string, std::string> header;  // form label -> answer, for a report run
    bool html = false;
    // Called after each QSO with the number handed over so far.
    std::function<void(size_t done)> progress;
};

struct SessionCounts {
    size_t stored = 0;
    size_t flagged = 0;  // stored, but reported in the bad-QSO file (dupe, no county)
    size_t rejected = 0;
};

class Session {
  public:
    explicit Session(SessionSetup setup) : setup_(std::move(setup)) {}
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Loads the plug-in and replays the log. Throws PluginError when the
    // plug-in cannot be loaded and InputError when the header answers name a
    // field the form does not have.
    void Replay();
    std::string Result();
    CallCheckAnswer Check(const CallCheck& check) const { return plugin_.Check(check); }

    const SessionCounts& counts() const { return counts_; }
    // The message boxes the plug-in showed, as "caption: text".
    const std::vector<std::string>& boxes() const { return boxes_; }
    // The bad-QSO file of this run, relative to the host's folder.
    std::string BadQsoFileName() const;
    // Whether the QSO at this index of the log was stored.
    bool Stored(size_t index) const { return index < stored_.size() && stored_[index]; }

  private:
    SessionSetup setup_;
    Plugin plugin_;
    SessionCounts counts_;
    std::vector<bool> stored_;
    std::vector<std::string> boxes_;
    std::vector<std::string> unknownFields_;
    std::vector<std::string> formLabels_;
};

}  // namespace host
