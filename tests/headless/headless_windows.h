// The headless window system: the dialogs of platform/dialog.h without
// pixels, and the driver through which the tests look at the windows and act
// on them as a user would. A library of the tests (libStatsHeadless.so):
// loading it installs the windows as the dialogs' backend
// (platform/posix/window_backend.h) for the plug-in and the test alike.
//
// Message rules (those of the Windows window manager):
//  - Every thread that makes a window or sends a message has one message
//    queue. A window belongs to the thread that made it; its handler runs
//    only on that thread.
//  - RunModalDialog's loop is the thread's only message loop. It retrieves
//    the messages of every window of the thread, not just its dialog's, and
//    returns when its dialog ends (EndDialog, or its destruction). Modal
//    runs nest.
//  - A message sent from another thread (SendCloseRequest, and the
//    driver's calls) runs only when the target thread retrieves messages,
//    and ahead of every posted one. A send to a window of the calling
//    thread runs at once. While a thread waits for a send to be handled, it
//    handles the messages sent to its own windows, and nothing else.
//  - Posted messages (PostWindowMessage, the driver's clicks and keys) run
//    in the order they were posted. One posted to a window whose thread runs
//    no loop waits in the queue until a loop runs.
//  - Invalidated owner-drawn items paint when the thread retrieves messages
//    and nothing sent or posted waits.
//  - Posting or sending to a window that no longer exists fails. A message
//    queued for a window that is destroyed before it runs is dropped.
//  - Escape is OnCommand(kIdCancel, 0) and Enter OnCommand(kIdOk, 0); the
//    close request is OnClose; a user message is OnUserMessage.
//  - A modal dialog shows once OnInitDialog has run; a modeless one stays
//    hidden until Show unless its template's style has WS_VISIBLE.
//  - Destroy runs OnDestroy, then the window is gone. A modal dialog that
//    ends is destroyed the same way before RunModalDialog returns. Destroy
//    on a modal dialog ends its run with kIdCancel; EndDialog on a modeless
//    one only hides it.
//  - An exception from a handler leaves the loop that ran it; a sender
//    waiting for that message is answered all the same, and a modal run
//    that it leaves takes its dialog away without calling its handler.
//  - When a thread ends, its windows are gone without their handlers being
//    called, and what was queued for them is dropped.
//
// Geometry: dialog units become pixels as the dialog font "MS Shell Dlg"
// 8 points does at 96 dots per inch, a base unit of 6 by 13 pixels:
//   x pixels = MulDiv(x, 6, 4), y pixels = MulDiv(y, 13, 8)
// (rounded half away from zero), each of left, top, right, bottom on its
// own. A dialog's template size is its client area; its window rectangle
// adds a frame of kFrameWidth pixels on every side and, with a caption, a
// caption bar of kCaptionHeight pixels at the top. The template's x and y
// are the window's top-left corner on the screen.
//
// Texts are UTF-8.
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/canvas.h"
#include "platform/dialog.h"
#include "tests/headless/recording_canvas.h"

namespace plat {
namespace headless {

constexpr int kBaseUnitX = 6;
constexpr int kBaseUnitY = 13;
constexpr int kFrameWidth = 3;
constexpr int kCaptionHeight = 19;

int DialogUnitsToPixelsX(int units);
int DialogUnitsToPixelsY(int units);

// One paint of an owner-drawn item.
struct PaintRecord {
    Rect rect;                  // the item's rectangle handed to OnDrawItem
    unsigned state = 0;         // kItemSelected, kItemFocus, kItemDisabled
    std::vector<CanvasOp> ops;  // what OnDrawItem drew, in order
};

struct ControlState {
    int id = 0;
    ControlKind kind = ControlKind::kStatic;
    std::string text;
    bool checked = false;
    bool enabled = true;
    bool ownerDrawn = false;
    Rect rect;       // in the client area, pixels
    int paints = 0;  // how often OnDrawItem painted it
};

struct WindowState {
    WindowId id = 0;
    int templateId = 0;
    bool modal = false;
    std::string caption;
    Rect rect;    // screen, pixels, frame included
    Rect client;  // {0, 0, width, height}
    bool topmost = false;
    int iconId = 0;  // 0: none set
    bool closeEntryDisabled = false;
    bool visible = false;
    std::vector<ControlState> controls;  // in template order

