// The errors that end a stats-host run, each carrying the exit status it
// ends with, so that main() never has to guess the status from the message.
#pragma once

#include <stdexcept>
#include <string>

namespace host {

// Exit statuses of stats-host.
enum ExitStatus : int {
    kExitDone = 0,
    kExitPlugin = 1,    // the plug-in could not be loaded
    kExitInput = 2,     // bad input: usage, log, country file, output folder, header field
    kExitInternal = 3,  // a fault inside stats-host itself
    // check: 10 plus the plug-in's answer (10 dupe, 11 no new multiplier,
    // 12 new multiplier, 14 a band or mode the contest does not have).
    kExitCheckBase = 10,
};

class HostError : public std::runtime_error {
  public:
    HostError(ExitStatus status, const std::string& message)
        : std::runtime_error(message), status_(status) {}
    ExitStatus status() const { return status_; }

  private:
    ExitStatus status_;
};

// Something the user gave (or the files named) cannot be used.
class InputError : public HostError {
  public:
    explicit InputError(const std::string& message) : HostError(kExitInput, message) {}
};

// The plug-in library could not be loaded or lacks an entry point.
class PluginError : public HostError {
  public:
    explicit PluginError(const std::string& message) : HostError(kExitPlugin, message) {}
};

}  // namespace host
