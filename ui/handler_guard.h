// Code called from outside, by the window system (the windows' handlers) or
// by the host (the plug-in's exports), must never let an exception out: a
// failure inside one call (an allocation, say) ends that call, with the
// fallback answer where one is due, and nothing else.
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
