// Dialog windows: the window system the plug-in's windows are built on.
//
// A dialog is described by a table (DialogTemplate) and driven by an object
// of the window's own class (a DialogHandler), which reaches its controls by
// id through the DialogWindow it is handed. On Windows the template becomes
// a real dialog template in memory; natively the program that loads the
// plug-in may install a window system (platform/posix/window_backend.h): the
// tests install a headless one that keeps the same windows without pixels.
//
// Threads: a dialog belongs to the thread that created it, and all of its
// handler's calls run on that thread. From any thread a window can only be
// reached through its WindowId: PostWindowMessage and SendCloseRequest.
// All texts are UTF-8.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "platform/canvas.h"
#include "platform/sync.h"

namespace plat {

enum class ControlKind {
    kStatic,      // label
    kPushButton,  // BS_PUSHBUTTON
    kCheckBox,    // BS_AUTOCHECKBOX
    kGroupBox,
    kEdit,
    kComboBox,
};

// Extra style bits, the Win32 values, applied on top of the kind's own.
constexpr std::uint32_t kStyleGroup = 0x00020000;         // WS_GROUP
constexpr std::uint32_t kStyleTabStop = 0x00010000;       // WS_TABSTOP
constexpr std::uint32_t kExStyleStaticEdge = 0x00020000;  // WS_EX_STATICEDGE
constexpr std::uint32_t kExStyleClientEdge = 0x00000200;  // WS_EX_CLIENTEDGE

// Style bits of one kind of control, the Win32 values. Every control is a
// visible child; on top of that a push button and a check box are tab stops,
// an edit field is a bordered tab stop that keeps to its width unless it has
// kEditAutoHScroll, and a combo box is an editable drop-down (its height cy
// includes the open list) that scrolls its text sideways.
constexpr std::uint32_t kButtonDefault = 0x00000001;    // BS_DEFPUSHBUTTON: pressed by Enter
constexpr std::uint32_t kEditMultiLine = 0x00000004;    // ES_MULTILINE
constexpr std::uint32_t kEditAutoVScroll = 0x00000040;  // ES_AUTOVSCROLL
constexpr std::uint32_t kEditAutoHScroll = 0x00000080;  // ES_AUTOHSCROLL: scrolls sideways
constexpr std::uint32_t kEditWantReturn = 0x00001000;   // ES_WANTRETURN: Enter starts a new line
constexpr std::uint32_t kComboSort = 0x00000100;        // CBS_SORT: the list in alphabetical order
constexpr std::uint32_t kStyleVScroll = 0x00200000;     // WS_VSCROLL

struct ControlTemplate {
    int id = 0;
    ControlKind kind = ControlKind::kStatic;
    std::string text;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
};

// One row of a dialog's table.
inline ControlTemplate MakeControl(int id, ControlKind kind, std::string text, int x, int y, int cx,
                                   int cy, std::uint32_t style = 0, std::uint32_t exStyle = 0) {
    ControlTemplate c;
    c.id = id;
    c.kind = kind;
    c.text = std::move(text);
    c.x = x;
    c.y = y;
    c.cx = cx;
    c.cy = cy;
    c.style = style;
    c.exStyle = exStyle;
    return c;
}

// Window styles of the dialog itself.
constexpr std::uint32_t kDialogPopup = 0x80000000;       // WS_POPUP
constexpr std::uint32_t kDialogCaption = 0x00C00000;     // WS_CAPTION
constexpr std::uint32_t kDialogSysMenu = 0x00080000;     // WS_SYSMENU
constexpr std::uint32_t kDialogModalFrame = 0x00000080;  // DS_MODALFRAME
constexpr std::uint32_t kDialogThickFrame = 0x00040000;  // WS_THICKFRAME (sizable)
constexpr std::uint32_t kDialogCentre = 0x00000800;      // DS_CENTER: centred on the screen

struct DialogTemplate {
    int id = 0;  // the template's resource number (104, 105, ...)
    std::string caption;
    int x = 0, y = 0, cx = 0, cy = 0;  // dialog units
    std::uint32_t style = 0;
    std::uint32_t exStyle = 0;
    std::string fontName = "MS Shell Dlg";
    int fontPoints = 8;
    std::vector<ControlTemplate> controls;
};

// Identifies a live window across threads, like a window handle; 0 is none.
// Ids are never reused while the process runs.
using WindowId = std::uintptr_t;

// Message numbers the handlers see (the Win32 values).
constexpr unsigned kMsgClose = 0x0010;  // WM_CLOSE
constexpr unsigned kMsgUser = 0x0400;   // WM_USER
// The dialog system's own messages (default button, reposition) take
// kMsgUser to kMsgUser + 2; the plug-in's messages start here.
constexpr unsigned kFirstOwnMessage = kMsgUser + 3;

// Command ids of the dialog keys.
constexpr int kIdOk = 1;
constexpr int kIdCancel = 2;

struct ControlColours {
    Colour text = 0;
    Colour textBackground = 0;
    Colour background = 0;  // the brush the control's background is painted with
};

class DialogWindow;

// The window's object: one per dialog, living at least as long as the dialog.
class DialogHandler {
  public:
    virtual ~DialogHandler() = default;
    // After the controls exist; true lets the dialog focus its first control.
    virtual bool OnInitDialog(DialogWindow& /*w*/) { return true; }
    // A click (or another notification `code`) from control `id`; kIdOk and
    // kIdCancel for Enter and Escape. The default ends a modal dialog with
    // kIdCancel on Escape and does nothing else.
    virtual void OnCommand(DialogWindow& w, int id, int code);
    // The close request (window-menu Close, or SendCloseRequest). The default
    // ends a modal dialog with kIdCancel and destroys a modeless one.
    virtual void OnClose(DialogWindow& w);
    // A message of our own (kFirstOwnMessage and above) posted or sent to
    // the window.
    virtual void OnUserMessage(DialogWindow& /*w*/, unsigned /*msg*/) {}
    // Colours of a control (id) or of the dialog itself (id 0); false leaves
    // the system's colours.
    virtual bool OnControlColours(DialogWindow& /*w*/, int /*id*/, ControlColours& /*out*/) {
        return false;
    }
    // The pointer moved over the window or one of its controls.
    virtual void OnSetCursor(DialogWindow& /*w*/) {}
    // The client area was resized (pixels).
    virtual void OnSize(DialogWindow& /*w*/, int /*cx*/, int /*cy*/) {}
    // An owner-drawn control asks to be painted: its whole rectangle in the
    // canvas's coordinates and the item state bits (kItemSelected ...).
    virtual void OnDrawItem(DialogWindow& /*w*/, int /*id*/, Canvas& /*c*/, const Rect& /*r*/,
                            unsigned /*state*/) {}
    // The window is being destroyed; the DialogWindow is still valid.
    virtual void OnDestroy(DialogWindow& /*w*/) {}
};

// What a handler can do to its own window. Valid during the handler's calls;
// used only on the window's own thread.
class DialogWindow {
  public:
    virtual ~DialogWindow() = default;
    virtual WindowId Id() const = 0;
    // True for a dialog run by RunModalDialog, false for a modeless one.
    virtual bool IsModal() const = 0;

