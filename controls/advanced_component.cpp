#include "controls/advanced_component.h"

namespace controls {

bool CAdvancedComponent::SetForeColor(plat::Colour c) {
    foreColor_ = c;
    Repaint();
    return true;
}

bool CAdvancedComponent::SetBackColor(plat::Colour c) {
    backColor_ = c;
    Repaint();
    return true;
}

}  // namespace controls
