// The read and program sequences against the simulated receiver on the virtual clock.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/encoder.h"
#include "link/frequency_check.h"
#include "link/program_sequence.h"
#include "link/read_sequence.h"
#include "link/sim/simulated_receiver_port.h"
#include "model/defaults.h"

namespace kestrel::link {
namespace {

// Hands everything to another port; tests override what they want to disturb.
class ForwardingPort : public SerialPort {
 public:
  explicit ForwardingPort(SerialPort& inner) : inner_(inner) {}
  std::expected<void, std::string> Open(const std::string& name) override {
    return inner_.Open(name);
  }
  void Close() override { inner_.Close(); }
  bool IsOpen() const override { return inner_.IsOpen(); }
  void SetRts(bool on) override { inner_.SetRts(on); }
  void SetDtr(bool on) override { inner_.SetDtr(on); }
  bool Write(std::span<const std::uint8_t> bytes) override { return inner_.Write(bytes); }
  PortInput Receive(std::uint32_t timeout_ms) override { return inner_.Receive(timeout_ms); }
  std::string NameForNumber(int number) const override { return inner_.NameForNumber(number); }

 private:
  SerialPort& inner_;
};

// Every fifth command or handshake is lost on the way, so it gets no answer and is sent again.
class LossyPort final : public ForwardingPort {
 public:
  using ForwardingPort::ForwardingPort;
  bool Write(std::span<const std::uint8_t> bytes) override {
    if (++writes % 5 == 0) return true;
    return ForwardingPort::Write(bytes);
  }
  int writes = 0;
};

// A receiver that acknowledges writes to one channel slot but keeps what the slot held.
class StuckSlotPort final : public ForwardingPort {
 public:
  StuckSlotPort(SerialPort& inner, ReceiverSimulator& receiver, int channel)
      : ForwardingPort(inner), receiver_(receiver), address_(ChannelSlotAddress(channel)) {}
  bool Write(std::span<const std::uint8_t> bytes) override {
    MemoryImage kept = receiver_.memory();
    const bool taken = ForwardingPort::Write(bytes);
    for (std::int32_t a = address_; a < address_ + 16; ++a) {
      receiver_.memory().SetByte(static_cast<std::size_t>(a),
                                 kept.Byte(static_cast<std::size_t>(a)));
    }
    return taken;
  }

 private:
  ReceiverSimulator& receiver_;
  std::int32_t address_;
};

struct Recorder {
  std::vector<std::string> states;
  int maximum = -1;
  int last_value = -1;
  int values = 0;
  SequenceReport Report() {
    return {[this](const std::string& text) { states.push_back(text); },
            {[this](int m) { maximum = m, last_value = 0; },
             [this](int v) { last_value = v, ++values; }}};
  }
};

struct SequenceTest : ::testing::Test {
  VirtualClock clock;
  ReceiverSimulator receiver;
  SimulatedReceiverPort port{receiver, clock};
  Link link{port, clock};
  MemoryImage image;
  Recorder recorder;

  void SetUp() override { link.SelectPortNumber(1); }

