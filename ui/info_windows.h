// The DXCC, county and previous-QSO windows of one UI thread: creating them
// from their templates, closing them, and keeping each window's object
// until its window is gone (the host's thread may close a window, but only
// this thread deletes objects). UI thread only.
#pragma once

#include <atomic>
#include <memory>
#include <vector>

#include "platform/dialog.h"
#include "ui/county_window.h"
#include "ui/dxcc_window.h"
#include "ui/prev_qso_window.h"

namespace ui {

enum class InfoKind { kDxcc, kCounty, kPrevQso };

class InfoWindows {
  public:
    InfoWindows() = default;
    // Closes what is still open, and destroys every window whose close
    // request from the host's thread has not arrived yet.
    ~InfoWindows();
    InfoWindows(const InfoWindows&) = delete;
    InfoWindows& operator=(const InfoWindows&) = delete;

    // Creates the window without a parent, stores it in its reference
    // (g_dxccWindow, ...) and shows it; the previous-QSO window also raises
    // prevQsoWindowOpen. False when it could not be created.
    bool Open(InfoKind kind);
    // Sends the window the close request and clears its reference; nothing
    // when it is not open. The previous-QSO window lowers prevQsoWindowOpen.
    void Close(InfoKind kind);
    // County, DXCC, previous QSO, in that order.
    void CloseAll();

    // Its reference is set (whichever thread may clear it next).
    static bool IsOpen(InfoKind kind);

    // The open window's object, or null.
    Multiplier* Dxcc() const;
    YU_County* County() const;
    Prev_QSO* PrevQso() const;

  private:
    InfoWindow* Current(InfoKind kind) const;
    // Deletes the objects whose windows are gone.
    void Sweep();

    std::unique_ptr<InfoWindow> current_[3];
    std::vector<std::unique_ptr<InfoWindow>> closing_;
};

}  // namespace ui
