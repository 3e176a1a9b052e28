# One GoogleTest executable per layer: kestrel_add_test_suite(<layer> [OWN_MAIN] SOURCES ...
# DEPENDS ...). OWN_MAIN is for suites whose sources bring their main (a QApplication first).
# Tests run without a display (offscreen Qt platform) and are discovered when ctest runs, so a
# sanitizer build does not execute test binaries while it links. The user's data folder is one
# in the build tree, so that no test keeps its reads among the user's backups.
#
# A cross-build has no GoogleTest for its target system: it builds one from the sources that
# KESTREL_GTEST_SOURCE_DIR names (Debian's googletest package puts them in /usr/src/googletest),
# and ctest runs each suite whole through CMAKE_CROSSCOMPILING_EMULATOR (Wine for Windows), as
# starting the emulator once per test would take longer than the tests.
set(KESTREL_GTEST_SOURCE_DIR "" CACHE PATH "GoogleTest sources to build instead of the installed one")
if(KESTREL_GTEST_SOURCE_DIR)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory("${KESTREL_GTEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest" EXCLUDE_FROM_ALL)
  # It names its targets GTest::gtest and so on itself.
  foreach(gtest_library gtest gtest_main gmock gmock_main)
    set_target_properties(${gtest_library} PROPERTIES COMPILE_WARNING_AS_ERROR OFF)
  endforeach()
else()
  find_package(GTest REQUIRED)
endif()
include(GoogleTest)

function(kestrel_add_test_suite layer)
  cmake_parse_arguments(ARG "OWN_MAIN" "" "SOURCES;DEPENDS" ${ARGN})
  set(target test_${layer})
  add_executable(${target} ${ARG_SOURCES})
  if(ARG_OWN_MAIN)
    set(gtest_main_target)
  else()
    set(gtest_main_target GTest::gtest_main)
  endif()
  target_link_libraries(${target} PRIVATE kestrel_options kestrel_test_support ${ARG_DEPENDS}
                                          GTest::gmock GTest::gtest
                                          ${gtest_main_target})
  target_compile_definitions(${target} PRIVATE
    KESTREL_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data")
  if(CMAKE_CROSSCOMPILING)
    add_test(NAME ${layer} COMMAND ${target})
    return()
  endif()
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    TEST_PREFIX "${layer}."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               ENVIRONMENT_MODIFICATION "XDG_DATA_HOME=set:${CMAKE_BINARY_DIR}/test-data-home"
               TIMEOUT 300)
endfunction()
