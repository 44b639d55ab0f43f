// The Setup panel (template 104): the plug-in's main window, run modally by
// the UI thread. Its CW and SSB buttons switch the host's mode, its check
// boxes open and close the DXCC, county and previous-QSO windows and make
// them topmost, and it receives the refresh request.
#pragma once

#include <string>

#include "controls/advanced_button.h"
#include "controls/window_colours.h"
#include "platform/dialog.h"
#include "platform/host_link.h"
#include "ui/info_windows.h"

namespace ui {

// Colours of the panel.
constexpr plat::Colour kPanelTextBackground = plat::Rgb(0xFF, 0xF0, 0xC6);
constexpr plat::Colour kModeActive = plat::Rgb(0x00, 0xFF, 0x00);
constexpr plat::Colour kModeIdle = plat::Rgb(0xC0, 0xC0, 0xC0);
constexpr plat::Colour kModeText = plat::Rgb(0x01, 0x01, 0x01);
constexpr plat::Colour kDisabledText = plat::Rgb(0x80, 0x80, 0x80);

class Setup : public plat::DialogHandler {
  public:
    // `link` is opened by the panel's initialisation; `windows` are the
    // thread's other three windows. Both outlive the panel.
    Setup(plat::HostLink& link, InfoWindows& windows) : link_(link), windows_(windows) {}
    Setup(const Setup&) = delete;
    Setup& operator=(const Setup&) = delete;

    bool OnInitDialog(plat::DialogWindow& w) override;
    void OnCommand(plat::DialogWindow& w, int id, int code) override;
    void OnClose(plat::DialogWindow& w) override;
    void OnUserMessage(plat::DialogWindow& w, unsigned msg) override;
    bool OnControlColours(plat::DialogWindow& w, int id, plat::ControlColours& out) override;
    void OnSetCursor(plat::DialogWindow& w) override;
    void OnDrawItem(plat::DialogWindow& w, int id, plat::Canvas& c, const plat::Rect& r,
                    unsigned state) override;
    void OnDestroy(plat::DialogWindow& w) override;

    // The view choices, each 0 or 1, following the check boxes.
    int m_viewDxcc = 0;
    int m_viewCounty = 0;
    int m_onTop = 0;
    int m_viewPrevQso = 0;
    controls::CAdvancedButton m_cwButton;
    controls::CAdvancedButton m_ssbButton;

  private:
    // The refresh request: the live refresh with the panel's host link.
    void OnStatsRefresh(plat::DialogWindow& w);
    // A QSO with a YU/YT station was removed: the county marks start afresh.
    void OnCountyReset();
    // Opens the window and, for the previous-QSO window, sets its caption.
    void OpenInfoWindow(InfoKind kind);
    // Opens the windows the view choices ask for that are not open (with a
    // host link only: without a host nothing is followed).
    void OpenRequestedWindows();

    enum class Mode { kNone, kCw, kSsb };
    // A click on CW or SSB: the host's mode macro, then the buttons' colours
    // and the saved mode. The thread lets messages in while the host answers
    // the macro, so another click may arrive meanwhile: it only records its
    // mode, and the switch under way sends that mode when its call returns
    // if it is not the one just sent. Colours and setting follow the last
    // click.
    void SwitchTo(Mode mode);
    // Colours the buttons: the mode's green, the other grey.
    void ShowMode(Mode mode);
    void ToggleDxcc(plat::DialogWindow& w);
    void ToggleCounty(plat::DialogWindow& w);
    void TogglePrevQso(plat::DialogWindow& w);
    void ToggleOnTop(plat::DialogWindow& w);
    // Shows the four members in their check boxes.
    void PushChoices(plat::DialogWindow& w) const;
    void ApplyLanguage(plat::DialogWindow& w);
    // Runs the macros of the saved mode and colours the buttons.
    void ApplySavedMode(const std::string& mode);

    plat::HostLink& link_;
    InfoWindows& windows_;
    bool russian_ = false;
    Mode wantedMode_ = Mode::kNone;  // the last click's
    bool switching_ = false;         // a mode macro is under way
};

}  // namespace ui