  // The receiver holds `record`, encoded as programming would write it.
  void HoldInReceiver(RadioConfig record) {
    ASSERT_TRUE(EncodeImage(record, receiver.memory()).has_value());
  }
  int Written() const { return receiver.counts().write_blocks + receiver.counts().write_bytes; }
};

// Names the first part in which two records differ, so a failed comparison says where.
std::string FirstDifference(const RadioConfig& a, const RadioConfig& b) {
  if (a.SetMode != b.SetMode) return "Set Mode";
  if (!(a.Factory == b.Factory)) return "Factory Settings";
  for (int c = 1; c <= kChannelCount; ++c) {
    if (!(a.Channel(c) == b.Channel(c))) {
      return "channel " + std::to_string(c) + ": " + a.Channel(c).Frequency + " " +
             a.Channel(c).Name + " / " + b.Channel(c).Frequency + " " + b.Channel(c).Name;
    }
  }
  for (int k = 0; k < kSearchBandCount; ++k) {
    if (!(a.Band(k) == b.Band(k))) {
      return "band " + std::to_string(k) + ": " + a.Band(k).LowFrequency + "-" +
             a.Band(k).UpperFrequency + " / " + b.Band(k).LowFrequency + "-" +
             b.Band(k).UpperFrequency;
    }
  }
  return "";
}

// The record as a read gives it back: names come as the receiver's six blank-padded characters.
RadioConfig AsReadBack(RadioConfig record) {
  for (int c = 1; c <= kChannelCount; ++c) {
    if (record.Channel(c).IsProgrammed()) record.Channel(c).Name.resize(6, ' ');
  }
  return record;
}

RadioConfig WithChannels(std::initializer_list<int> channels) {
  RadioConfig record = NewConfiguration();
  for (int c = 1; c <= kChannelCount; ++c) ClearChannel(record, c);
  for (int c : channels) {
    MemoryChannel& channel = record.Channel(c);
    channel.InUse = 1;
    channel.Frequency = std::to_string(145000000 + 12500 * c);
    channel.Name = "CH" + std::to_string(c);
    channel.Mode = 1;
    channel.Step = 3;
  }
  return record;
}

TEST_F(SequenceTest, AReadOfTheDefaultConfigurationGivesItBack) {
  HoldInReceiver(NewConfiguration());
  const RadioConfig current = WithChannels({2, 500});
  const ReadOutcome outcome = ReadFromRadio(link, image, current, recorder.Report());
  ASSERT_EQ(outcome.result, LinkResult::kSuccess) << outcome.detail;
  ASSERT_TRUE(outcome.record.has_value());
  EXPECT_EQ(FirstDifference(*outcome.record, AsReadBack(NewConfiguration())), "");
  EXPECT_EQ(outcome.detail, "");
  EXPECT_EQ(recorder.states, std::vector<std::string>{"Reading data."});
  const int in_use = NewConfiguration().ProgrammedChannelCount();
  EXPECT_EQ(recorder.maximum, 32 + in_use);
  EXPECT_EQ(recorder.last_value, 32 + in_use);
  EXPECT_EQ(image.Byte(0x0300), receiver.memory().Byte(0x0300));
  EXPECT_EQ(image.Byte(0x0000), 0xFF);  // not read
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(SequenceTest, TheChannelBitmapAloneDecidesWhichSlotsAreRead) {
  HoldInReceiver(NewConfiguration());
  for (std::size_t a = 0x0860; a <= 0x08DF; ++a) receiver.memory().SetByte(a, 0);
  ReadOutcome outcome = ReadFromRadio(link, image, NewConfiguration(), recorder.Report());
  ASSERT_EQ(outcome.result, LinkResult::kSuccess);
  EXPECT_EQ(recorder.maximum, 32);
  for (int c = 1; c <= kChannelCount; ++c) ASSERT_EQ(outcome.record->Channel(c), MemoryChannel{});

  // Bit 0 of 0x0860 is channel 1, bit 7 of 0x0861 channel 16.
  receiver.memory().SetByte(0x0860, 0x01);
  receiver.memory().SetByte(0x0861, 0x80);
  receiver.ResetCounts();
  outcome = ReadFromRadio(link, image, NewConfiguration(), recorder.Report());
  ASSERT_EQ(outcome.result, LinkResult::kSuccess);
  EXPECT_EQ(recorder.maximum, 34);
  for (int c = 1; c <= kChannelCount; ++c) {
    ASSERT_EQ(outcome.record->Channel(c).IsProgrammed(), c == 1 || c == 16) << c;
  }
  EXPECT_EQ(outcome.record->Channel(16).Frequency,
            std::to_string(receiver.memory().Long(0x1000 + 16 * 15)));
  // Pre-check 8 blocks; fixed entries 1 + 1 + 12 + 22 + 1 + 1 + 7 + 7 blocks; 2 channels.
  EXPECT_EQ(receiver.counts().read_blocks, 8 + 52 + 2);
}

TEST_F(SequenceTest, AFailedReadLeavesRecordAndImageAsTheyWere) {
  image.Fill(0x5A);
  const MemoryImage image_before = image;
  const RadioConfig current = WithChannels({7});

  // A silent receiver fails the pre-check.
  receiver.options().silent_after = 0;
  ReadOutcome outcome = ReadFromRadio(link, image, current, recorder.Report());
  EXPECT_EQ(outcome.result, LinkResult::kReadFailed);
  EXPECT_EQ(outcome.detail, "The receiver did not answer the handshake.");
  EXPECT_FALSE(outcome.record.has_value());
  EXPECT_EQ(image, image_before);
  EXPECT_EQ(ResultText(outcome.result, outcome.detail),
            "Failed to read out.\r\nTry again.\r\nThe receiver did not answer the handshake.");

  // A port that does not exist is code 1.
  link.SelectPortNumber(7);
  outcome = ReadFromRadio(link, image, current);
  EXPECT_EQ(outcome.result, LinkResult::kPortUnavailable);
  EXPECT_EQ(outcome.detail, "There is no serial port 7.");
  EXPECT_EQ(image, image_before);

  // A receiver with every channel in use that goes quiet at the 500th channel block: the
  // handshake and 8 blocks of the pre-check, the handshake and fixed entries of the loop, then
  // 499 channel blocks are answered.
  link.SelectPortNumber(1);
  std::array<bool, 1000> all{};
  all.fill(true);
  const auto list = BuildReadList(all);
  int answered = 1 + 8 + 1 + 499;
  for (std::size_t i = 0; i < kReadListFixedEntries; ++i) {
    answered += static_cast<int>(SplitRange(list[i]).size());
  }
  for (std::size_t a = 0x0860; a <= 0x08DC; ++a) receiver.memory().SetByte(a, 0xFF);
  receiver.ResetCounts();
  receiver.options().silent_after = answered;
  outcome = ReadFromRadio(link, image, current, recorder.Report());
  EXPECT_EQ(outcome.result, LinkResult::kReadFailed);
  EXPECT_EQ(outcome.detail, "No valid answer to reading 16 bytes at 0x2F30.");
  EXPECT_EQ(recorder.maximum, 1032);
  EXPECT_EQ(recorder.last_value, 32 + 499);
  EXPECT_FALSE(outcome.record.has_value());
  EXPECT_EQ(image, image_before);
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(SequenceTest, RegionTablesBlockTheirRangesWithTheLimits) {
  image.SetByte(0x005E, 0);
  EXPECT_FALSE(IsFrequencyAllowed(image, 255000000));
  EXPECT_FALSE(IsFrequencyAllowed(image, 253000000));
  EXPECT_FALSE(IsFrequencyAllowed(image, 256000000));
  EXPECT_TRUE(IsFrequencyAllowed(image, 256000001));
  EXPECT_TRUE(IsFrequencyAllowed(image, 252999999));
  EXPECT_FALSE(IsFrequencyAllowed(image, 961000000));
  EXPECT_TRUE(IsFrequencyAllowed(image, 850995000));
  EXPECT_TRUE(IsFrequencyAllowed(image, 0));

  image.SetByte(0x005E, 2);
  EXPECT_FALSE(IsFrequencyAllowed(image, 850995000));
  EXPECT_TRUE(IsFrequencyAllowed(image, 850995001));
  EXPECT_FALSE(IsFrequencyAllowed(image, 822000000));
  EXPECT_TRUE(IsFrequencyAllowed(image, 255000000));

  for (std::uint8_t code : {1, 3, 0xFF}) {
    image.SetByte(0x005E, code);
    for (double hz : {255e6, 850.995e6, 870e6}) EXPECT_TRUE(IsFrequencyAllowed(image, hz));
  }
}

TEST_F(SequenceTest, CheckFrequenciesTestsChannelsInUseThenBandLimitsInHz) {
  RadioConfig record = WithChannels({1, 2});
  image.SetByte(0x005E, 0);
  EXPECT_EQ(CheckFrequencies(image, record), std::nullopt);

  // A channel not in use is never tested, whatever its text.
  record.Channel(3).Frequency = "255000000";
  record.Channel(4).Frequency = "junk";
  EXPECT_EQ(CheckFrequencies(image, record), std::nullopt);

  // Band limits are MHz text: tested as the Hz they stand for.
  record.Band(3).UpperFrequency = "254.00000";
  EXPECT_EQ(CheckFrequencies(image, record),
            (RefusedFrequency{"search band 4, upper limit", 254000000}));
  record.Band(0).LowFrequency = "";  // reads as 0: allowed
  EXPECT_EQ(CheckFrequencies(image, record)->place, "search band 4, upper limit");

  // Channels come first, in channel order.
  record.Channel(900).InUse = 1;
  record.Channel(900).Frequency = "870000000";
  record.Channel(2).Frequency = "256000000";
  const auto refused = CheckFrequencies(image, record);
  ASSERT_TRUE(refused.has_value());
  EXPECT_EQ(*refused, (RefusedFrequency{"channel 001", 256000000}));
  EXPECT_EQ(RefusalText(*refused), "channel 001 at 256.00000 MHz");

  // The check switch lets everything through.
  image.SetByte(0x005F, 1);
  EXPECT_EQ(CheckFrequencies(image, record), std::nullopt);
  image.SetByte(0x005F, 0);
  image.SetByte(0x005E, 2);
  EXPECT_EQ(CheckFrequencies(image, record)->place, "channel 899");
}

TEST_F(SequenceTest, ARefusedFrequencyOrValueWritesNothing) {
  HoldInReceiver(NewConfiguration());
  receiver.SetRegionCode(0);
  RadioConfig record = WithChannels({1, 5});
  record.Channel(5).Frequency = "255000000";
  ProgramOutcome outcome = ProgramToRadio(link, image, record, {}, recorder.Report());
  EXPECT_EQ(outcome.result, LinkResult::kFrequencyNotProgrammable);
  EXPECT_EQ(ResultText(outcome.result, outcome.detail),
            "The frequency that you set cannot be \r\nprogrammed.\r\nPlease confirm the "
            "frequency again.\r\nFirst refused: channel 004 at 255.00000 MHz.");
  EXPECT_EQ(Written(), 0);
  EXPECT_TRUE(recorder.states.empty());

  // A band inside a blocked range is refused too.
  record.Channel(5).Frequency = "145000000";
  record.Band(7).LowFrequency = "860.00000";
  outcome = ProgramToRadio(link, image, record);
  EXPECT_EQ(outcome.detail, "First refused: search band 8, lower limit at 860.00000 MHz.");
  EXPECT_EQ(Written(), 0);

  // A value the image cannot hold stops programming before anything is sent.
  record = WithChannels({1, 12});
  record.Channel(12).Step = 300;
  record.Channel(1).Frequency = "-5";
  const MemoryImage before = image;
  outcome = ProgramToRadio(link, image, record, {}, recorder.Report());
  EXPECT_EQ(outcome.result, LinkResult::kNotEncodable);
  EXPECT_EQ(Code(outcome.result), 5);
  EXPECT_EQ(Message(outcome.result), "The configuration cannot be written.");
  EXPECT_NE(outcome.detail.find("channel 011, Step: 300 does not fit a byte (0 to 255)."),
            std::string::npos)
      << outcome.detail;
  EXPECT_NE(outcome.detail.find("channel 000, Frequency"), std::string::npos) << outcome.detail;
  EXPECT_EQ(Written(), 0);
  EXPECT_EQ(image.Byte(0x1000), before.Byte(0x1000));
}

TEST_F(SequenceTest, ProgrammingWritesAllSlotsAndReadsBackTheRecord) {
  HoldInReceiver(NewConfiguration());
  receiver.memory().SetByte(0x0000, 0x77);
  RadioConfig record = WithChannels({1, 999});
  record.SetMode[3] = 1;
  record.Band(5) = {"118.00000", "136.99000"};
  record.Channel(999).Name = "TOWER";
  ProgramOutcome outcome = ProgramToRadio(link, image, record, {}, recorder.Report());
  ASSERT_EQ(outcome.result, LinkResult::kSuccess) << outcome.detail;
  EXPECT_EQ(recorder.states, std::vector<std::string>{"Writing data."});
  EXPECT_EQ(recorder.maximum, 1008);
  EXPECT_EQ(recorder.values, 1008);
  EXPECT_EQ(receiver.counts().write_blocks, 2 + 12 + 2 + 14 + 1000);
  EXPECT_EQ(receiver.memory().Byte(0x0000), 0);
  EXPECT_EQ(image.Byte(0x0001), 0);
  EXPECT_EQ(receiver.memory().Word(0x0010), 0);  // lowest programmed channel index

  const ReadOutcome read = ReadFromRadio(link, image, RadioConfig{});
  ASSERT_EQ(read.result, LinkResult::kSuccess);
  EXPECT_EQ(FirstDifference(*read.record, AsReadBack(record)), "");
}

TEST_F(SequenceTest, LostCommandsAreRetriedInBothDirections) {
  HoldInReceiver(NewConfiguration());
  LossyPort lossy(port);
  Link lossy_link(lossy, clock);
  lossy_link.SelectPortNumber(1);
  const RadioConfig record = WithChannels({3, 4, 640});
  const std::uint64_t start = clock.Total();
  ProgramOutcome outcome = ProgramToRadio(lossy_link, image, record);
  ASSERT_EQ(outcome.result, LinkResult::kSuccess) << outcome.detail;
  ReadOutcome read = ReadFromRadio(lossy_link, image, NewConfiguration());
  ASSERT_EQ(read.result, LinkResult::kSuccess) << read.detail;
  EXPECT_EQ(FirstDifference(*read.record, AsReadBack(record)), "");
  EXPECT_GT(lossy.writes, 1000);
  // Each lost command costs the 1000 ms wait and a settle delay.
  EXPECT_GE(clock.Total() - start, static_cast<std::uint64_t>(lossy.writes / 5) * 1000);
}

TEST_F(SequenceTest, VerifyReadsBackTheWrittenRangesAndCatchesAStuckSlot) {
  HoldInReceiver(NewConfiguration());
  const RadioConfig record = WithChannels({1, 2});
  ProgramOutcome outcome = ProgramToRadio(link, image, record, {.verify = true}, recorder.Report());
  ASSERT_EQ(outcome.result, LinkResult::kSuccess) << outcome.detail;
  EXPECT_EQ(recorder.states, (std::vector<std::string>{"Writing data.", "Verifying data."}));
  EXPECT_EQ(recorder.maximum, 1006);
  EXPECT_EQ(recorder.last_value, 1006);
  EXPECT_EQ(BuildVerifyList().size(), 1006u);
  EXPECT_EQ(BuildVerifyList()[1], (AddressRange{0x0340, 0x03FF}));

  // The receiver keeps channel 640's old slot (it held an empty slot written as 0.1 MHz).
  StuckSlotPort stuck(port, receiver, 640);
  Link stuck_link(stuck, clock);
  stuck_link.SelectPortNumber(1);
  RadioConfig changed = record;
  changed.Channel(640).InUse = 1;
  changed.Channel(640).Frequency = "433000000";
  outcome = ProgramToRadio(stuck_link, image, changed, {.verify = true});
  EXPECT_EQ(outcome.result, LinkResult::kWriteFailed);
  EXPECT_EQ(outcome.detail,
            "Verification failed at 0x37F0: the receiver holds 0xA0, 0x40 was written.");
}

TEST_F(SequenceTest, AFailedProgramPrecheckSaysWhy) {
  receiver.options().silent_after = 0;
  ProgramOutcome outcome = ProgramToRadio(link, image, NewConfiguration());
  EXPECT_EQ(outcome.result, LinkResult::kReadFailed);
  EXPECT_EQ(outcome.detail, "The receiver did not answer the handshake.");
  link.SelectPortNumber(0);
  EXPECT_EQ(ProgramToRadio(link, image, NewConfiguration()).result, LinkResult::kPortUnavailable);
}

}  // namespace
}  // namespace kestrel::link
