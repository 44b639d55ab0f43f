// The command line of stats-host: the command, its log and call, and the
// options, checked for shape before anything is read.
#pragma once

#include <map>
#include <string>

namespace host {

// The country file used when --cty is not given.
extern const char* const kDefaultCountryFile;

struct Options {
    std::string command;  // "score", "check", "check-logs" or "help"
    std::string log;
    std::string checkCall;
    std::string out = "stats-out";
    std::string html;
    std::string problems;  // --problems FILE
    std::string json;      // --json FILE
    std::string page;      // --page FILE
    bool allQsos = false;
    bool report = false;
    std::map<std::string, std::string> header;
    std::string call;
    std::string start;
    std::string end;
    std::string cty = kDefaultCountryFile;
    std::string plugin;
    std::string band;
    std::string mode;
    // check-logs: the folder of logs is in log.
    bool outGiven = false;
    std::string csv;
    int timeWindow = 3;
    bool keepUniques = true;
};

// Throws InputError for a command line that cannot be run. The paths come
// back absolute, resolved against the folder stats-host was started in; the
// calls in capitals.
Options ParseArguments(int argc, char** argv);

// The text of stats-host --help.
const char* UsageText();

}  // namespace host
