// A modal form of labelled text fields: shown with initial values, answered
// with OK and the edited values, or Cancel. Labels and values are texts in
// the ANSI code page, as the engine holds them.
#pragma once

#include <string>
#include <vector>

#include "platform/sync.h"

namespace plat {

struct FormField {
    std::string label;
    std::string value;
    // Offered in an editable drop-down (any text may still be typed); empty
    // for a text field.
    std::vector<std::string> choices;
    bool sortedChoices = false;     // the drop-down lists its choices alphabetically
    bool besidePrevious = false;    // stands on the right of the field before it, on its row
    bool noSidewaysScroll = false;  // takes only as much text as its width shows
    bool multiLine = false;         // several lines, a vertical scroll bar, Enter starts a line
};

// Shows the form and waits until it is closed. Returns true for OK, with the
// fields' values replaced by what the operator left in them; false for
// Cancel, with the values untouched. Where no form can be shown, Cancel.
bool RunModalForm(const std::string& caption, std::vector<FormField>& fields)
    EXCLUDES(g_engineMutex);

}  // namespace plat
