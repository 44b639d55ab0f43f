// What the DXCC, county and previous-QSO windows have in common: a modeless
// dialog without a parent at its saved position, topmost when the panel's
// "Window on top" says so, icon 107, no Close entry, OK and Escape doing
// nothing, the position saved when the pointer moves over it, and the
// panel's background colours. A close request destroys it.
#pragma once

#include "platform/dialog.h"

namespace ui {

class InfoWindow : public plat::DialogHandler {
  public:
    InfoWindow(const InfoWindow&) = delete;
    InfoWindow& operator=(const InfoWindow&) = delete;

    // The window while it exists (UI thread only); null before it is
    // created and after it is destroyed.
    plat::DialogWindow* Window() const { return window_; }
    plat::WindowId Id() const { return id_; }

    bool OnInitDialog(plat::DialogWindow& w) override;
    void OnCommand(plat::DialogWindow& w, int id, int code) override;
    bool OnControlColours(plat::DialogWindow& w, int id, plat::ControlColours& out) override;
    void OnSetCursor(plat::DialogWindow& w) override;
    void OnDestroy(plat::DialogWindow& w) override;

  protected:
    // xKey and yKey: the settings keys of the window's position.
    InfoWindow(const char* xKey, const char* yKey) : xKey_(xKey), yKey_(yKey) {}

  private:
    const char* xKey_;
    const char* yKey_;
    plat::DialogWindow* window_ = nullptr;
    plat::WindowId id_ = 0;
};

// Where a window opens without a saved position.
constexpr int kDefaultWindowX = 10;
constexpr int kDefaultWindowY = 400;

}  // namespace ui
