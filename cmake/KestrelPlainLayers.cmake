# The build of KESTREL_PLAIN_LAYERS_ONLY: the layers without Qt and their test suites, nothing
# that needs Qt, a display or a pseudo-terminal. The folders leave their Qt parts out when this
# option is on.
add_subdirectory(src)
add_subdirectory(tests/support)
enable_testing()
include(KestrelTesting)
add_subdirectory(tests)
