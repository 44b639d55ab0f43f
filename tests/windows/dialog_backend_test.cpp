// The dialogs from tables on Windows: a panel run modally on this thread,
// with a modeless window beside it, driven from a second thread through the
// window functions, as a person or the host would.
#include <atomic>

#include "platform/dialog.h"
#include "tests/windows/ui_test_support.h"

namespace uitest {
namespace {

using plat::Colour;
using plat::ControlKind;
using plat::ControlTemplate;
using plat::DialogTemplate;
using plat::DialogWindow;
using plat::Rect;
using plat::Rgb;

constexpr int kLabelMode = 1019;
constexpr int kLabelView = 1015;
constexpr int kFaceButton = 1004;
constexpr int kSurfaceButton = 1007;
constexpr int kCheckDxcc = 1016;
constexpr int kCheckCounty = 1017;
constexpr unsigned kRepaintFace = plat::kFirstOwnMessage;
constexpr unsigned kPing = plat::kFirstOwnMessage + 7;

constexpr Colour kBackground = Rgb(0xFF, 0xFA, 0xC6);
constexpr Colour kTextBackground = Rgb(0xFF, 0xF0, 0xC6);
constexpr Colour kWhite = Rgb(255, 255, 255);
constexpr Colour kGrey = Rgb(128, 128, 128);
constexpr Colour kRed = Rgb(255, 0, 0);
constexpr Colour kBlue = Rgb(0, 0, 255);
constexpr Colour kGreen = Rgb(0, 255, 0);
constexpr Colour kSilver = Rgb(0xC0, 0xC0, 0xC0);

HWND Handle(plat::WindowId id) {
    return plat::FromInteger<HWND>(id);
}

DialogTemplate PanelTable() {
    DialogTemplate t;
    t.id = 104;
    t.caption = "Setup";
    t.cx = 177;
    t.cy = 67;
    t.style =
        plat::kDialogPopup | plat::kDialogCaption | plat::kDialogSysMenu | plat::kDialogModalFrame;
    t.exStyle = plat::kExStyleClientEdge;
    t.controls = {
        plat::MakeControl(kLabelMode, ControlKind::kStatic, "Mode", 30, 5, 45, 9),
        plat::MakeControl(kLabelView, ControlKind::kStatic, "View", 97, 5, 62, 9),
        plat::MakeControl(kFaceButton, ControlKind::kPushButton, "CW", 20, 19, 34, 15, 0,
                          plat::kExStyleStaticEdge),
        plat::MakeControl(kSurfaceButton, ControlKind::kPushButton, "SSB", 20, 37, 34, 16),
        plat::MakeControl(kCheckDxcc, ControlKind::kCheckBox, "DXCC", 86, 17, 62, 8),
        plat::MakeControl(kCheckCounty, ControlKind::kCheckBox, "YU/YT County", 86, 28, 62, 8),
    };
    return t;
}

class SideHandler : public plat::DialogHandler {
  public:
    void OnCommand(DialogWindow& w, int id, int code) override {
        lastCommand = id;
        DialogHandler::OnCommand(w, id, code);
    }
    void OnUserMessage(DialogWindow&, unsigned msg) override { lastMessage = msg; }
    void OnDestroy(DialogWindow&) override { destroyed = true; }

