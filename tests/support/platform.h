// Tests of behaviour that only POSIX systems have (FIFOs, /dev, fork, resource limits, symbolic
// links, folder permissions that bind everyone) skip on Windows and say what they miss there.
#pragma once

#include <gtest/gtest.h>

#ifdef _WIN32
#define KESTREL_SKIP_ON_WINDOWS(reason) GTEST_SKIP() << "POSIX only: " << (reason)
#else
#define KESTREL_SKIP_ON_WINDOWS(reason) static_cast<void>(0)
#endif

namespace kestrel::testing {

#ifdef _WIN32
inline constexpr bool kWindows = true;
#else
inline constexpr bool kWindows = false;
#endif

}  // namespace kestrel::testing
