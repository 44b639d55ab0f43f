// What the Windows system offers the plug-in directly: message boxes.
#include <windows.h>

#include "platform/message_box.h"

namespace plat {

void ShowMessageBox(const std::string& text, const char* caption, MessageBoxIcon icon) {
    const UINT style = MB_OK | (icon == kIconInformation ? MB_ICONINFORMATION : 0);
    MessageBoxA(nullptr, text.c_str(), caption, style);
}

}  // namespace plat
