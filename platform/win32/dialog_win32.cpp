// Dialogs built from tables, on the Windows dialog manager. One dialog
// procedure serves every dialog: it keeps the window's object in the
// window's user data and hands each message to the handler.
#include "platform/win32/windows_api.h"

#include <utility>
#include <vector>

#include "platform/dialog.h"
#include "platform/win32/dialog_template_win32.h"
#include "platform/win32/gdi_canvas.h"
#include "platform/win32/owned_dialog.h"
#include "platform/win32/wide_text.h"

namespace plat {
namespace {

// The module whose code is running: the plug-in's library, or a test
// program that links the backend in. Its resources hold the icons.
HINSTANCE ThisModule() {
    HMODULE module = nullptr;
    GetModuleHandleExW(
        GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
        reinterpret_cast<LPCWSTR>(&ThisModule), &module);
    return module;
}

HWND ToHandle(WindowId id) {
    return FromInteger<HWND>(id);
}

// How far a modeless dialog has come while CreateModelessDialog waits.
enum class Creation { kNotAttached, kAlive, kGone };

class Win32Dialog final : public DialogWindow {
  public:
    Win32Dialog(DialogHandler& handler, bool modal) : handler_(handler), modal_(modal) {}
    ~Win32Dialog() override { FreeBrushes(); }
    Win32Dialog(const Win32Dialog&) = delete;
    Win32Dialog& operator=(const Win32Dialog&) = delete;

    DialogHandler& handler() { return handler_; }

    void Attach(HWND hwnd) {
        hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        if (creation_ != nullptr) {
            *creation_ = Creation::kAlive;
        }
    }
    void WatchCreation(Creation* creation) { creation_ = creation; }

    // The window is gone: the object lets go of it, and a modeless dialog's
    // object is deleted once no handler call is running on it any more.
    void Detach() {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        FreeBrushes();
        if (creation_ != nullptr) {
            *creation_ = Creation::kGone;
            creation_ = nullptr;
        }
        detached_ = true;
        DeleteIfDone();
    }

    // Brackets each handler call, so a dialog destroyed inside a handler
    // keeps its object until the handler has returned.
    class Call {
      public:
        explicit Call(Win32Dialog& d) : d_(d) { ++d_.calls_; }
        ~Call() {
            --d_.calls_;
            d_.DeleteIfDone();
        }
        Call(const Call&) = delete;
        Call& operator=(const Call&) = delete;

      private:
        Win32Dialog& d_;
    };

    // One brush per colour, kept until the window is gone.
    HBRUSH Brush(Colour c) {
        for (const auto& entry : brushes_) {
            if (entry.first == c) {
                return entry.second;
            }
        }
        HBRUSH brush = CreateSolidBrush(c);
        if (brush != nullptr) {
            brushes_.emplace_back(c, brush);
        }
        return brush;
    }

    WindowId Id() const override { return reinterpret_cast<WindowId>(hwnd_); }
    bool IsModal() const override { return modal_; }

