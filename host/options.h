// What a stats-host command line asks for: the command, its log and call,
// and the options. Every part of the host reads it; the commands parse it.
#pragma once

#include <map>
#include <string>

#include "scoring/rule_set.h"

namespace host {

// The country file used when --cty is not given.
constexpr const char* kDefaultCountryFile = "/usr/share/hamradio-files/cty.dat";

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
    RuleSet rules = RuleSet::kClassic;  // --rules
    // check-logs: the folder of logs is in log.
    bool outGiven = false;
    std::string csv;
    std::string site;  // the folder of the published results
    int timeWindow = 3;
    bool keepUniques = true;
    bool timings = false;  // --timings: each stage's cost on standard error
};

}  // namespace host
