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

# The DLL is shipped without its symbols and debug sections (nearly half its
# size); they move into Stats.dll.debug beside it, which a debugger finds by
# the DLL's debug link when a crash report comes in. Tests and the zip both
# take the stripped DLL, so what is tested is what ships.
if(NOT CMAKE_OBJCOPY)
  message(FATAL_ERROR "objcopy of the cross toolchain was not found. "
                      "Install it with: scripts/install-deps.sh windows")
endif()
add_custom_command(
  TARGET Stats POST_BUILD
  COMMAND ${CMAKE_OBJCOPY} --only-keep-debug $<TARGET_FILE_NAME:Stats>
          $<TARGET_FILE_NAME:Stats>.debug
  COMMAND ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=$<TARGET_FILE_NAME:Stats>.debug
          $<TARGET_FILE_NAME:Stats>
  WORKING_DIRECTORY $<TARGET_FILE_DIR:Stats>
  VERBATIM)

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
