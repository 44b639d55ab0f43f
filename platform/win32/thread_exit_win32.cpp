// The UI thread's end during an unload: the host's thread sits in
// FreeLibrary holding the loader lock and unmaps the library as soon as it
// sees the word cleared. ExitThread does not come back here; the thread
// then waits in the system for the loader lock, outside the library.
#include <windows.h>

#include "platform/thread_exit.h"

namespace plat {

void ExitThreadClearing(std::atomic<std::uintptr_t>& word) {
    word.store(0, std::memory_order_release);
    ExitThread(0);
}

}  // namespace plat
