#include "ui/setup_panel.h"

#include "scoring/engine_state.h"
#include "ui/dialog_tables.h"
#include "ui/handler_guard.h"
#include "ui/refresh_adapters.h"
#include "ui/ui_settings.h"
#include "ui/window_set.h"
#include "ui/window_texts.h"

namespace ui {
namespace {

// Where the Russian "Mode" label goes, pixels of the client area: its text
// is longer than the template leaves room for.
const plat::Rect kRussianModeLabel = {26, 8, 26 + 70, 8 + 15};

int ZeroOrOne(int value) {
    return value != 0 ? 1 : 0;
}

const char* Flag(int value) {
    return value != 0 ? "1" : "0";
}

// Sets a flag for as long as it lives.
class FlagScope {
  public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

  private:
    bool& flag_;
};

// The contest year and the language, as the contest run set them.
std::string StartYear() EXCLUDES(g_engineMutex) {
    plat::LockGuard lock(EngineLock());
    return g_startYear;
}

bool RussianUi() EXCLUDES(g_engineMutex) {
    plat::LockGuard lock(EngineLock());
    return g_russianUi;
}

}  // namespace

bool Setup::OnInitDialog(plat::DialogWindow& w) {
    Guarded([&] {
        const int x = ReadUiNumber("setup_x");
        g_savedX = x != 0 ? x : 10;
        g_savedY = ReadUiNumber("setup_y");
        m_viewCounty = ZeroOrOne(ReadUiNumber("setup_view_county"));
        m_viewDxcc = ZeroOrOne(ReadUiNumber("setup_view_dxcc"));
        m_viewPrevQso = ZeroOrOne(ReadUiNumber("setup_view_prev_qso"));
        // The box comes back as the operator left it.
        m_onTop = ZeroOrOne(ReadUiNumber("setup_window_on_top"));
        g_onTop = m_onTop != 0;

        russian_ = RussianUi();
        ApplyLanguage(w);

        for (controls::CAdvancedButton* button : {&m_cwButton, &m_ssbButton}) {
            const int id = button == &m_cwButton ? kIdCwButton : kIdSsbButton;
            button->AttachToItem(id, w, kModeIdle, kModeText, kDisabledText);
            button->SetShape(controls::CAdvancedButton::ShapeRect);
        }
        PushChoices(w);
        w.MoveTo(g_savedX, g_savedY);
        w.MakeTopmost();
        w.SetIcon(kWindowIcon);

        link_.Open();
        ApplySavedMode(ReadUiSetting("Mode"));
        // The first refresh would open them; opening them here already makes
        // their creation part of the start that StartUi waits for.
        if (link_.IsOpen()) {
            OpenRequestedWindows();
        }
    });
    // Whatever failed above, the panel gets its first refresh and keeps its
    // Close entry disabled.
    plat::PostWindowMessage(w.Id(), kMsgStatsRefresh);
    w.DisableCloseEntry();
    // Only now may other threads reach the panel: its start may need the
    // loader's lock (COM, the icon), which an unload holds while it waits
    // for the panel, and StartUi waits for this.
    g_setupPanel.store(w.Id());
    return true;
}

void Setup::ApplyLanguage(plat::DialogWindow& w) {
    const PanelTexts& texts = PanelTextsFor(russian_);
    w.SetCaption(Shown(FormatText(texts.caption, StartYear())));
    w.SetItemText(kIdViewLabel, Shown(texts.viewLabel));
    w.SetItemText(kIdModeLabel, Shown(texts.modeLabel));
    w.SetItemText(kIdDxccBox, Shown(texts.dxccBox));
    w.SetItemText(kIdCountyBox, Shown(texts.countyBox));
    w.SetItemText(kIdOnTopBox, Shown(texts.onTopBox));
    w.SetItemText(kIdPrevQsoBox, Shown(texts.prevQsoBox));
    if (russian_) {
        w.MoveItem(kIdModeLabel, kRussianModeLabel);
    }
}

void Setup::ApplySavedMode(const std::string& mode) {
    // The comparison is exact: "cw" sends nothing and leaves both grey.
    if (mode.empty() || mode == "CW") {
        link_.RunMacro("<MODE:CW>");
        link_.RunMacro("<BAUDRATE:27>");
        ShowMode(Mode::kCw);
    } else if (mode == "SSB") {
        link_.RunMacro("<MODE:SSB>");
        ShowMode(Mode::kSsb);
    }
}

void Setup::OnCommand(plat::DialogWindow& w, int id, int code) {
    Guarded([&] {
        if (id == plat::kIdOk) {
            return;  // Enter does not close the panel
        }
        if (id == plat::kIdCancel) {
            // Escape ends the panel; the other windows cannot outlive it.
            windows_.CloseAll();
            w.EndDialog(plat::kIdCancel);
            return;
        }
        if (code != 0) {
            return;  // only clicks
        }
        switch (id) {
            case kIdCwButton:
                SwitchTo(Mode::kCw);
                break;
            case kIdSsbButton:
                SwitchTo(Mode::kSsb);
                break;
            case kIdDxccBox:
                ToggleDxcc(w);
                break;
            case kIdCountyBox:
                ToggleCounty(w);
                break;
            case kIdPrevQsoBox:
                TogglePrevQso(w);
                break;
            case kIdOnTopBox:
                ToggleOnTop(w);
                break;
            default:
                break;
        }
    });
}

void Setup::OnClose(plat::DialogWindow& w) {
    Guarded([&] { windows_.CloseAll(); });
    w.EndDialog(plat::kIdCancel);
}

void Setup::OnUserMessage(plat::DialogWindow& w, unsigned msg) {
    if (msg == kMsgStatsRefresh) {
        Guarded([&] { OnStatsRefresh(w); });
    } else if (msg == kMsgCountyReset) {
        Guarded([&] { OnCountyReset(); });
    }
}

bool Setup::OnControlColours(plat::DialogWindow&, int, plat::ControlColours& out) {
    out.text = plat::Rgb(0, 0, 0);
    out.textBackground = kPanelTextBackground;
    out.background = controls::kWindowBackground;
    return true;
}

void Setup::OnSetCursor(plat::DialogWindow& w) {
    Guarded([&] { SavePositionIfMoved(w, "setup_x", "setup_y"); });
}

void Setup::OnDrawItem(plat::DialogWindow&, int id, plat::Canvas& c, const plat::Rect& r,
                       unsigned state) {
    Guarded([&] {
        if (id == kIdCwButton) {
            m_cwButton.DrawItem(c, r, state);
        } else if (id == kIdSsbButton) {
            m_ssbButton.DrawItem(c, r, state);
        }
    });
}

void Setup::OnDestroy(plat::DialogWindow&) {
    m_cwButton.Detach();
    m_ssbButton.Detach();
}

void Setup::SwitchTo(Mode mode) {
    wantedMode_ = mode;
    if (switching_) {
        return;  // the switch under way takes it up when the host has answered
    }
    Mode sent = Mode::kNone;
    {
        const FlagScope busy(switching_);
        while (sent != wantedMode_) {
            sent = wantedMode_;
            link_.RunMacro(sent == Mode::kCw ? "<MODE:CW>" : "<MODE:SSB>");
        }
    }
    ShowMode(sent);
    WriteUiSetting("Mode", sent == Mode::kCw ? "CW" : "SSB");
}

void Setup::ShowMode(Mode mode) {
    const bool cw = mode == Mode::kCw;
    m_cwButton.SetBackColor(cw ? kModeActive : kModeIdle);
    m_ssbButton.SetBackColor(cw ? kModeIdle : kModeActive);
    (cw ? m_ssbButton : m_cwButton).SetForeColor(kModeText);
}

void Setup::OpenInfoWindow(InfoKind kind) {
    if (!windows_.Open(kind) || kind != InfoKind::kPrevQso) {
        return;
    }
    const std::string caption = Shown(FormatText(NewPrevQsoCaption(russian_), StartYear()));
    if (Prev_QSO* window = windows_.PrevQso()) {
        window->Window()->SetCaption(caption);
    }
}

void Setup::ToggleDxcc(plat::DialogWindow& w) {
    if (InfoWindows::IsOpen(InfoKind::kDxcc)) {
        windows_.Close(InfoKind::kDxcc);
        m_viewDxcc = 0;
    } else {
        OpenInfoWindow(InfoKind::kDxcc);
        m_viewDxcc = 1;
        plat::PostWindowMessage(w.Id(), kMsgStatsRefresh);
    }
    w.SetCheck(kIdDxccBox, m_viewDxcc != 0);
    WriteUiSetting("setup_view_DXCC", Flag(m_viewDxcc));
}

void Setup::ToggleCounty(plat::DialogWindow& w) {
    if (InfoWindows::IsOpen(InfoKind::kCounty)) {
        windows_.Close(InfoKind::kCounty);
        m_viewCounty = 0;
    } else {
        OpenInfoWindow(InfoKind::kCounty);
        m_viewCounty = 1;
        plat::PostWindowMessage(w.Id(), kMsgStatsRefresh);
    }
    w.SetCheck(kIdCountyBox, m_viewCounty != 0);
    WriteUiSetting("setup_view_county", Flag(m_viewCounty));
}

void Setup::TogglePrevQso(plat::DialogWindow& w) {
    if (InfoWindows::IsOpen(InfoKind::kPrevQso)) {
        windows_.Close(InfoKind::kPrevQso);
        m_viewPrevQso = 0;
    } else {
        OpenInfoWindow(InfoKind::kPrevQso);
        m_viewPrevQso = 1;
        plat::PostWindowMessage(w.Id(), kMsgStatsRefresh);
    }
    w.SetCheck(kIdPrevQsoBox, m_viewPrevQso != 0);
    WriteUiSetting("setup_view_prev_qso", Flag(m_viewPrevQso));
}

void Setup::ToggleOnTop(plat::DialogWindow& w) {
    m_onTop = m_onTop != 0 ? 0 : 1;
    g_onTop = m_onTop != 0;
    WriteUiSetting("setup_window_on_top", Flag(m_onTop));
    // The refresh re-creates both with the new stacking, as their view
    // choices still ask for them.
    windows_.Close(InfoKind::kCounty);
    windows_.Close(InfoKind::kDxcc);
    PushChoices(w);
    plat::PostWindowMessage(w.Id(), kMsgStatsRefresh);
}

void Setup::PushChoices(plat::DialogWindow& w) const {
    w.SetCheck(kIdDxccBox, m_viewDxcc != 0);
    w.SetCheck(kIdCountyBox, m_viewCounty != 0);
    w.SetCheck(kIdOnTopBox, m_onTop != 0);
    w.SetCheck(kIdPrevQsoBox, m_viewPrevQso != 0);
}

// The panel's answer to the refresh request, on the UI thread.
void Setup::OnStatsRefresh(plat::DialogWindow&) {
    LinkedHost host(link_);
    RefreshedWindows windows(windows_, [this] { OpenRequestedWindows(); });
    RunRefresh(host, windows);
}

// Windows the view choices ask for and that are not open: those of a new
// panel, and those the on-top toggle closed.
void Setup::OpenRequestedWindows() {
    if (m_viewPrevQso != 0 && !InfoWindows::IsOpen(InfoKind::kPrevQso)) {
        OpenInfoWindow(InfoKind::kPrevQso);
    }
    if (m_viewDxcc != 0 && !InfoWindows::IsOpen(InfoKind::kDxcc)) {
        OpenInfoWindow(InfoKind::kDxcc);
        WriteUiSetting("setup_view_dxcc", "1");
    }
    if (m_viewCounty != 0 && !InfoWindows::IsOpen(InfoKind::kCounty)) {
        OpenInfoWindow(InfoKind::kCounty);
        WriteUiSetting("setup_view_county", "1");
    }
}

void Setup::OnCountyReset() {
    if (YU_County* county = windows_.County()) {
        county->ResetCountyMarks();
    }
}

}  // namespace ui
