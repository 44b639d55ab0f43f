// One headless dialog: its controls kept by id, its place and flags, and
// the handler it routes messages to. Internal to the headless window system.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/dialog.h"
#include "tests/headless/headless_windows.h"

namespace plat {
namespace headless {

struct ThreadQueue;

class HeadlessWindow : public DialogWindow {
  public:
    HeadlessWindow(const DialogTemplate& t, DialogHandler& handler, bool modal,
                   std::shared_ptr<ThreadQueue> queue);

    // DialogWindow, used by the handler on the window's thread.
    WindowId Id() const override;
    bool IsModal() const override { return modal_; }
    void SetCaption(const std::string& text) override;
    std::string Caption() const override;
    bool HasItem(int id) const override;
    void SetItemText(int id, const std::string& text) override;
    std::string ItemText(int id) const override;
    void SetCheck(int id, bool checked) override;
    bool IsChecked(int id) const override;
    void EnableItem(int id, bool enabled) override;
    void MoveItem(int id, const Rect& r) override;
    Rect ItemRect(int id) const override;
    bool MakeOwnerDrawn(int id) override;
    void RedrawItemNow(int id) override;
    void InvalidateItem(int id) override;
    Rect WindowRect() const override;
    Rect ClientRect() const override;
    void MoveTo(int x, int y) override;
    void MakeTopmost() override;
    void SetIcon(int resourceId) override;
    void DisableCloseEntry() override;
    void Show() override;
    void EndDialog(int result) override;
    void Destroy() override;

    // Set once by the window system when the window is added.
    void SetId(WindowId id) { id_ = id; }
    const std::shared_ptr<ThreadQueue>& Queue() const { return queue_; }
    DialogHandler& Handler() { return handler_; }

    // What the user does, on the window's thread.
    void UserClick(int id);
    void UserResize(int width, int height);
    void UserMove(int left, int top);

    // Paints the item through OnDrawItem and returns what it drew; null
    // when it is not owner-drawn.
    std::shared_ptr<const PaintRecord> PaintItem(int id, unsigned state);
    // Paints the invalidated items (the paint message).
    void PaintInvalidated();

    // Caller holds the window system's mutex for the rest.
    bool EndedLocked() const { return ended_ || destroyed_; }
    bool DestroyedLocked() const { return destroyed_; }
    int ResultLocked() const { return result_; }
    // Marks the window gone without calling its handler.
    void DiscardLocked();
    WindowState SnapshotLocked() const;
    std::shared_ptr<const PaintRecord> LastPaintLocked(int id) const;

  private:
    struct Control {
        ControlState state;
        std::shared_ptr<const PaintRecord> lastPaint;
    };
    Control* FindLocked(int id);
    const Control* FindLocked(int id) const;
    void SetClientSizeLocked(int width, int height);
    unsigned ItemStateLocked(const Control& c) const;

    DialogHandler& handler_;
    const bool modal_;
    const int templateId_;
    const bool framed_;
    const bool captioned_;
    std::shared_ptr<ThreadQueue> queue_;
    WindowId id_ = 0;
    std::string caption_;
    Rect rect_;    // screen, pixels, frame included
    Rect client_;  // {0, 0, width, height}
    bool topmost_ = false;
    int iconId_ = 0;
    bool closeEntryDisabled_ = false;
    bool visible_ = false;
    bool ended_ = false;
    bool destroyed_ = false;
    bool destroying_ = false;
    int result_ = -1;
    int focusId_ = 0;
    std::vector<Control> controls_;
    std::set<int> unpainted_;
};

}  // namespace headless
}  // namespace plat
