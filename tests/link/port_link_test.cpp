#include "link/qt/port_link.h"

#include <gtest/gtest.h>

#include <sstream>

#include "link/failure_advice.h"
#include "link/qt/program_receivers.h"
#include "link/qt/qt_serial_port.h"
#include "model/defaults.h"

namespace kestrel::link {
namespace {

TEST(PortChoice, IsParsedFromTheTextsTheUserGives) {
  const std::pair<std::string, std::optional<PortChoice>> rows[] = {
      {"1", PortChoice::Number(1)},
      {"4", PortChoice::Number(4)},
      {"5", std::nullopt},
      {"sim", PortChoice::Simulated()},
      {"sim8", PortChoice::Simulated(8)},
      {"sim9", PortChoice::Device("sim9")},
      {"/dev/ttyUSB0", PortChoice::Device("/dev/ttyUSB0")},
      {"0", std::nullopt},
      {"12", std::nullopt},
      {"", std::nullopt}};
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

TEST(PortLink, APortHeldByAnotherTransferIsRefusedBeforeAnythingIsSent) {
  MemoryImage image;
  {
    PortLink holder({.port = PortChoice::Device("/dev/kestrel-held")});
    PortLink second({.port = PortChoice::Device("/dev/../dev/kestrel-held")});
    const LinkFailure held = second.link().ReadPrecheck(image).error();
    EXPECT_EQ(held.code, LinkResult::kPortUnavailable);
    EXPECT_EQ(held.detail,
              "The serial port /dev/../dev/kestrel-held is in use by another transfer.");
    EXPECT_EQ(CauseText(held, FrontEnd::kWindow),
              "Another transfer of this program is using /dev/../dev/kestrel-held.\nWait for it "
              "to end, or choose another port.");
  }
  // A path that does not exist: the ports there are now.
  PortLink after({.port = PortChoice::Device("/dev/kestrel-held")});
  const LinkFailure missing = after.link().ReadPrecheck(image).error();
  EXPECT_EQ(missing.detail, "The serial port /dev/kestrel-held was not found.");
  EXPECT_EQ(missing.cause, FailureCause::kNoSuchPort);
  const std::string ports = PortsText(SystemPortsNow());
  EXPECT_EQ(CauseText(missing, FrontEnd::kCommandLine),
            "The port /dev/kestrel-held does not exist now: its cable or adapter may be "
            "unplugged.\n" +
                (ports.empty() ? std::string("No serial port exists now.")
                               : "The ports that exist now: " + ports + ".") +
                " Plug the cable in, or choose the right port with --port.");
}

// Four receivers at once, each on its own virtual clock; the third goes quiet half way through
// the write, before channel 900's slot.
TEST(ProgramReceivers, OneReceiverFailingLeavesTheOthersProgrammed) {
  std::vector<BatchReceiver> batch(4);
  for (BatchReceiver& receiver : batch) {
    receiver.setup = {.port = PortChoice::Simulated(),
                      .clock = std::make_shared<VirtualClock>(),
                      .simulated = std::make_shared<SharedReceiver>()};
  }
  batch[2].setup.simulated->receiver.options().silent_after = 500;
  RadioConfig record = NewConfiguration();
  record.Channel(900).InUse = 1;
  record.Channel(900).Frequency = "145500000";
  CancelToken cancel;
  const std::vector<LinkStatus> outcomes =
      ProgramReceivers(batch, record, {.verify = true}, cancel);

  ASSERT_EQ(outcomes.size(), 4u);
  for (std::size_t i = 0; i < batch.size(); ++i) {
    const MemoryImage& held = batch[i].setup.simulated->receiver.memory();
    EXPECT_EQ(outcomes[i].has_value(), i != 2) << i;
    EXPECT_EQ(held.Long(0x1000 + 16 * 899) == 145500000, i != 2) << i;
  }
  EXPECT_EQ(outcomes[2].error().code, LinkResult::kWriteFailed);
}

}  // namespace
}  // namespace kestrel::link
