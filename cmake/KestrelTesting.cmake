# One GoogleTest executable per layer: kestrel_add_test_suite(<layer> [OWN_MAIN] SOURCES ...
# DEPENDS ...). OWN_MAIN is for suites whose sources bring their main (a QApplication first).
# Tests run without a display (offscreen Qt platform) and are discovered when ctest runs, so a
# sanitizer build does not execute test binaries while it links. The user's data folder is one
# in the build tree, so that no test keeps its reads among the user's backups.
find_package(GTest REQUIRED)
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
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    TEST_PREFIX "${layer}."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
               ENVIRONMENT_MODIFICATION "XDG_DATA_HOME=set:${CMAKE_BINARY_DIR}/test-data-home"
               TIMEOUT 300)
endfunction()
