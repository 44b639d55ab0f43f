// A dialog table turned into the in-memory template that the Windows dialog
// functions create a dialog from.
#pragma once

#include "platform/win32/windows_api.h"

#include <vector>

#include "platform/dialog.h"

namespace plat {

// The template's words (DWORD-aligned storage): the dialog header with its
// caption and font, then one item per control. `visible` adds WS_VISIBLE to
// the dialog; the controls are always visible children.
std::vector<WORD> BuildDialogTemplate(const DialogTemplate& t, bool visible);

// The window style a control of the table gets.
DWORD ControlStyle(const ControlTemplate& c);

}  // namespace plat
