// <windows.h> for the files that also see the canvas: its TextOut macro
// would rename the canvas's member of that name in these files only.
#pragma once

#include <windows.h>

#ifdef TextOut
#undef TextOut
#endif

#include <cstdint>

namespace plat {

// A handle or pointer carried in one of the integers of the Windows message
// functions (wParam, lParam, window data) or of our own ids.
template <typename T>
T FromInteger(std::uintptr_t value) {
    return reinterpret_cast<T>(value);  // NOLINT(performance-no-int-to-ptr)
}

}  // namespace plat
