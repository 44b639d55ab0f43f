#include "platform/posix/host_services.h"

#include <mutex>

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

MessageBoxHandler RecordShownMessageBox(const ShownMessageBox& box) {
    std::lock_guard<std::mutex> lock(State().mutex);
    State().boxes.push_back(box);
    return State().boxHandler;
}

ModalFormHandler CurrentModalFormHandler() {
    std::lock_guard<std::mutex> lock(State().mutex);
    return State().formHandler;
}

}  // namespace plat
