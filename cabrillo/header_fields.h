// The fields of the Cabrillo header form as the operator sees them: label,
// the list a field takes its value from, and the value it starts with. The
// form shows them; a host that answers the form can check its answers
// against them before it starts a run.
#pragma once

#include <string>
#include <vector>

struct HeaderFieldRule {
    const char* label;
    const std::vector<std::string>* choices;  // null for free text
    const char* initial;                      // null when the field starts empty or saved
};

// Top to bottom, as the form shows them.
const std::vector<HeaderFieldRule>& HeaderFieldRules();