    const ControlState* Control(int controlId) const {
        for (const ControlState& c : controls) {
            if (c.id == controlId) {
                return &c;
            }
        }
        return nullptr;
    }
};

// Looking at the windows, from any thread. Each answer is a snapshot.

// The live windows, oldest first.
std::vector<WindowState> LiveWindows();
// The oldest live window of the template, or 0.
WindowId FindWindow(int templateId);
WindowId FindWindowByCaption(const std::string& caption);
// The window's state; nothing when it is gone.
std::optional<WindowState> ReadWindow(WindowId w);

// Acting as the user, from any thread. Each is posted to the window's
// thread and handled by its loop, like a real click; false when the window
// is gone. Sync waits for the effect.

// A click on a control: an enabled check box that is not owner-drawn
// toggles, then the window gets OnCommand(id, 0). A disabled control, a
// label or a group box ignores it.
bool Click(WindowId w, int controlId);
bool PressEscape(WindowId w);
bool PressEnter(WindowId w);
// The pointer moves over the window (OnSetCursor).
bool MovePointerOver(WindowId w);
// Drags the window so that its top-left corner is at (left, top).
bool DragWindow(WindowId w, int left, int top);
// Resizes the window's frame to width x height pixels; OnSize gets the new
// client size.
bool ResizeWindow(WindowId w, int width, int height);

// Waits until the thread of window `w` has handled everything queued for
// it, including what those messages queued in turn. Works after the window
// is gone, as long as its thread runs; true at once when the thread has
// ended. On the window's own thread it handles the queue itself. False on
// timeout (a thread that runs no loop never handles its queue).
bool Sync(WindowId w, int timeoutMs = 5000);

// Waits until a live window of the template exists and its thread has
// handled everything queued (so its initialisation is over), and returns
// it; 0 when none appeared in time. For windows that another thread opens.
WindowId WaitForWindow(int templateId, int timeoutMs = 5000);

// Paints an owner-drawn item on its window's thread, as a sent message
// (ahead of posted ones), through OnDrawItem with the item's rectangle
// {0, 0, width, height} and `state`, and returns what it drew. Nothing when
// the item is not owner-drawn, the window is gone or its thread did not
// answer in time.
std::optional<PaintRecord> PaintItem(WindowId w, int controlId, unsigned state,
                                     int timeoutMs = 5000);
// The item's latest paint, whatever caused it: RedrawItemNow, an
// invalidation, a click on it (pressed, then released), PaintItem.
std::optional<PaintRecord> LastItemPaint(WindowId w, int controlId);

// How many messages wait in the queue of window `w`'s thread (sent and
// posted; paints not counted); 0 when the window is gone.
std::size_t QueuedMessages(WindowId w);

// Asks the window's handler for a control's colours (id 0: the dialog's)
// on its thread, and waits. False when the handler leaves the system's
// colours, the window is gone or its thread did not answer in time.
bool AskControlColours(WindowId w, int controlId, ControlColours& out, int timeoutMs = 5000);

// For code that waits on a window thread for another thread (the host link
// natively): handles the messages sent to the calling thread's windows, and
// nothing else, until done() is true or the timeout passes (< 0: no limit).
// done() is polled every millisecond. Returns done().
bool WaitServingSentMessages(const std::function<bool()>& done, int timeoutMs = -1);

// For tests: no live windows, nothing queued; threads waiting on a send or
// a sync return, and a modal run returns -1. No handler is called.
void ResetWindows();

}  // namespace headless
}  // namespace plat
