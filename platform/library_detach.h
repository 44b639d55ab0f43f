// The library's own unload, as the library sees it: a hook that runs while
// everything of the library still exists, before the destructors of its
// static objects (the engine lock among them). On Windows it runs from
// DllMain's process detach, inside the loader lock, both when the host
// frees the library and when the process ends (then ProcessIsEnding() is
// true); natively from the library's finaliser at dlclose.
#pragma once

namespace plat {

using LibraryDetachHook = void (*)();

// The function to run at unload; null for none. The last one set wins.
void SetLibraryDetachHook(LibraryDetachHook hook);

}  // namespace plat
