#include "platform/posix/window_backend.h"

#include <atomic>

namespace plat {
namespace {

std::atomic<WindowBackend*> g_backend{nullptr};

}  // namespace

void SetWindowBackend(WindowBackend* backend) {
    g_backend.store(backend);
}

WindowBackend* CurrentWindowBackend() {
    return g_backend.load();
}

}  // namespace plat
