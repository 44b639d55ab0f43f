// Window handlers are called by the window system, which must never see an
// exception: a failure inside one (an allocation, say) ends that handler
// and nothing else.
#pragma once

namespace ui {

template <typename Work>
void Guarded(Work&& work) noexcept {
    try {
        work();
    } catch (...) {
    }
}

template <typename Result, typename Work>
Result Guarded(Result fallback, Work&& work) noexcept {
    try {
        return work();
    } catch (...) {
        return fallback;
    }
}

}  // namespace ui
