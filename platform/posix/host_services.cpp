#include "platform/posix/host_services.h"

#include <mutex>

#include "platform/message_box.h"

namespace plat {
namespace {

struct Services {
    std::mutex mutex;
    std::vector<ShownMessageBox> boxes;
    MessageBoxHandler boxHandler;
    ModalFormHandler formHandler;
};

Services& State() {
    static Services services;
    return services;
}

}  // namespace

std::vector<ShownMessageBox> ShownMessageBoxes() {
    std::lock_guard<std::mutex> lock(State().mutex);
    return State().boxes;
}

void ClearShownMessageBoxes() {
    std::lock_guard<std::mutex> lock(State().mutex);
    State().boxes.clear();
}

void SetMessageBoxHandler(MessageBoxHandler handler) {
    std::lock_guard<std::mutex> lock(State().mutex);
    State().boxHandler = std::move(handler);
}

void SetModalFormHandler(ModalFormHandler handler) {
    std::lock_guard<std::mutex> lock(State().mutex);
    State().formHandler = std::move(handler);
}

void ResetHostServices() {
    std::lock_guard<std::mutex> lock(State().mutex);
    State().boxes.clear();
    State().boxHandler = nullptr;
    State().formHandler = nullptr;
}

void ShowMessageBox(const std::string& text, const char* caption, MessageBoxIcon icon) {
    ShownMessageBox box;
    box.text = text;
    box.hasCaption = caption != nullptr;
    box.caption = caption != nullptr ? caption : "";
    box.icon = icon;
    MessageBoxHandler handler;
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        State().boxes.push_back(box);
        handler = State().boxHandler;
    }
    if (handler) {
        handler(box);
    }
}

bool RunModalForm(const std::string& caption, std::vector<FormField>& fields) {
    ModalFormHandler handler;
    {
        std::lock_guard<std::mutex> lock(State().mutex);
        handler = State().formHandler;
    }
    if (!handler) {
        return false;
    }
    std::vector<FormField> edited = fields;
    if (!handler(caption, edited) || edited.size() != fields.size()) {
        return false;
    }
    fields = std::move(edited);
    return true;
}

}  // namespace plat
