// Message boxes on Windows: the system's own, with one OK button.
#include <windows.h>

#include "platform/message_box.h"

namespace plat {

void ShowMessageBox(const std::string& text, const char* caption, MessageBoxIcon icon) {
    const UINT style = MB_OK | (icon == kIconInformation ? MB_ICONINFORMATION : 0);
    MessageBoxA(nullptr, text.c_str(), caption, style);
}

}  // namespace plat
