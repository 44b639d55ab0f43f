// Modal message boxes.
#pragma once

#include <string>

#include "platform/sync.h"

namespace plat {

enum MessageBoxIcon { kIconNone = 0, kIconInformation = 1 };

// Shows a modal box with a single OK button and returns when it is
// dismissed. A null caption means the system's default title.
void ShowMessageBox(const std::string& text, const char* caption, MessageBoxIcon icon)
    EXCLUDES(g_engineMutex);

}  // namespace plat
