# Cross build of the 32-bit Windows plug-in with Debian's mingw-w64 i686
# compilers. Test programs run under Wine.
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(STATS_MINGW_PREFIX i686-w64-mingw32)

# The win32 thread model needs no winpthread DLL; the engine uses the Win32
# primitives directly, never std::thread or std::mutex.
foreach(lang C CXX)
  if(lang STREQUAL "C")
    set(names ${STATS_MINGW_PREFIX}-gcc-win32 ${STATS_MINGW_PREFIX}-gcc)
  else()
    set(names ${STATS_MINGW_PREFIX}-g++-win32 ${STATS_MINGW_PREFIX}-g++)
  endif()
  find_program(STATS_MINGW_${lang} NAMES ${names})
  if(NOT STATS_MINGW_${lang})
    message(FATAL_ERROR
      "The ${STATS_MINGW_PREFIX} cross compiler (${names}) was not found. "
      "Install it with: scripts/install-deps.sh windows")
  endif()
  set(CMAKE_${lang}_COMPILER ${STATS_MINGW_${lang}})
endforeach()

find_program(STATS_MINGW_WINDRES NAMES ${STATS_MINGW_PREFIX}-windres)
if(STATS_MINGW_WINDRES)
  set(CMAKE_RC_COMPILER ${STATS_MINGW_WINDRES})
endif()
find_program(STATS_MINGW_OBJDUMP NAMES ${STATS_MINGW_PREFIX}-objdump)
if(NOT STATS_MINGW_OBJDUMP)
  message(FATAL_ERROR "${STATS_MINGW_PREFIX}-objdump was not found. "
                      "Install it with: scripts/install-deps.sh windows")
endif()

find_program(STATS_WINE NAMES wine)
if(NOT STATS_WINE)
  message(FATAL_ERROR
    "Wine, which runs the Windows test programs, was not found. "
    "Install it with: scripts/install-deps.sh windows")
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${STATS_WINE})

set(CMAKE_FIND_ROOT_PATH /usr/${STATS_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
