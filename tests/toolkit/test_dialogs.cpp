#include "tests/toolkit/test_dialogs.h"

#include <chrono>

namespace toolkit_test {

plat::DialogTemplate TestTemplate(int templateId) {
    plat::DialogTemplate t;
    t.id = templateId;
    t.caption = "Test";
    t.x = 10;
    t.y = 20;
    t.cx = 100;
    t.cy = 50;
    t.style = plat::kDialogPopup | plat::kDialogCaption | plat::kDialogSysMenu;
    t.controls = {
        {kButton, plat::ControlKind::kPushButton, "Go", 5, 5, 40, 14, 0, 0},
        {kCheck, plat::ControlKind::kCheckBox, "Check", 5, 25, 60, 10, 0, 0},
        {kLabel, plat::ControlKind::kStatic, "Label", 50, 5, 45, 8, 0, 0},
        {kDrawn, plat::ControlKind::kPushButton, "Draw", 50, 20, 30, 15, 0, 0},
    };
    return t;
}

ModalThread::ModalThread(RecordingHandler& h, int templateId) {
    auto inner = h.onInit;
    h.onInit = [this, inner](plat::DialogWindow& w) {
        if (inner) {
            inner(w);
        }
        shown_.set_value(w.Id());
    };
    thread_ = std::thread([this, &h, templateId] {
        result_.set_value(plat::RunModalDialog(TestTemplate(templateId), h));
    });
    threadId_ = thread_.get_id();
    id_ = shown_.get_future().get();
}

ModalThread::~ModalThread() {
    if (thread_.joinable()) {
        plat::headless::ResetWindows();
        thread_.join();
    }
}

int ModalThread::Result() {
    if (future_.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
        return -2;
    }
    thread_.join();
    return future_.get();
}

std::vector<std::string> RecordingHandler::Events() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
}

std::vector<std::thread::id> RecordingHandler::Threads() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return threads_;
}

bool RecordingHandler::WaitFor(const std::string& event) const {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (std::chrono::steady_clock::now() < deadline) {
        for (const std::string& e : Events()) {
            if (e == event) {
                return true;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return false;
}

void RecordingHandler::Record(const std::string& event) {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(event);
    threads_.push_back(std::this_thread::get_id());
}

bool RecordingHandler::OnInitDialog(plat::DialogWindow& w) {
    Record("init");
    if (onInit) {
        onInit(w);
    }
    return true;
}

void RecordingHandler::OnCommand(plat::DialogWindow& w, int id, int code) {
    Record("command " + std::to_string(id) + " " + std::to_string(code));
    if (onCommand) {
        onCommand(w, id);
    } else {
        DialogHandler::OnCommand(w, id, code);
    }
}

void RecordingHandler::OnClose(plat::DialogWindow& w) {
    Record("close");
    if (onClose) {
        onClose(w);
    } else {
        DialogHandler::OnClose(w);
    }
}

void RecordingHandler::OnUserMessage(plat::DialogWindow& w, unsigned msg) {
    Record("user " + std::to_string(msg));
    if (onUser) {
        onUser(w, msg);
    }
}

void RecordingHandler::OnSetCursor(plat::DialogWindow& /*w*/) {
    Record("cursor");
}

void RecordingHandler::OnSize(plat::DialogWindow& /*w*/, int cx, int cy) {
    Record("size " + std::to_string(cx) + " " + std::to_string(cy));
}

void RecordingHandler::OnDrawItem(plat::DialogWindow& /*w*/, int id, plat::Canvas& c,
                                  const plat::Rect& r, unsigned state) {
    Record("draw " + std::to_string(id) + " " + std::to_string(state));
    c.FillSolidRect(r, plat::Rgb(0, 255, 0));
}

void RecordingHandler::OnDestroy(plat::DialogWindow& /*w*/) {
    Record("destroy");
}

}  // namespace toolkit_test
