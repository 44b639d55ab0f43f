// Small rules for the texts the host passes, shared by the engine and the
// Cabrillo writer.
#pragma once

#include <string>

// A field as it goes into a one-line record: CR and LF become blanks.
std::string OneLine(const std::string& text);

// The text without white space at either end.
std::string TrimBlanks(const std::string& text);
