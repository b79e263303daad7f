# GoogleTest is built from Debian's source package in both builds, so the
# native (sanitized) and the MinGW test programs use the same framework.
function(tallix_use_googletest)
  if(TARGET gtest)
    return()
  endif()
  set(TALLIX_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
  if(NOT EXISTS ${TALLIX_GTEST_SOURCE}/CMakeLists.txt)
    message(FATAL_ERROR "GoogleTest sources not found in ${TALLIX_GTEST_SOURCE} (apt-get install googletest)")
  endif()
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  add_subdirectory(${TALLIX_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endfunction()

# The test framework's headers, parsed once for every test program instead of
# once per test file: they cost a second or more of every test file's compile.
# Test files of the optimised cross build are compiled without optimising: they
# only drive the shipped code, which keeps its optimisation, and compile twice
# as fast that way.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  set(TALLIX_TEST_FILE_OPTIONS -O0)
endif()
function(tallix_test_pch)
  if(TARGET tallix_test_pch)
    return()
  endif()
  file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/tallix_test_pch.cpp CONTENT "")
  add_library(tallix_test_pch OBJECT ${CMAKE_BINARY_DIR}/tallix_test_pch.cpp)
  target_compile_options(tallix_test_pch PRIVATE ${TALLIX_TEST_FILE_OPTIONS})
  target_link_libraries(tallix_test_pch PRIVATE GTest::gmock GTest::gtest)
  target_precompile_headers(tallix_test_pch PRIVATE <gmock/gmock.h> <gtest/gtest.h>)
endfunction()

# tallix_add_test(NAME [SHARDS N] SOURCES... LIBS ...): one test program, one
# ctest entry, or N entries NAME/0.. that each run every Nth test of it side by
# side. Under the cross build ctest runs it through Wine (the toolchain's
# emulator).
# A shipped source compiled into a test program (given by its full path) is
# compiled as it ships.
function(tallix_add_test name)
  cmake_parse_arguments(ARG "" "SHARDS" "SOURCES;LIBS" ${ARGN})
  tallix_use_googletest()
  tallix_test_pch()
  add_executable(${name} ${ARG_SOURCES})
  foreach(source IN LISTS ARG_SOURCES)
    if(IS_ABSOLUTE ${source})
      set_source_files_properties(${source} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    else()
      set_source_files_properties(${source} PROPERTIES COMPILE_OPTIONS "${TALLIX_TEST_FILE_OPTIONS}")
    endif()
  endforeach()
  target_precompile_headers(${name} REUSE_FROM tallix_test_pch)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${name} PRIVATE TALLIX_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data")
  if(NOT ARG_SHARDS)
    add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name} PROPERTIES TIMEOUT 900)
    tallix_test_in_slot(${name})
    return()
  endif()
  math(EXPR last "${ARG_SHARDS} - 1")
  foreach(shard RANGE ${last})
    add_test(NAME ${name}/${shard} COMMAND ${name} --gtest_brief=1)
    set_tests_properties(${name}/${shard} PROPERTIES TIMEOUT 900
                         ENVIRONMENT "GTEST_TOTAL_SHARDS=${ARG_SHARDS};GTEST_SHARD_INDEX=${shard}")
    tallix_test_in_slot(${name}/${shard})
  endforeach()
endfunction()

# Under the cross build every test takes one of the run's display-and-prefix
# slots (resource "gui", which scripts/test.sh lists for ctest), so that two
# run at once without sharing a screen or a wineserver; PRINTS: it also takes
# the one PDF printer, whose output folder the printing tests share. A script
# is run through scripts/in-test-slot.sh to learn its slot; a test program
# learns it from the emulator, scripts/wine-exec.sh.
set(TALLIX_IN_TEST_SLOT bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/in-test-slot.sh)
function(tallix_test_in_slot name)
  cmake_parse_arguments(ARG "PRINTS" "" "" ${ARGN})
  if(NOT CMAKE_CROSSCOMPILING)
    return()
  endif()
  set(group gui:1)
  if(ARG_PRINTS)
    string(APPEND group ",printer:1")
  endif()
  set_tests_properties(${name} PROPERTIES RESOURCE_GROUPS ${group})
endfunction()
