#include "link/port_names.h"

#include <gtest/gtest.h>

#include "link/port_choice.h"
#include "link/port_claims.h"
#include "support/platform.h"

namespace kestrel::link {
namespace {

TEST(PortNames, OneWindowsPortHasOneNameForClaimsAndOneFormForOpening) {
  // The name given, the name users know, and the form that opens it.
  const std::tuple<std::string, std::string, std::string> names[]{
      {"COM3", "COM3", "\\\\.\\COM3"},
      {"com3", "COM3", "\\\\.\\COM3"},
      {"\\\\.\\COM3", "COM3", "\\\\.\\COM3"},
      {"\\\\.\\com12", "COM12", "\\\\.\\COM12"},
      {"Com10", "COM10", "\\\\.\\COM10"},
      {"COM", "COM", "COM"},
      {"COM0", "COM0", "COM0"},
      {"COM3x", "COM3x", "COM3x"},
      {"\\\\.\\CNCA0", "\\\\.\\CNCA0", "\\\\.\\CNCA0"},
      {"/dev/ttyUSB0", "/dev/ttyUSB0", "/dev/ttyUSB0"}};
  for (const auto& [given, known, device] : names) {
    EXPECT_EQ(WindowsPortName(given), known) << given;
    EXPECT_EQ(WindowsDevicePath(given), device) << given;
  }

  // Claims and --port take them as one on Windows; elsewhere "com3" is a device of its own.
  const auto claim = PortClaim::Take("COM3");
  ASSERT_TRUE(claim);
  EXPECT_EQ(PortClaim::Take("\\\\.\\com3").has_value(), !testing::kWindows);
  EXPECT_EQ(ParsePortChoice("com3")->device, testing::kWindows ? "COM3" : "com3");
}

}  // namespace
}  // namespace kestrel::link
