// Part of the plug-in's own library, not of libStatsPosix.so: the finaliser
// below belongs to the library being unloaded. A shared library's
// finalisers run from its .fini_array, last entry first; the entry that
// destroys the static objects (__cxa_finalize, placed by crtbegin) comes
// first in the array, so this one runs before it.
#include <atomic>

#include "platform/library_detach.h"

namespace plat {
namespace {

std::atomic<LibraryDetachHook> g_detachHook{nullptr};

__attribute__((destructor)) void RunDetachHook() {
    const LibraryDetachHook hook = g_detachHook.exchange(nullptr);
    if (hook != nullptr) {
        hook();
    }
}

}  // namespace

void SetLibraryDetachHook(LibraryDetachHook hook) {
    g_detachHook.store(hook);
}

}  // namespace plat
