#include "tests/headless/headless_window.h"

#include <algorithm>
#include <mutex>
#include <utility>

#include "tests/headless/recording_canvas.h"
#include "tests/headless/window_system.h"

namespace plat {
namespace headless {
namespace {

constexpr std::uint32_t kStyleDisabled = 0x08000000;  // WS_DISABLED
constexpr std::uint32_t kButtonTypeMask = 0x0000000F;
constexpr std::uint32_t kButtonOwnerDraw = 0x0000000B;  // BS_OWNERDRAW

// a * b / c rounded half away from zero, as the Windows MulDiv.
int MulDiv(int a, int b, int c) {
    const long long p = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(p >= 0 ? (p + half) / c : -((-p + half) / c));
}

bool IsButton(ControlKind kind) {
    return kind == ControlKind::kPushButton || kind == ControlKind::kCheckBox;
}

std::mutex& Lock() {
    return WindowSystem::Get().Mutex();
}

}  // namespace

int DialogUnitsToPixelsX(int units) {
    return MulDiv(units, kBaseUnitX, 4);
}

int DialogUnitsToPixelsY(int units) {
    return MulDiv(units, kBaseUnitY, 8);
}

HeadlessWindow::HeadlessWindow(const DialogTemplate& t, DialogHandler& handler, bool modal,
                               std::shared_ptr<ThreadQueue> queue)
    : handler_(handler),
      modal_(modal),
      templateId_(t.id),
      framed_((t.style & (kDialogCaption | kDialogModalFrame | kDialogThickFrame)) != 0),
      captioned_((t.style & kDialogCaption) == kDialogCaption),
      queue_(std::move(queue)),
      caption_(t.caption) {
    const int left = DialogUnitsToPixelsX(t.x);
    const int top = DialogUnitsToPixelsY(t.y);
    rect_ = {left, top, left, top};
    SetClientSizeLocked(DialogUnitsToPixelsX(t.cx), DialogUnitsToPixelsY(t.cy));
    for (const ControlTemplate& ct : t.controls) {
        Control c;
        c.state.id = ct.id;
        c.state.kind = ct.kind;
        c.state.text = ct.text;
        c.state.enabled = (ct.style & kStyleDisabled) == 0;
        c.state.ownerDrawn = IsButton(ct.kind) && (ct.style & kButtonTypeMask) == kButtonOwnerDraw;
        c.state.rect = {DialogUnitsToPixelsX(ct.x), DialogUnitsToPixelsY(ct.y),
                        DialogUnitsToPixelsX(ct.x + ct.cx), DialogUnitsToPixelsY(ct.y + ct.cy)};
        controls_.push_back(std::move(c));
    }
}

// Caller holds the lock, or the window is not shared yet.
void HeadlessWindow::SetClientSizeLocked(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    const int frame = framed_ ? kFrameWidth : 0;
    const int caption = captioned_ ? kCaptionHeight : 0;
    client_ = {0, 0, width, height};
    rect_.right = rect_.left + width + 2 * frame;
    rect_.bottom = rect_.top + height + 2 * frame + caption;
}

HeadlessWindow::Control* HeadlessWindow::FindLocked(int id) {
    for (Control& c : controls_) {
        if (c.state.id == id) {
            return &c;
        }
    }
    return nullptr;
}

const HeadlessWindow::Control* HeadlessWindow::FindLocked(int id) const {
    return const_cast<HeadlessWindow*>(this)->FindLocked(id);
}

unsigned HeadlessWindow::ItemStateLocked(const Control& c) const {
    unsigned state = 0;
    if (!c.state.enabled) {
        state |= kItemDisabled;
    }
    if (focusId_ == c.state.id) {
        state |= kItemFocus;
    }
    return state;
}

WindowId HeadlessWindow::Id() const {
    return id_;
}

void HeadlessWindow::SetCaption(const std::string& text) {
    std::lock_guard<std::mutex> lock(Lock());
    caption_ = text;
}

std::string HeadlessWindow::Caption() const {
    std::lock_guard<std::mutex> lock(Lock());
    return caption_;
}

bool HeadlessWindow::HasItem(int id) const {
    std::lock_guard<std::mutex> lock(Lock());
    return FindLocked(id) != nullptr;
}

void HeadlessWindow::SetItemText(int id, const std::string& text) {
    std::lock_guard<std::mutex> lock(Lock());
    if (Control* c = FindLocked(id)) {
        c->state.text = text;
    }
}

std::string HeadlessWindow::ItemText(int id) const {
    std::lock_guard<std::mutex> lock(Lock());
    const Control* c = FindLocked(id);
    return c != nullptr ? c->state.text : std::string();
}

// Only check boxes keep a check state; other buttons ignore it.
void HeadlessWindow::SetCheck(int id, bool checked) {
    std::lock_guard<std::mutex> lock(Lock());
    Control* c = FindLocked(id);
    if (c != nullptr && c->state.kind == ControlKind::kCheckBox) {
        c->state.checked = checked;
    }
}

bool HeadlessWindow::IsChecked(int id) const {
    std::lock_guard<std::mutex> lock(Lock());
    const Control* c = FindLocked(id);
    return c != nullptr && c->state.checked;
}

void HeadlessWindow::EnableItem(int id, bool enabled) {
    std::lock_guard<std::mutex> lock(Lock());
    if (Control* c = FindLocked(id)) {
        c->state.enabled = enabled;
    }
}

void HeadlessWindow::MoveItem(int id, const Rect& r) {
    std::lock_guard<std::mutex> lock(Lock());
    if (Control* c = FindLocked(id)) {
        c->state.rect = r;
    }
}

Rect HeadlessWindow::ItemRect(int id) const {
    std::lock_guard<std::mutex> lock(Lock());
    const Control* c = FindLocked(id);
    return c != nullptr ? c->state.rect : Rect{};
}

bool HeadlessWindow::MakeOwnerDrawn(int id) {
    std::lock_guard<std::mutex> lock(Lock());
    Control* c = FindLocked(id);
    if (c == nullptr || !IsButton(c->state.kind)) {
        return false;
    }
    c->state.ownerDrawn = true;
    return true;
}

void HeadlessWindow::RedrawItemNow(int id) {
    unsigned state = 0;
    {
        std::lock_guard<std::mutex> lock(Lock());
        const Control* c = FindLocked(id);
        if (c == nullptr) {
            return;
        }
        unpainted_.erase(id);
        state = ItemStateLocked(*c);
    }
    PaintItem(id, state);
}

void HeadlessWindow::InvalidateItem(int id) {
    std::lock_guard<std::mutex> lock(Lock());
    const Control* c = FindLocked(id);
    if (c == nullptr || !c->state.ownerDrawn || destroyed_) {
        return;
    }
    unpainted_.insert(id);
    queue_->unpainted.insert(id_);
    queue_->wake.notify_all();
}

Rect HeadlessWindow::WindowRect() const {
    std::lock_guard<std::mutex> lock(Lock());
    return rect_;
}

Rect HeadlessWindow::ClientRect() const {
    std::lock_guard<std::mutex> lock(Lock());
    return client_;
}

void HeadlessWindow::MoveTo(int x, int y) {
    UserMove(x, y);
}

void HeadlessWindow::MakeTopmost() {
    std::lock_guard<std::mutex> lock(Lock());
    topmost_ = true;
}

void HeadlessWindow::SetIcon(int resourceId) {
    std::lock_guard<std::mutex> lock(Lock());
    iconId_ = resourceId;
}

void HeadlessWindow::DisableCloseEntry() {
    std::lock_guard<std::mutex> lock(Lock());
    closeEntryDisabled_ = true;
}

void HeadlessWindow::Show() {
    std::lock_guard<std::mutex> lock(Lock());
    visible_ = true;
}

void HeadlessWindow::EndDialog(int result) {
    std::lock_guard<std::mutex> lock(Lock());
    if (!modal_) {
        visible_ = false;
        return;
    }
    if (!ended_) {
        ended_ = true;
        result_ = result;
    }
}

void HeadlessWindow::Destroy() {
    {
        std::lock_guard<std::mutex> lock(Lock());
        if (destroyed_ || destroying_) {
            return;
        }
        destroying_ = true;
        if (modal_ && !ended_) {
            ended_ = true;
            result_ = kIdCancel;
        }
    }
    handler_.OnDestroy(*this);
    std::lock_guard<std::mutex> lock(Lock());
    destroyed_ = true;
    ended_ = true;
    visible_ = false;
    WindowSystem::Get().RemoveLocked(id_);
}

void HeadlessWindow::DiscardLocked() {
    destroyed_ = true;
    ended_ = true;
    visible_ = false;
}

void HeadlessWindow::UserClick(int id) {
    bool ownerDrawn = false;
    {
        std::lock_guard<std::mutex> lock(Lock());
        Control* c = FindLocked(id);
        if (c == nullptr || !c->state.enabled || destroyed_ || !IsButton(c->state.kind)) {
            return;
        }
        ownerDrawn = c->state.ownerDrawn;
        if (c->state.kind == ControlKind::kCheckBox && !ownerDrawn) {
            c->state.checked = !c->state.checked;
        }
        focusId_ = id;
    }
    if (ownerDrawn) {
        // Pressed while the button is held, released before the command.
        PaintItem(id, kItemSelected | kItemFocus);
        PaintItem(id, kItemFocus);
    }
    handler_.OnCommand(*this, id, 0);
}

void HeadlessWindow::UserResize(int width, int height) {
    Rect client;
    {
        std::lock_guard<std::mutex> lock(Lock());
        const int frame = framed_ ? kFrameWidth : 0;
        const int caption = captioned_ ? kCaptionHeight : 0;
        SetClientSizeLocked(width - 2 * frame, height - 2 * frame - caption);
        client = client_;
    }
    handler_.OnSize(*this, client.Width(), client.Height());
}

void HeadlessWindow::UserMove(int left, int top) {
    std::lock_guard<std::mutex> lock(Lock());
    rect_ = {left, top, left + rect_.Width(), top + rect_.Height()};
}

std::shared_ptr<const PaintRecord> HeadlessWindow::PaintItem(int id, unsigned state) {
    Rect r;
    {
        std::lock_guard<std::mutex> lock(Lock());
        const Control* c = FindLocked(id);
        if (c == nullptr || !c->state.ownerDrawn || destroyed_) {
            return nullptr;
        }
        r = {0, 0, c->state.rect.Width(), c->state.rect.Height()};
    }
    auto record = std::make_shared<PaintRecord>();
    record->rect = r;
    record->state = state;
    // A fresh canvas whose clip box is the whole item, as after an
    // invalidation of the item.
    RecordingCanvas canvas(r);
    handler_.OnDrawItem(*this, id, canvas, r, state);
    record->ops = canvas.Ops();
    std::lock_guard<std::mutex> lock(Lock());
    Control* c = FindLocked(id);
    c->state.paints++;
    c->lastPaint = record;
    return record;
}

void HeadlessWindow::PaintInvalidated() {
    std::vector<std::pair<int, unsigned>> items;
    {
        std::lock_guard<std::mutex> lock(Lock());
        for (int id : unpainted_) {
            if (const Control* c = FindLocked(id)) {
                items.emplace_back(id, ItemStateLocked(*c));
            }
        }
        unpainted_.clear();
    }
    for (const auto& item : items) {
        PaintItem(item.first, item.second);
    }
}

std::shared_ptr<const PaintRecord> HeadlessWindow::LastPaintLocked(int id) const {
    const Control* c = FindLocked(id);
    return c != nullptr ? c->lastPaint : nullptr;
}

WindowState HeadlessWindow::SnapshotLocked() const {
    WindowState s;
    s.id = id_;
    s.templateId = templateId_;
    s.modal = modal_;
    s.caption = caption_;
    s.rect = rect_;
    s.client = client_;
    s.topmost = topmost_;
    s.iconId = iconId_;
    s.closeEntryDisabled = closeEntryDisabled_;
    s.visible = visible_;
    for (const Control& c : controls_) {
        s.controls.push_back(c.state);
    }
    return s;
}

}  // namespace headless
}  // namespace plat
