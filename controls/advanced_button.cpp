#include "controls/advanced_button.h"

#include <algorithm>
#include <string>

#include "controls/drawn_ellipse.h"
#include "controls/drawn_rect.h"

namespace controls {

namespace {

// The first `maxBytes` bytes of UTF-8 text, ending at its first NUL, and
// never cut inside a character.
std::string LabelText(std::string text, std::size_t maxBytes) {
    text.resize(std::min({text.size(), text.find('\0'), maxBytes + 1}));
    if (text.size() <= maxBytes) {
        return text;
    }
    std::size_t end = maxBytes;
    // Back off over continuation bytes (10xxxxxx) to the start of the character cut.
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
        --end;
    }
    text.resize(end);
    return text;
}

}  // namespace

bool CAdvancedButton::AttachToItem(int id, plat::DialogWindow& parent, plat::Colour back,
                                   plat::Colour fore, plat::Colour disabledText) {
    if (!parent.MakeOwnerDrawn(id)) {
        return false;
    }
    parent_ = &parent;
    id_ = id;
    backColor_ = back;
    foreColor_ = fore;
    disabledTextColor_ = disabledText;
    shape_ = ShapeRect;
    return true;
}

void CAdvancedButton::Detach() {
    parent_ = nullptr;
}

void CAdvancedButton::SetShape(int shape) {
    shape_ = shape;
    Repaint();
}

void CAdvancedButton::Repaint() {
    if (parent_ != nullptr) {
        parent_->RedrawItemNow(id_);
    }
}

void CAdvancedButton::DrawItem(plat::Canvas& dc, const plat::Rect& r, unsigned state) const {
    const DrawnEllipse ellipse;
    const DrawnRect rect;
    const DrawnObject& face =
        shape_ == ShapeEllipse ? static_cast<const DrawnObject&>(ellipse) : rect;
    const std::string text =
        parent_ != nullptr ? LabelText(parent_->ItemText(id_), kMaxLabelBytes) : std::string();
    face.Draw(dc, r, state, backColor_);
    face.DrawLabel(dc, r, text,
                   (state & plat::kItemDisabled) != 0 ? disabledTextColor_ : foreColor_);
}

}  // namespace controls
