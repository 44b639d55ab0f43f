// The colours of a recolourable control, and repainting it whenever one
// changes. The control that mixes this in sets the first colours itself and
// says how it repaints.
#pragma once

#include "platform/canvas.h"

namespace controls {

class CAdvancedComponent {
  public:
    virtual ~CAdvancedComponent() = default;

    // Store the colour and repaint at once. Always true.
    virtual bool SetForeColor(plat::Colour c);
    virtual bool SetBackColor(plat::Colour c);
    virtual void Repaint() = 0;

    plat::Colour ForeColor() const { return foreColor_; }
    plat::Colour BackColor() const { return backColor_; }

  protected:
    CAdvancedComponent() = default;
    CAdvancedComponent(const CAdvancedComponent&) = default;
    CAdvancedComponent& operator=(const CAdvancedComponent&) = default;

    plat::Colour backColor_ = 0;
    plat::Colour foreColor_ = 0;
};

}  // namespace controls
