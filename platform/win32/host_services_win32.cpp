// What the Windows system offers the plug-in directly: message boxes and
// (until the plug-in's own dialogs exist) the header form.
#include <windows.h>

#include "platform/message_box.h"
#include "platform/modal_form.h"

namespace plat {

void ShowMessageBox(const std::string& text, const char* caption, MessageBoxIcon icon) {
    const UINT style = MB_OK | (icon == kIconInformation ? MB_ICONINFORMATION : 0);
    MessageBoxA(nullptr, text.c_str(), caption, style);
}

// No form can be shown yet, which counts as Cancel.
bool RunModalForm(const std::string&, std::vector<FormField>&) {
    return false;
}

}  // namespace plat
