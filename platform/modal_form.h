// A modal form of labelled text fields: shown with initial values, answered
// with OK and the edited values, or Cancel.
#pragma once

#include <string>
#include <vector>

#include "platform/sync.h"

namespace plat {

struct FormField {
    std::string label;
    std::string value;
    std::vector<std::string> choices;  // offered in a drop-down; empty for a text field
    bool multiLine = false;
};

// Shows the form and waits until it is closed. Returns true for OK, with the
// fields' values replaced by what the operator left in them; false for
// Cancel, with the values untouched. Where no form can be shown, Cancel.
bool RunModalForm(const std::string& caption, std::vector<FormField>& fields)
    EXCLUDES(g_engineMutex);

}  // namespace plat