    void SetCaption(const std::string& text) override {
        SetWindowTextW(hwnd_, Utf8ToWide(text).c_str());
    }
    std::string Caption() const override { return WindowTextUtf8(hwnd_); }
    bool HasItem(int id) const override { return Item(id) != nullptr; }
    void SetItemText(int id, const std::string& text) override {
        SetDlgItemTextW(hwnd_, id, Utf8ToWide(text).c_str());
    }
    std::string ItemText(int id) const override {
        HWND item = Item(id);
        return item != nullptr ? WindowTextUtf8(item) : std::string();
    }
    void SetCheck(int id, bool checked) override {
        CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED);
    }
    bool IsChecked(int id) const override { return IsDlgButtonChecked(hwnd_, id) == BST_CHECKED; }
    void EnableItem(int id, bool enabled) override {
        HWND item = Item(id);
        if (item != nullptr) {
            EnableWindow(item, enabled ? TRUE : FALSE);
        }
    }
    void MoveItem(int id, const Rect& r) override {
        HWND item = Item(id);
        if (item != nullptr) {
            MoveWindow(item, r.left, r.top, r.Width(), r.Height(), TRUE);
        }
    }
    Rect ItemRect(int id) const override {
        HWND item = Item(id);
        RECT rc = {0, 0, 0, 0};
        if (item == nullptr || !GetWindowRect(item, &rc)) {
            return Rect{};
        }
        MapWindowPoints(HWND_DESKTOP, hwnd_, reinterpret_cast<POINT*>(&rc), 2);
        return Rect{rc.left, rc.top, rc.right, rc.bottom};
    }
    bool MakeOwnerDrawn(int id) override {
        HWND item = Item(id);
        if (item == nullptr) {
            return false;
        }
        const LONG_PTR style = GetWindowLongPtrW(item, GWL_STYLE);
        SetWindowLongPtrW(item, GWL_STYLE, style | BS_OWNERDRAW);
        InvalidateRect(item, nullptr, TRUE);
        return true;
    }
    void RedrawItemNow(int id) override {
        HWND item = Item(id);
        if (item != nullptr) {
            RedrawWindow(item, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
    }
    void InvalidateItem(int id) override {
        HWND item = Item(id);
        if (item != nullptr) {
            InvalidateRect(item, nullptr, FALSE);
        }
    }

    Rect WindowRect() const override {
        RECT rc = {0, 0, 0, 0};
        GetWindowRect(hwnd_, &rc);
        return Rect{rc.left, rc.top, rc.right, rc.bottom};
    }
    Rect ClientRect() const override {
        RECT rc = {0, 0, 0, 0};
        GetClientRect(hwnd_, &rc);
        return Rect{rc.left, rc.top, rc.right, rc.bottom};
    }
    void MoveTo(int x, int y) override {
        SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    void MakeTopmost() override {
        SetWindowPos(hwnd_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    void SetIcon(int resourceId) override {
        HICON icon = LoadIconW(ThisModule(), MAKEINTRESOURCEW(resourceId));
        if (icon != nullptr) {
            SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        }
    }
    void DisableCloseEntry() override {
        HMENU menu = GetSystemMenu(hwnd_, FALSE);
        if (menu != nullptr) {
            EnableMenuItem(menu, SC_CLOSE, MF_BYCOMMAND | MF_DISABLED);
        }
    }
    void Show() override { ShowWindow(hwnd_, SW_SHOW); }
    // A modeless dialog is hidden, as Windows does.
    void EndDialog(int result) override {
        if (hwnd_ != nullptr) {
            ::EndDialog(hwnd_, result);
        }
    }
    void Destroy() override {
        if (hwnd_ == nullptr) {
            return;
        }
        if (modal_) {
            ::EndDialog(hwnd_, kIdCancel);
        } else {
            DestroyWindow(hwnd_);
        }
    }

  private:
    HWND Item(int id) const { return hwnd_ != nullptr ? GetDlgItem(hwnd_, id) : nullptr; }

    void FreeBrushes() {
        for (const auto& entry : brushes_) {
            DeleteObject(entry.second);
        }
        brushes_.clear();
    }

    void DeleteIfDone() {
        if (!modal_ && detached_ && calls_ == 0) {
            delete this;
        }
    }

    DialogHandler& handler_;
    const bool modal_;
    HWND hwnd_ = nullptr;
    int calls_ = 0;
    bool detached_ = false;
    Creation* creation_ = nullptr;
    std::vector<std::pair<Colour, HBRUSH>> brushes_;
};

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The dialog of ours that `hwnd` is, or null.
Win32Dialog* OwnDialog(HWND hwnd) {
    if (hwnd == nullptr ||
        GetWindowLongPtrW(hwnd, DWLP_DLGPROC) != reinterpret_cast<LONG_PTR>(&DialogProc)) {
        return nullptr;
    }
    return FromInteger<Win32Dialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
}

INT_PTR ControlColoursReply(Win32Dialog& d, UINT msg, HDC dc, HWND control) {
    const int id = msg == WM_CTLCOLORDLG ? 0 : GetDlgCtrlID(control);
    ControlColours colours;
    if (!d.handler().OnControlColours(d, id, colours)) {
        return FALSE;
    }
    SetTextColor(dc, colours.text);
    SetBkColor(dc, colours.textBackground);
    return reinterpret_cast<INT_PTR>(d.Brush(colours.background));
}

INT_PTR Route(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_INITDIALOG) {
        auto* d = FromInteger<Win32Dialog*>(lParam);
        d->Attach(hwnd);
        Win32Dialog::Call call(*d);
        return d->handler().OnInitDialog(*d) ? TRUE : FALSE;
    }
    auto* d = FromInteger<Win32Dialog*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (d == nullptr) {
        return FALSE;
    }
    if (msg == WM_NCDESTROY) {
        d->Detach();
        return FALSE;
    }
    Win32Dialog::Call call(*d);
    DialogHandler& h = d->handler();
    switch (msg) {
        case WM_COMMAND:
            h.OnCommand(*d, LOWORD(wParam), HIWORD(wParam));
            return TRUE;
        case WM_CLOSE:
            h.OnClose(*d);
            return TRUE;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
            return ControlColoursReply(*d, msg, FromInteger<HDC>(wParam),
                                       FromInteger<HWND>(lParam));
        case WM_SETCURSOR:
            h.OnSetCursor(*d);
            return FALSE;  // the default handling sets the cursor
        case WM_SIZE:
            h.OnSize(*d, LOWORD(lParam), HIWORD(lParam));
            return FALSE;
        case WM_DRAWITEM: {
            const auto* item = FromInteger<const DRAWITEMSTRUCT*>(lParam);
            GdiCanvas canvas(item->hDC);
            const Rect r{item->rcItem.left, item->rcItem.top, item->rcItem.right,
                         item->rcItem.bottom};
            h.OnDrawItem(*d, static_cast<int>(item->CtlID), canvas, r, item->itemState);
            return TRUE;
        }
        case WM_DESTROY:
            h.OnDestroy(*d);
            return FALSE;
        default:
            break;
    }
    if (msg >= kFirstOwnMessage && msg < WM_APP) {
        h.OnUserMessage(*d, msg);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        return Route(hwnd, msg, wParam, lParam);
    } catch (...) {
        return FALSE;
    }
}

// The modal loop hands keyboard messages to its own dialog only; this
// filter, active while a modal run lasts, lets the thread's modeless
// dialogs have theirs too (Tab, Enter, Escape).
LRESULT CALLBACK ModelessKeys(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_DIALOGBOX) {
        auto* m = FromInteger<MSG*>(lParam);
        if (m != nullptr && m->message >= WM_KEYFIRST && m->message <= WM_KEYLAST) {
            HWND root = GetAncestor(m->hwnd, GA_ROOT);
            Win32Dialog* d = OwnDialog(root);
            if (d != nullptr && !d->IsModal() && IsDialogMessageW(root, m)) {
                return TRUE;
            }
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class ModelessKeysFilter {
  public:
    ModelessKeysFilter()
        : hook_(SetWindowsHookExW(WH_MSGFILTER, &ModelessKeys, nullptr, GetCurrentThreadId())) {}
    ~ModelessKeysFilter() {
        if (hook_ != nullptr) {
            UnhookWindowsHookEx(hook_);
        }
    }
    ModelessKeysFilter(const ModelessKeysFilter&) = delete;
    ModelessKeysFilter& operator=(const ModelessKeysFilter&) = delete;

  private:
    HHOOK hook_;
};

}  // namespace

int RunOwnedModalDialog(const DialogTemplate& t, DialogHandler& handler, HWND owner) {
    try {
        const std::vector<WORD> words = BuildDialogTemplate(t, true);
        Win32Dialog dialog(handler, true);
        ModelessKeysFilter filter;
        const INT_PTR result =
            DialogBoxIndirectParamW(ThisModule(), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()),
                                    owner, &DialogProc, reinterpret_cast<LPARAM>(&dialog));
        return static_cast<int>(result);
    } catch (...) {
        return -1;
    }
}

int RunModalDialog(const DialogTemplate& t, DialogHandler& handler) {
    return RunOwnedModalDialog(t, handler, nullptr);
}

WindowId CreateModelessDialog(const DialogTemplate& t, DialogHandler& handler) {
    try {
        const std::vector<WORD> words = BuildDialogTemplate(t, false);
        auto* dialog = new Win32Dialog(handler, false);
        Creation creation = Creation::kNotAttached;
        dialog->WatchCreation(&creation);
        HWND hwnd = CreateDialogIndirectParamW(
            ThisModule(), reinterpret_cast<LPCDLGTEMPLATEW>(words.data()), nullptr, &DialogProc,
            reinterpret_cast<LPARAM>(dialog));
        if (creation == Creation::kNotAttached) {
            delete dialog;
            return 0;
        }
        if (creation == Creation::kGone || hwnd == nullptr) {
            return 0;  // destroyed during its creation; its object went with it
        }
        dialog->WatchCreation(nullptr);
        return reinterpret_cast<WindowId>(hwnd);
    } catch (...) {
        return 0;
    }
}

bool PostWindowMessage(WindowId w, unsigned msg) {
    return w != 0 && PostMessageW(ToHandle(w), msg, 0, 0) != FALSE;
}

bool SendCloseRequest(WindowId w) {
    if (!WindowExists(w)) {
        return false;
    }
    SendMessageW(ToHandle(w), WM_CLOSE, 0, 0);
    return true;
}

bool WindowExists(WindowId w) {
    return w != 0 && IsWindow(ToHandle(w)) != FALSE;
}

}  // namespace plat
