// <windows.h> for the files that also see the canvas: its TextOut macro
// would rename the canvas's member of that name in these files only.
#pragma once

#include <windows.h>

#ifdef TextOut
#undef TextOut
#endif
