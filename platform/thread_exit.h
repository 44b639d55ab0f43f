// Ending a thread of the library from inside it, so that the thread that
// unloads the library may unmap its code the moment it sees the thread go.
#pragma once

#include <atomic>
#include <cstdint>

namespace plat {

// Stores 0 into `word`; on a thread started by StartDetachedThread the
// thread then ends at once, without returning into the caller's code and
// without destroying the objects of the frames it leaves (the caller has
// none left). So the store is the thread's last touch of the library: a
// thread that waits for `word` to become 0 may unload the library right
// after. Natively any other thread returns from it after the store; on
// Windows only threads started by StartDetachedThread may call it.
void ExitThreadClearing(std::atomic<std::uintptr_t>& word);

}  // namespace plat
