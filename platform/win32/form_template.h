// The dialog table of a modal form: a label and a field per row, two fields
// on a row where one stands beside the other, OK and CANCEL side by side
// below.
#pragma once

#include <string>
#include <vector>

#include "platform/dialog.h"
#include "platform/modal_form.h"

namespace plat {

// Control ids of field i and of its label.
constexpr int kFormFirstFieldId = 1100;
constexpr int kFormFirstLabelId = 1000;
constexpr size_t kFormMaxFields = 100;

// The form's table (caption and labels converted from the ANSI code page).
// Fields beyond kFormMaxFields are left out.
DialogTemplate FormTemplate(const std::string& caption, const std::vector<FormField>& fields);

}  // namespace plat
