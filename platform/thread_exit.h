// The library's threads and the library's unload: ending a thread from
// inside the library so that the thread that unloads the library may unmap
// its code the moment it sees the thread go, and dropping a thread that has
// not begun to run yet.
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

// During the library's unload: when the thread last started by
// StartDetachedThread has not yet begun to run its procedure, ends it and
// returns true; it has run nothing of the library. Call it once per unload.
// On Windows a thread
// created just before the unload waits for the loader lock that the
// unloading thread holds, and would otherwise start in code that is gone.
// Natively threads start without waiting for the unload, so this is false.
bool CancelThreadNotYetRunning();

// The end of an unload that waited for the thread last started by
// StartDetachedThread: lets go of it and, when the wait ran out while the
// thread still lives, ends it wherever it is, so that no thread runs the
// library's code once it is unmapped; what it held is leaked. True when it
// was ended. Natively always false: there the thread needs no lock that the
// unload holds, and the wait does not run out.
bool FinishThreadAtUnload(bool waitRanOut);

}  // namespace plat
