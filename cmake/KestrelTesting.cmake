# One GoogleTest executable per layer: kestrel_add_test_suite(<layer> SOURCES ... DEPENDS ...).
# Tests run without a display (offscreen Qt platform) and are discovered when ctest runs, so a
# sanitizer build does not execute test binaries while it links.
find_package(GTest REQUIRED)
include(GoogleTest)

function(kestrel_add_test_suite layer)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  set(target test_${layer})
  add_executable(${target} ${ARG_SOURCES})
  target_link_libraries(${target} PRIVATE kestrel_options ${ARG_DEPENDS} GTest::gmock GTest::gtest_main)
  target_compile_definitions(${target} PRIVATE
    KESTREL_TEST_DATA_DIR="${CMAKE_CURRENT_SOURCE_DIR}/data"
    KESTREL_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${target}
    DISCOVERY_MODE PRE_TEST
    TEST_PREFIX "${layer}."
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 300)
endfunction()
