// An owner-drawn push button with a rectangular or oval face whose colours
// can change while its window is open. It takes over a button of its
// parent dialog by id; the parent's handler passes that id's OnDrawItem on
// to DrawItem. Everything runs on the parent window's thread.
#pragma once

#include <cstddef>

#include "controls/advanced_component.h"
#include "platform/canvas.h"
#include "platform/dialog.h"

namespace controls {

class CAdvancedButton : public CAdvancedComponent {
  public:
    enum Shape : int { ShapeRect = 0, ShapeEllipse = 1 };
    // The longest label drawn, in bytes.
    static constexpr std::size_t kMaxLabelBytes = 511;

    CAdvancedButton() = default;
    CAdvancedButton(const CAdvancedButton&) = delete;
    CAdvancedButton& operator=(const CAdvancedButton&) = delete;

    // Makes item `id` of `parent` owner-drawn and this its painter, with
    // these colours and a rectangular face. Does not repaint. False, with
    // nothing stored, when the parent has no such item. `parent` must stay
    // valid until Detach or until this button goes.
    bool AttachToItem(int id, plat::DialogWindow& parent, plat::Colour back, plat::Colour fore,
                      plat::Colour disabledText);
    // Forgets the parent (its window is being destroyed); later colour
    // changes only store the colour.
    void Detach();

    // ShapeRect or ShapeEllipse; any other value draws a rectangle. Repaints.
    void SetShape(int shape);
    // Redraws the whole button now (invalidate, erase, paint).
    void Repaint() override;

    // The owner-draw paint: the face in the back colour, then the item's
    // text (its first 511 bytes) centred in the fore colour, or in the
    // disabled-text colour when `state` has the disabled bit.
    void DrawItem(plat::Canvas& dc, const plat::Rect& r, unsigned state) const;

    int Id() const { return id_; }
    int GetShape() const { return shape_; }
    plat::Colour DisabledTextColor() const { return disabledTextColor_; }

  private:
    plat::DialogWindow* parent_ = nullptr;
    int id_ = 0;
    plat::Colour disabledTextColor_ = 0;
    int shape_ = ShapeRect;
};

}  // namespace controls
