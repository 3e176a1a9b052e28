# Compiler options every target of the project links: the warnings, and the sanitizers when
# KESTREL_SANITIZE is on. Targets take them through `kestrel_options`, never through global flags.
# Warnings become errors through CMAKE_COMPILE_WARNING_AS_ERROR, which the presets (the builds of
# developers and CI) turn on; a plain build by a user or a packager never fails on a warning that
# a newer compiler adds.
# MSVC takes options of its own; GCC (MinGW-w64 among them) and Clang (Apple's too) share theirs.
# MinGW-w64 has no sanitizer runtime, so KESTREL_SANITIZE is for GCC and Clang elsewhere.
add_library(kestrel_options INTERFACE)
if(MSVC)
  target_compile_options(kestrel_options INTERFACE /W4 /permissive- /utf-8 /Zc:__cplusplus)
else()
  target_compile_options(kestrel_options INTERFACE
    -Wall -Wextra -Wpedantic
    -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align -Woverloaded-virtual
    -Wnull-dereference -Wimplicit-fallthrough -Wformat=2)
endif()

# windows.h without its min and max macros and its rarely used parts, for every compiler.
if(WIN32)
  target_compile_definitions(kestrel_options INTERFACE NOMINMAX WIN32_LEAN_AND_MEAN)
endif()

if(KESTREL_SANITIZE AND (MSVC OR MINGW))
  message(FATAL_ERROR "KESTREL_SANITIZE needs GCC or Clang on Linux or macOS")
endif()
if(KESTREL_SANITIZE)
  set(_kestrel_sanitizers -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_compile_options(kestrel_options INTERFACE ${_kestrel_sanitizers})
  target_compile_definitions(kestrel_options INTERFACE _GLIBCXX_ASSERTIONS)
  target_link_options(kestrel_options INTERFACE ${_kestrel_sanitizers})
endif()

# Every layer is one library named kestrel_<layer>, built from the sources of its folder.
function(kestrel_add_layer name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPENDS" ${ARGN})
  add_library(kestrel_${name} STATIC ${ARG_SOURCES})
  target_include_directories(kestrel_${name} PUBLIC "${PROJECT_SOURCE_DIR}/src")
  target_link_libraries(kestrel_${name} PUBLIC kestrel_options ${ARG_DEPENDS})
endfunction()
