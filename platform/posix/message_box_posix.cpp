// Message boxes natively: recorded for the program that loaded the plug-in,
// which may answer them through its handler (platform/posix/host_services.h).
#include "platform/message_box.h"
#include "platform/posix/host_services.h"

namespace plat {

void ShowMessageBox(const std::string& text, const char* caption, MessageBoxIcon icon) {
    ShownMessageBox box;
    box.text = text;
    box.hasCaption = caption != nullptr;
    box.caption = caption != nullptr ? caption : "";
    box.icon = icon;
    const MessageBoxHandler handler = RecordShownMessageBox(box);
    if (handler) {
        handler(box);
    }
}

}  // namespace plat