    std::atomic<int> lastCommand{0};
    std::atomic<unsigned> lastMessage{0};
    std::atomic<bool> destroyed{false};
};

class PanelHandler : public plat::DialogHandler {
  public:
    bool OnInitDialog(DialogWindow& w) override {
        w.SetCaption(u8"Установки DI-VE-RI CW/SSB 2026");
        w.SetItemText(kLabelView, u8"Отображать");
        w.SetCheck(kCheckCounty, true);
        ownerDrawn = w.MakeOwnerDrawn(kFaceButton) && w.MakeOwnerDrawn(kSurfaceButton) &&
                     !w.MakeOwnerDrawn(4242);
        w.MoveTo(200, 150);
        w.MakeTopmost();
        w.DisableCloseEntry();
        w.SetIcon(107);
        DialogTemplate side = PanelTable();
        side.caption = "Side";
        side.controls.resize(5);
        sideWindow = plat::CreateModelessDialog(side, sideHandler);
        visibleAtCreation = IsWindowVisible(Handle(sideWindow.load())) != FALSE;
        SetWindowPos(Handle(sideWindow.load()), nullptr, 600, 150, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        ShowWindow(Handle(sideWindow.load()), SW_SHOWNOACTIVATE);
        panel = w.Id();
        return true;
    }
    void OnCommand(DialogWindow& w, int id, int code) override {
        if (id == kCheckDxcc) {
            dxccCheckedAtClick = w.IsChecked(kCheckDxcc);
        }
        lastCommand = id;
        DialogHandler::OnCommand(w, id, code);
    }
    void OnUserMessage(DialogWindow& w, unsigned msg) override {
        if (msg == kRepaintFace) {
            face = kGreen;
            w.RedrawItemNow(kFaceButton);
            repainted = true;
        }
    }
    bool OnControlColours(DialogWindow&, int id, plat::ControlColours& out) override {
        if (id != 0 && id != kLabelMode && id != kLabelView) {
            return false;
        }
        out.text = Rgb(0, 0, 0);
        out.textBackground = kTextBackground;
        out.background = kBackground;
        return true;
    }
    void OnSetCursor(DialogWindow&) override { ++cursorNotices; }
    void OnDrawItem(DialogWindow&, int id, plat::Canvas& c, const Rect& r, unsigned) override {
        if (id == kFaceButton) {
            c.FillSolidRect(r, face);
            c.Draw3dRect(r, kWhite, kGrey);
            c.SetBackgroundMode(plat::BackgroundMode::kTransparent);
            c.DrawCentredText(r, "CW");
            ++facePaints;
        } else if (id == kSurfaceButton) {
            // Off-screen over the part that needs painting: its first pixel
            // red, an ellipse in a green pen, blue elsewhere.
            const Rect clip = c.ClipBox();
            std::unique_ptr<plat::Canvas> off = c.CreateOffscreen(clip);
            off->FillSolidRect(clip, kBlue);
            off->FillSolidRect({clip.left, clip.top, clip.left + 1, clip.top + 1}, kRed);
            const plat::PenId pen = off->CreatePen(plat::PenStyle::kSolid, 1, kGreen);
            const plat::PenId old = off->SelectPen(pen);
            off->Ellipse(r.Deflated(4));
            off->DeletePen(off->SelectPen(old));
            c.CopyFrom(*off, clip);
            ++surfacePaints;
        }
    }
    void OnDestroy(DialogWindow&) override { destroyed = true; }

    SideHandler sideHandler;
    std::atomic<plat::WindowId> panel{0};
    std::atomic<plat::WindowId> sideWindow{0};
    std::atomic<bool> ownerDrawn{false};
    std::atomic<bool> visibleAtCreation{true};
    std::atomic<int> lastCommand{0};
    std::atomic<bool> dxccCheckedAtClick{false};
    std::atomic<Colour> face{kSilver};
    std::atomic<bool> repainted{false};
    std::atomic<int> cursorNotices{0};
    std::atomic<int> facePaints{0};
    std::atomic<int> surfacePaints{0};
    std::atomic<bool> destroyed{false};
};

void CheckLayout(HWND panel) {
    wchar_t caption[64] = {};
    GetWindowTextW(panel, caption, 64);
    UI_CHECK(std::wstring(caption) == L"Установки DI-VE-RI CW/SSB 2026");
    UI_CHECK(Text(GetDlgItem(panel, kLabelView)) == u8"Отображать");
    UI_CHECK(Text(GetDlgItem(panel, kCheckCounty)) == "YU/YT County");
    // The dialog manager converts a control's place and its size apart.
    for (const ControlTemplate& c : PanelTable().controls) {
        RECT place = {c.x, c.y, 0, 0};
        RECT size = {0, 0, c.cx, c.cy};
        MapDialogRect(panel, &place);
        MapDialogRect(panel, &size);
        const RECT actual = RectIn(GetDlgItem(panel, c.id), panel);
        UI_CHECK(actual.left == place.left && actual.top == place.top);
        UI_CHECK(actual.right - actual.left == size.right &&
                 actual.bottom - actual.top == size.bottom);
    }
    RECT window = {};
    GetWindowRect(panel, &window);
    UI_CHECK(window.left == 200 && window.top == 150);
    const LONG_PTR exStyle = GetWindowLongPtrW(panel, GWL_EXSTYLE);
    UI_CHECK((exStyle & WS_EX_TOPMOST) != 0);
    UI_CHECK((exStyle & WS_EX_CLIENTEDGE) != 0);
    UI_CHECK(SendMessageW(panel, WM_GETICON, ICON_BIG, 0) != 0);
    const UINT close = GetMenuState(GetSystemMenu(panel, FALSE), SC_CLOSE, MF_BYCOMMAND);
    UI_CHECK(close != 0xFFFFFFFF && (close & MF_DISABLED) != 0 && (close & MF_GRAYED) == 0);
}

void CheckClicks(HWND panel, PanelHandler& h) {
    HWND dxcc = GetDlgItem(panel, kCheckDxcc);
    UI_CHECK(SendMessageW(GetDlgItem(panel, kCheckCounty), BM_GETCHECK, 0, 0) == BST_CHECKED);
    UI_CHECK(SendMessageW(dxcc, BM_GETCHECK, 0, 0) == BST_UNCHECKED);
    Click(dxcc);
    UI_CHECK(WaitFor([&] { return h.lastCommand == kCheckDxcc; }));
    UI_CHECK(h.dxccCheckedAtClick);
    UI_CHECK(SendMessageW(dxcc, BM_GETCHECK, 0, 0) == BST_CHECKED);
}

void CheckPaints(HWND panel, PanelHandler& h) {
    HWND face = GetDlgItem(panel, kFaceButton);
    UI_CHECK((GetWindowLongPtrW(face, GWL_STYLE) & 0x0F) == BS_OWNERDRAW);
    UI_CHECK(WaitFor([&] { return h.facePaints > 0 && h.surfacePaints > 0; }));
    RECT rc = {};
    GetClientRect(face, &rc);
    // The frame: top and left white short of their last pixel, the corners
    // top-right and bottom-left grey; inside it the face.
    UI_CHECK(PixelAt(face, 0, 0) == kWhite);
    UI_CHECK(PixelAt(face, rc.right - 2, 0) == kWhite);
    UI_CHECK(PixelAt(face, rc.right - 1, 0) == kGrey);
    UI_CHECK(PixelAt(face, 0, rc.bottom - 1) == kGrey);
    UI_CHECK(PixelAt(face, rc.right - 1, rc.bottom - 1) == kGrey);
    UI_CHECK(PixelAt(face, 3, rc.bottom / 2) == kSilver);
    PostMessageW(panel, kRepaintFace, 0, 0);
    UI_CHECK(WaitFor([&] { return h.repainted.load(); }));
    UI_CHECK(PixelAt(face, 3, rc.bottom / 2) == kGreen);

    HWND surface = GetDlgItem(panel, kSurfaceButton);
    GetClientRect(surface, &rc);
    UI_CHECK(PixelAt(surface, 0, 0) == kRed);
    UI_CHECK(PixelAt(surface, 1, 0) == kBlue);
    UI_CHECK(PixelAt(surface, 4, rc.bottom / 2) == kGreen);
    // Inside the ellipse: the new surface's default brush, white.
    UI_CHECK(PixelAt(surface, rc.right / 2, rc.bottom / 2) == kWhite);

    // The colour hook: the dialog's background, a label's background right
    // of its text, and the text's own background cell.
    UI_CHECK(PixelAt(panel, 2, 2) == kBackground);
    HWND mode = GetDlgItem(panel, kLabelMode);
    GetClientRect(mode, &rc);
    UI_CHECK(PixelAt(mode, rc.right - 1, rc.bottom / 2) == kBackground);
    UI_CHECK(PixelAt(mode, 0, 0) == kTextBackground);
}

void CheckCursorNotice(HWND panel, PanelHandler& h) {
    RECT rc = {};
    GetWindowRect(panel, &rc);
    SetCursorPos(rc.left + 5, rc.bottom - 5);
    SetCursorPos(rc.left + 8, rc.bottom - 8);
    UI_CHECK(WaitFor([&] { return h.cursorNotices > 0; }));
}

// The modeless window gets posted messages and its keys through the panel's
// loop, and a close request from another thread ends it.
void CheckModeless(PanelHandler& h) {
    const plat::WindowId side = h.sideWindow;
    UI_CHECK(side != 0 && plat::WindowExists(side));
    UI_CHECK(!h.visibleAtCreation);
    UI_CHECK(IsWindowVisible(Handle(side)) != FALSE);
    UI_CHECK(plat::PostWindowMessage(side, kPing));
    UI_CHECK(WaitFor([&] { return h.sideHandler.lastMessage == kPing; }));
    PressKey(GetDlgItem(Handle(side), kCheckDxcc), VK_ESCAPE);
    UI_CHECK(WaitFor([&] { return h.sideHandler.lastCommand == plat::kIdCancel; }));
    UI_CHECK(plat::WindowExists(side));
    UI_CHECK(plat::SendCloseRequest(side));
    UI_CHECK(h.sideHandler.destroyed);
    UI_CHECK(!plat::WindowExists(side));
    UI_CHECK(!plat::PostWindowMessage(side, kPing));
    UI_CHECK(!plat::SendCloseRequest(side));
}

DWORD WINAPI Drive(LPVOID param) {
    auto& h = *static_cast<PanelHandler*>(param);
    if (UI_CHECK(WaitFor([&] { return h.panel != 0 && IsWindowVisible(Handle(h.panel)); }))) {
        HWND panel = Handle(h.panel);
        UI_CHECK(h.ownerDrawn);
        CheckLayout(panel);
        CheckClicks(panel, h);
        CheckPaints(panel, h);
        CheckCursorNotice(panel, h);
        CheckModeless(h);
        UI_CHECK(plat::SendCloseRequest(h.panel));
    }
    return 0;
}

}  // namespace

void TestDialogs() {
    PanelHandler handler;
    HANDLE driver = CreateThread(nullptr, 0, &Drive, &handler, 0, nullptr);
    const int result = plat::RunModalDialog(PanelTable(), handler);
    WaitForSingleObject(driver, INFINITE);
    CloseHandle(driver);
    UI_CHECK(result == plat::kIdCancel);
    UI_CHECK(handler.destroyed);
    UI_CHECK(!plat::WindowExists(handler.panel));
}

}  // namespace uitest
