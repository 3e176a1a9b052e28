#include "link/qt/port_link.h"

#include <gtest/gtest.h>

#include <sstream>

namespace kestrel::link {
namespace {

TEST(PortChoice, IsParsedFromTheTextsTheUserGives) {
  const std::pair<std::string, std::optional<PortChoice>> rows[] = {
      {"1", PortChoice::Number(1)},
      {"sim", PortChoice::Simulated()},
      {"/dev/ttyUSB0", PortChoice::Device("/dev/ttyUSB0")},
      {"0", std::nullopt},
      {"12", std::nullopt},
      {"", std::nullopt},
  };
  for (const auto& [text, choice] : rows) {
    EXPECT_EQ(ParsePortChoice(text), choice) << text;
    EXPECT_EQ(choice.value_or(PortChoice::Device(text)).Text(), text);
  }
  EXPECT_EQ(PortChoice().Text(), "0");
}

// The window's simulated receiver outlives its jobs; tests run it on the virtual clock.
TEST(PortLink, OneSimulatedReceiverServesLinkAfterLinkOnTheClockGiven) {
  auto clock = std::make_shared<VirtualClock>();
  auto receiver = std::make_shared<SharedReceiver>();
  auto trace = std::make_shared<std::ostringstream>();
  const std::vector<AddressRange> bands{{0x0340, 0x034F}};
  MemoryImage image;
  image.SetByte(0x0345, 0xA7);
  {
    PortLink writer({PortChoice::Simulated(), clock, receiver, trace});
    ASSERT_TRUE(writer.link().WriteRanges(image, bands));
  }
  EXPECT_TRUE(trace->str().starts_with("       0 - open sim\n")) << trace->str();
  PortLink reader({.port = PortChoice::Simulated(), .clock = clock, .simulated = receiver});
  MemoryImage back;
  ASSERT_TRUE(reader.link().ReadRanges(back, bands));
  EXPECT_EQ(back.Byte(0x0345), 0xA7);
  EXPECT_EQ(clock->Total(), 4u * kSettleDelayMs);  // two handshakes and two commands
}

}  // namespace
}  // namespace kestrel::link
