// The windows' settings keys, read and written from the UI thread. The
// host's thread writes the same file inside the exports, so each access
// holds the engine lock for the file's sake; none may be made with the lock
// already held.
#pragma once

#include <string>

#include "platform/dialog.h"
#include "platform/sync.h"

namespace ui {

std::string ReadUiSetting(const char* key) EXCLUDES(g_engineMutex);
// The value's leading integer, 0 when there is none.
int ReadUiNumber(const char* key) EXCLUDES(g_engineMutex);
void WriteUiSetting(const char* key, const std::string& value) EXCLUDES(g_engineMutex);

// Reads a window's saved position into g_savedX and g_savedY: a zero or
// missing x becomes defaultX, a zero or missing y defaultY.
void ReadSavedPosition(const char* xKey, const char* yKey, int defaultX, int defaultY)
    EXCLUDES(g_engineMutex);

// Position save: writes the window's left and top edges to xKey and yKey,
// each only when it differs from g_savedX or g_savedY, which then follow.
void SavePositionIfMoved(const plat::DialogWindow& w, const char* xKey, const char* yKey)
    EXCLUDES(g_engineMutex);

}  // namespace ui