    virtual void SetCaption(const std::string& text) = 0;
    virtual std::string Caption() const = 0;
    virtual bool HasItem(int id) const = 0;
    virtual void SetItemText(int id, const std::string& text) = 0;
    virtual std::string ItemText(int id) const = 0;
    virtual void SetCheck(int id, bool checked) = 0;
    virtual bool IsChecked(int id) const = 0;
    virtual void EnableItem(int id, bool enabled) = 0;
    // A control's place in the client area, pixels.
    virtual void MoveItem(int id, const Rect& r) = 0;
    virtual Rect ItemRect(int id) const = 0;
    // Makes a template's button owner-drawn (style bits OR 0x0B): its paints
    // reach OnDrawItem from then on. False when there is no such item.
    virtual bool MakeOwnerDrawn(int id) = 0;
    // Invalidates the item, erases its background and paints it before
    // returning.
    virtual void RedrawItemNow(int id) = 0;
    // Invalidates the item without erasing; it paints with the next messages.
    virtual void InvalidateItem(int id) = 0;

    // The window's screen rectangle, pixels.
    virtual Rect WindowRect() const = 0;
    virtual Rect ClientRect() const = 0;
    // Moves the window's top-left corner without resizing or restacking it.
    virtual void MoveTo(int x, int y) = 0;
    // Topmost, without moving, sizing or activating.
    virtual void MakeTopmost() = 0;
    // The large icon from the plug-in's icon resource `resourceId`.
    virtual void SetIcon(int resourceId) = 0;
    // Disables (not greys) the Close entry of the window menu.
    virtual void DisableCloseEntry() = 0;
    virtual void Show() = 0;
    // Ends a modal run with `result` (a modeless dialog is only hidden).
    virtual void EndDialog(int result) = 0;
    // Destroys a modeless dialog (OnDestroy runs first); a modal run ends
    // with kIdCancel.
    virtual void Destroy() = 0;
};

// Runs the dialog modally; its loop is the calling thread's message loop
// and carries the messages of every other window of the thread. Returns the
// EndDialog result, or -1 when the dialog could not be created.
int RunModalDialog(const DialogTemplate& t, DialogHandler& handler) EXCLUDES(g_engineMutex);

// Creates a modeless dialog without a parent on the calling thread, hidden
// until Show (OnInitDialog has run when this returns). 0 on failure.
WindowId CreateModelessDialog(const DialogTemplate& t, DialogHandler& handler);

// From any thread: queues `msg` for the window and returns without waiting.
// False when the window no longer exists.
bool PostWindowMessage(WindowId w, unsigned msg);

// From any thread: delivers the close request and waits until the window's
// thread has handled it (at once on the window's own thread). While it
// waits, the calling thread still handles messages sent to its own windows.
// Returns false when the window no longer exists.
bool SendCloseRequest(WindowId w) EXCLUDES(g_engineMutex);

// True while the window exists.
bool WindowExists(WindowId w);

}  // namespace plat
