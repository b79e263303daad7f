# The program's version is written once, in resources/resource_ids.h, where the
# resource script, the About window and tallix-cli --version read it; the
# project, the zip's name and the Debian package take it from there.
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../resources/resource_ids.h tallix_version_lines
     REGEX "^#define TALLIX_VERSION_(MAJOR|MINOR|REVISION) [0-9]+$")
foreach(part MAJOR MINOR REVISION)
  string(REGEX MATCH "TALLIX_VERSION_${part} ([0-9]+)" _ "${tallix_version_lines}")
  set(TALLIX_VERSION_${part} "${CMAKE_MATCH_1}")
  if(TALLIX_VERSION_${part} STREQUAL "")
    message(FATAL_ERROR "TALLIX_VERSION_${part} not found in resources/resource_ids.h")
  endif()
endforeach()
set(TALLIX_VERSION "${TALLIX_VERSION_MAJOR}.${TALLIX_VERSION_MINOR}.${TALLIX_VERSION_REVISION}")
