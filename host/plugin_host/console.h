// What the stand-in host needs of the system it runs on: whether standard
// error is a terminal, where its own executable lies, and how the plug-in's
// message boxes and header form are answered without a screen, and its
// settings file read.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace host {

bool StderrIsTerminal();

// The folder of the running executable, or empty when it cannot be told.
std::string ExecutableFolder();

// The shared library's file name on this system ("libStats.so", "Stats.dll").
const char* PluginFileName();

struct FormAnswer {
    std::string label;
    std::string value;
    std::vector<std::string> choices;  // the field's list, or empty for free text
};

// Answers the plug-in's modal forms through fill (which edits the fields and
// says OK or Cancel) and hands each message box's caption and text to shown.
// Where the system shows real windows this does nothing.
using FormFiller = std::function<bool(std::vector<FormAnswer>& fields)>;
using BoxSink = std::function<void(const std::string& caption, const std::string& text)>;
void AnswerPluginWindows(FormFiller fill, BoxSink shown);
void StopAnsweringPluginWindows();

// A value of a settings (INI) file, empty when missing; and writing one.
// Where the plug-in shows its real form the operator answers it, and these
// read nothing and write nothing.
std::string ReadProfileValue(const std::string& path, const std::string& section,
                             const std::string& key);
void WriteProfileValue(const std::string& path, const std::string& section, const std::string& key,
                       const std::string& value);

}  // namespace host
