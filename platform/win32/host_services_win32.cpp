// What the Windows system offers the plug-in directly: message boxes and the
// ANSI code page.
#include <windows.h>

#include "platform/ansi_text.h"
#include "platform/message_box.h"

namespace plat {

int AnsiCodePage() {
    return static_cast<int>(GetACP());
}

void ShowMessageBox(const std::string& text, const char* caption, MessageBoxIcon icon) {
    const UINT style = MB_OK | (icon == kIconInformation ? MB_ICONINFORMATION : 0);
    MessageBoxA(nullptr, text.c_str(), caption, style);
}

}  // namespace plat
