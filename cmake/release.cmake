# The version header that other programs include, the Windows resources,
# and the release zip made by `cpack -G ZIP` in the Windows build.

configure_file(${CMAKE_SOURCE_DIR}/plugin/stats_version.h.in
               ${CMAKE_BINARY_DIR}/generated/stats_version.h @ONLY)
# Link this to include "stats_version.h".
add_library(stats_version INTERFACE)
target_include_directories(stats_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

if(NOT WIN32)
  return()
endif()

# Icon 107 and the version resource, compiled by the cross toolchain's windres.
enable_language(RC)
target_sources(Stats PRIVATE ${CMAKE_SOURCE_DIR}/plugin/Stats.rc)
target_link_libraries(Stats PRIVATE stats_version)
set_property(SOURCE ${CMAKE_SOURCE_DIR}/plugin/Stats.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_SOURCE_DIR}/plugin/Stats.ico ${CMAKE_BINARY_DIR}/generated/stats_version.h)

# What ships (the DLL, and stats-host.exe beside it) goes without its
# symbols and debug sections (nearly half its size); they move into
# <file>.debug beside it, which a debugger finds by the file's debug link
# when a crash report comes in. Tests and the zip both take the stripped
# files, so what is tested is what ships. Called in the folder that makes
# the target.
if(NOT CMAKE_OBJCOPY)
  message(FATAL_ERROR "objcopy of the cross toolchain was not found. "
                      "Install it with: scripts/install-deps.sh windows")
endif()
function(stats_strip_for_release target)
  add_custom_command(
    TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:${target}>
            $<TARGET_FILE_NAME:${target}>.debug
    COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE_NAME:${target}>.debug
            $<TARGET_FILE_NAME:${target}>
    WORKING_DIRECTORY $<TARGET_FILE_DIR:${target}>
    VERBATIM)
endfunction()
stats_strip_for_release(Stats)

configure_file(${CMAKE_SOURCE_DIR}/plugin/INSTALL.txt.in ${CMAKE_BINARY_DIR}/INSTALL.txt @ONLY
               NEWLINE_STYLE CRLF)
install(TARGETS Stats RUNTIME DESTINATION . LIBRARY DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/INSTALL.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Stats)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Stats-${PROJECT_VERSION}-win32)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
include(CPack)
