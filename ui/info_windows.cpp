#include "ui/info_windows.h"

#include "ui/dialog_tables.h"
#include "ui/window_set.h"

namespace ui {
namespace {

size_t Slot(InfoKind kind) {
    return static_cast<size_t>(kind);
}

std::atomic<plat::WindowId>& Reference(InfoKind kind) {
    switch (kind) {
        case InfoKind::kDxcc:
            return g_dxccWindow;
        case InfoKind::kCounty:
            return g_countyWindow;
        case InfoKind::kPrevQso:
        default:
            return g_prevQsoWindow;
    }
}

std::unique_ptr<InfoWindow> MakeWindow(InfoKind kind) {
    switch (kind) {
        case InfoKind::kDxcc:
            return std::make_unique<Multiplier>();
        case InfoKind::kCounty:
            return std::make_unique<YU_County>();
        case InfoKind::kPrevQso:
        default:
            return std::make_unique<Prev_QSO>();
    }
}

plat::DialogTemplate TemplateOf(InfoKind kind) {
    switch (kind) {
        case InfoKind::kDxcc:
            return DxccWindowTemplate();
        case InfoKind::kCounty:
            return CountyWindowTemplate();
        case InfoKind::kPrevQso:
        default:
            return PrevQsoWindowTemplate();
    }
}

}  // namespace

InfoWindows::~InfoWindows() {
    CloseAll();
    // A window whose close request from the host's thread is still on its
    // way must not outlive its object.
    for (std::unique_ptr<InfoWindow>& window : closing_) {
        if (window->Window() != nullptr) {
            window->Window()->Destroy();
        }
    }
    for (std::unique_ptr<InfoWindow>& window : current_) {
        if (window && window->Window() != nullptr) {
            window->Window()->Destroy();
        }
    }
}

bool InfoWindows::Open(InfoKind kind) {
    Sweep();
    std::unique_ptr<InfoWindow>& slot = current_[Slot(kind)];
    if (slot) {
        // Its window may still wait for a close request the host's thread sent.
        closing_.push_back(std::move(slot));
    }
    std::unique_ptr<InfoWindow> window = MakeWindow(kind);
    const plat::WindowId id = plat::CreateModelessDialog(TemplateOf(kind), *window);
    if (id == 0 || window->Window() == nullptr) {
        if (id != 0) {
            plat::SendCloseRequest(id);
        }
        return false;
    }
    Reference(kind).store(id);
    if (kind == InfoKind::kPrevQso) {
        prevQsoWindowOpen = true;
    }
    window->Window()->Show();
    slot = std::move(window);
    return true;
}

void InfoWindows::Close(InfoKind kind) {
    const plat::WindowId id = Reference(kind).exchange(0);
    if (id != 0) {
        plat::SendCloseRequest(id);
    }
    if (kind == InfoKind::kPrevQso) {
        prevQsoWindowOpen = false;
    }
    Sweep();
}

void InfoWindows::CloseAll() {
    Close(InfoKind::kCounty);
    Close(InfoKind::kDxcc);
    Close(InfoKind::kPrevQso);
}

bool InfoWindows::IsOpen(InfoKind kind) {
    return Reference(kind).load() != 0;
}

InfoWindow* InfoWindows::Current(InfoKind kind) const {
    InfoWindow* window = current_[Slot(kind)].get();
    if (window == nullptr || window->Window() == nullptr ||
        Reference(kind).load() != window->Id()) {
        return nullptr;
    }
    return window;
}

Multiplier* InfoWindows::Dxcc() const {
    return static_cast<Multiplier*>(Current(InfoKind::kDxcc));
}

YU_County* InfoWindows::County() const {
    return static_cast<YU_County*>(Current(InfoKind::kCounty));
}

Prev_QSO* InfoWindows::PrevQso() const {
    return static_cast<Prev_QSO*>(Current(InfoKind::kPrevQso));
}

void InfoWindows::Sweep() {
    for (std::unique_ptr<InfoWindow>& slot : current_) {
        if (slot && slot->Window() == nullptr) {
            slot.reset();
        }
    }
    std::vector<std::unique_ptr<InfoWindow>> stillOpen;
    for (std::unique_ptr<InfoWindow>& window : closing_) {
        if (window->Window() != nullptr) {
            stillOpen.push_back(std::move(window));
        }
    }
    closing_.swap(stillOpen);
}

}  // namespace ui
