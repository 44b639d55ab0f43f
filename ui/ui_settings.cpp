#include "ui/ui_settings.h"

#include "platform/sync.h"
#include "scoring/engine_state.h"
#include "scoring/settings.h"
#include "ui/window_set.h"

namespace ui {

std::string ReadUiSetting(const char* key) {
    plat::LockGuard lock(EngineLock());
    return ReadSetting(key, "");
}

int ReadUiNumber(const char* key) {
    return LeadingInt(ReadUiSetting(key));
}

void WriteUiSetting(const char* key, const std::string& value) {
    plat::LockGuard lock(EngineLock());
    WriteSetting(key, value);
}

void ReadSavedPosition(const char* xKey, const char* yKey, int defaultX, int defaultY) {
    const int x = ReadUiNumber(xKey);
    const int y = ReadUiNumber(yKey);
    g_savedX = x != 0 ? x : defaultX;
    g_savedY = y != 0 ? y : defaultY;
}

void SavePositionIfMoved(const plat::DialogWindow& w, const char* xKey, const char* yKey) {
    const plat::Rect r = w.WindowRect();
    if (r.left != g_savedX) {
        g_savedX = r.left;
        WriteUiSetting(xKey, std::to_string(r.left));
    }
    if (r.top != g_savedY) {
        g_savedY = r.top;
        WriteUiSetting(yKey, std::to_string(r.top));
    }
}

}  // namespace ui
