// What the POSIX stand-in for the Windows system offers to the program that
// loads the plug-in: it answers the plug-in's modal boxes and forms, and it
// chooses the ANSI code page. Lives in libStatsPosix.so, shared by the
// plug-in and its host, so the plug-in itself exports nothing but its own
// functions.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/modal_form.h"
#include "platform/posix/posix_api.h"

namespace plat {

struct ShownMessageBox {
    std::string text;
    std::string caption;  // empty for the system's default title
    bool hasCaption = false;
    int icon = 0;
};

using MessageBoxHandler = std::function<void(const ShownMessageBox&)>;
using ModalFormHandler =
    std::function<bool(const std::string& caption, std::vector<FormField>& fields)>;

// Every box the plug-in showed since the last ClearShownMessageBoxes, in order.
STATS_POSIX_API std::vector<ShownMessageBox> ShownMessageBoxes();
STATS_POSIX_API void ClearShownMessageBoxes();

// Called for each box as it is shown (after it is recorded); none by default.
STATS_POSIX_API void SetMessageBoxHandler(MessageBoxHandler handler);

// Answers modal forms; with no handler every form is cancelled.
STATS_POSIX_API void SetModalFormHandler(ModalFormHandler handler);

// Back to the state at program start: no handlers, no boxes.
STATS_POSIX_API void ResetHostServices();

// Inside libStatsPosix.so, for the boxes and forms the plug-in shows
// (message_box_posix.cpp, modal_form_posix.cpp): records a box and returns
// the handler to call for it; the form handler. Null for none.
MessageBoxHandler RecordShownMessageBox(const ShownMessageBox& box);
ModalFormHandler CurrentModalFormHandler();

}  // namespace plat
