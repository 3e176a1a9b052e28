// The read and program sequences against the simulated receiver on the virtual clock.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/encoder.h"
#include "image/image_map.h"
#include "link/frequency_check.h"
#include "link/program_sequence.h"
#include "link/read_sequence.h"
#include "link/sim/simulated_receiver_port.h"
#include "model/defaults.h"
#include "scripted_port.h"
#include "test_records.h"

namespace kestrel::link {
namespace {

using testing::DetailOf;
using ::testing::HasSubstr;
using testing::kDone;
using testing::ResultOf;
using testing::WithChannels;

// The states reported, and the progress: -maximum when a range is set, then each value.
struct Recorder {
  std::vector<std::string> states;
  std::vector<int> progress;
  SequenceReport Report() {
    return {[this](const std::string& text) { states.push_back(text); },
            {[this](int m) { progress.push_back(-m); }, [this](int v) { progress.push_back(v); }}};
  }
};

// Ranges of n steps one after another, each step reported once.
std::vector<int> Steps(std::initializer_list<int> ranges) {
  std::vector<int> steps;
  for (const int n : ranges) {
    steps.push_back(-n);
    for (int i = 1; i <= n; ++i) steps.push_back(i);
  }
  return steps;
}

struct SequenceTest : ::testing::Test {
  VirtualClock clock;
  ReceiverSimulator receiver;
  SimulatedReceiverPort port{receiver, clock};
  Link link{port, clock};
  MemoryImage image;
  Recorder recorder;

  void SetUp() override {
    link.SelectPortNumber(1);
    RadioConfig held = NewConfiguration();
    ASSERT_TRUE(EncodeImage(held, receiver.memory()).has_value());
  }
  int Written() const { return receiver.counts().write_blocks + receiver.counts().write_bytes; }
};

// The record as a read gives it back: names come as the receiver's six blank-padded characters.
RadioConfig AsReadBack(RadioConfig record) {
  for (int c = 1; c <= kChannelCount; ++c) {
    if (record.Channel(c).IsProgrammed()) record.Channel(c).Name.resize(6, ' ');
  }
  return record;
}

// The read takes the listed ranges, each byte once, and of the channels only those the
// receiver's bitmap marks, not the ones the record holds.
TEST_F(SequenceTest, AReadFetchesTheListedRangesAndOnlyTheChannelsTheBitmapMarks) {
  // Bit 0 of 0x0860 is channel 1, bit 7 of 0x0861 channel 16.
  for (std::size_t a = 0x0860; a <= 0x08DF; ++a) receiver.memory().SetByte(a, 0);
  receiver.memory().SetByte(0x0860, 0x01);
  receiver.memory().SetByte(0x0861, 0x80);
  const auto outcome = ReadFromRadio(link, image, WithChannels({2}), recorder.Report());
  ASSERT_TRUE(outcome) << DetailOf(outcome);
  EXPECT_EQ(recorder.states, std::vector<std::string>{"Reading data."});
  EXPECT_EQ(recorder.progress, Steps({32 + 2}));
  for (int c = 1; c <= kChannelCount; ++c) {
    ASSERT_EQ(outcome->Channel(c).IsProgrammed(), c == 1 || c == 16) << c;
  }
  EXPECT_EQ(outcome->Channel(16).Frequency,
            std::to_string(receiver.memory().Long(0x1000 + 16 * 15)));
  for (const AddressRange& range : BuildReadList(ChannelsInUse(image))) {
    for (std::int32_t a = range.first; a <= range.last; ++a) {
      ASSERT_EQ(image.Byte(a), receiver.memory().Byte(a)) << a;
    }
  }
  EXPECT_EQ(image.Byte(0x0000), 0xFF);  // not listed
  EXPECT_EQ(image.Byte(0x1010), 0xFF);  // channel 2 not in use
  // Pre-check 8 blocks; fixed entries 1 + 1 + 12 + 22 + 1 + 1 + 7 + 7 blocks and 61 single
  // bytes; 2 channels.
  const SimulatorCounts& counts = receiver.counts();
  EXPECT_EQ(counts.read_blocks, 8 + 52 + 2);
  EXPECT_EQ(counts.read_bytes, 61);
  EXPECT_EQ(counts.write_blocks + counts.write_bytes + counts.rejected, 0);
  EXPECT_FALSE(port.IsOpen());
}

// A failed read gives no record, leaves the image as it was and closes the port.
TEST_F(SequenceTest, AReceiverThatGoesQuietHalfwayKeepsNothingRead) {
  // Every channel in use, and the receiver goes quiet at the 500th channel block: the handshake
  // and 8 blocks of the pre-check, the handshake and fixed entries (52 blocks, 61 bytes) of the
  // loop, then 499 channel blocks are answered.
  for (std::size_t a = 0x0860; a <= 0x08DC; ++a) receiver.memory().SetByte(a, 0xFF);
  receiver.ResetCounts();
  receiver.options().silent_after = 1 + 8 + 1 + 52 + 61 + 499;
  image.Fill(0x5A);
  const MemoryImage before = image;
  const auto outcome = ReadFromRadio(link, image, WithChannels({7}), recorder.Report());
  EXPECT_EQ(image, before);
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(ResultOf(outcome), LinkResult::kReadFailed);
  EXPECT_EQ(DetailOf(outcome), "No valid answer to reading 16 bytes at 0x2F30.");
  EXPECT_EQ(recorder.progress.front(), -1032);
  EXPECT_EQ(recorder.progress.back(), 32 + 499);
}

TEST_F(SequenceTest, RegionTablesBlockTheirRangesWithTheLimits) {
  const std::tuple<std::uint8_t, double, bool> rows[] = {
      {0, 255000000, false}, {0, 253000000, false}, {0, 256000000, false},  {0, 256000001, true},
      {0, 252999999, true},  {0, 961000000, false}, {0, 850995000, true},   {0, 0, true},
      {2, 850995000, false}, {2, 850995001, true},  {2, 822000000, false},  {2, 255000000, true},
      {1, 255000000, true},  {3, 850995000, true},  {0xFF, 870000000, true}};
  for (const auto& [region, hz, allowed] : rows) {
    image.SetByte(0x005E, region);
    EXPECT_EQ(IsFrequencyAllowed(image, hz), allowed) << "region " << int{region} << ", " << hz;
  }
}

TEST_F(SequenceTest, CheckFrequenciesTestsChannelsInUseInOrderThenBandLimits) {
  RadioConfig record = WithChannels({1, 2});
  record.Channel(3).Frequency = "255000000";  // channels not in use are never tested
  record.Channel(4).Frequency = "junk";
  record.Band(0).LowFrequency = "";             // reads as 0: allowed
  record.Band(3).UpperFrequency = "254.00000";  // MHz text, tested as the Hz it stands for
  image.SetByte(0x005E, 0);
  EXPECT_EQ(CheckFrequencies(image, record),
            (RefusedFrequency{"search band 4, upper limit", 254000000}));
  record.Channel(900).InUse = 1;
  record.Channel(900).Frequency = "870000000";
  record.Channel(2).Frequency = "256000000";
  EXPECT_EQ(RefusalText(CheckFrequencies(image, record).value_or(RefusedFrequency{})),
            "channel 001 at 256.00000 MHz");
  image.SetByte(0x005F, 1);  // the check switch lets everything through
  EXPECT_EQ(CheckFrequencies(image, record), std::nullopt);
  image.SetByte(0x005F, 0);
  image.SetByte(0x005E, 2);
  EXPECT_EQ(CheckFrequencies(image, record).value_or(RefusedFrequency{}).place, "channel 899");
  // The first and the last channel are tested like any other.
  image.SetByte(0x005E, 0);
  for (const auto& [channel, place] :
       {std::pair{1, "channel 000"}, {kChannelCount, "channel 999"}}) {
    RadioConfig one = WithChannels({channel});
    one.Channel(channel).Frequency = "255000000";
    EXPECT_EQ(CheckFrequencies(image, one).value_or(RefusedFrequency{}).place, place);
  }
}

// A record the receiver cannot take writes nothing. The encoder refuses before the port is
// opened, so first even when the frequency check (after the pre-check) would refuse it too.
TEST_F(SequenceTest, ARecordTheReceiverCannotTakeWritesNothing) {
  receiver.SetRegionCode(0);
  const std::tuple<int, std::optional<LinkResult>, std::string> rows[] = {
      {0, LinkResult::kFrequencyNotProgrammable,
       "The frequency that you set cannot be \nprogrammed.\nPlease confirm the frequency "
       "again.\nFirst refused: channel 004 at 255.00000 MHz."},
      {300, LinkResult::kNotEncodable,
       "The configuration cannot be written.\nchannel 004, STEP: 300 does not fit a byte (0 to "
       "255)."}};
  for (const auto& [step, result, text] : rows) {
    RadioConfig record = WithChannels({1, 5});
    record.Channel(5).Frequency = "255000000";
    record.Channel(5).Step = static_cast<std::int16_t>(step);
    const MemoryImage before = image;
    const int opens = port.opens();
    const LinkStatus outcome = ProgramToRadio(link, image, record, {}, recorder.Report());
    EXPECT_EQ(ResultOf(outcome), result);
    EXPECT_THAT(ResultText(outcome.error()), HasSubstr(text));
    if (result == LinkResult::kNotEncodable) {
      EXPECT_EQ(port.opens(), opens);
      EXPECT_EQ(image, before);
    }
  }
  EXPECT_TRUE(recorder.states.empty());
  EXPECT_EQ(Written(), 0);
}

// A record with changes in every area, as programming writes it.
RadioConfig EditedRecord() {
  RadioConfig record = WithChannels({1, 999});
  record.SetMode[3] = 1;
  record.Band(5) = {"118.00000", "136.99000"};
  record.Channel(999).Name = "TOWER";
  return record;
}

TEST_F(SequenceTest, ProgrammingWritesAndVerifiesEverySlotAndAReadGivesTheRecordBack) {
  receiver.memory().SetByte(0x0000, 0x77);
  const RadioConfig record = EditedRecord();
  const LinkStatus outcome =
      ProgramToRadio(link, image, record, {.verify = true}, recorder.Report());
  ASSERT_TRUE(outcome) << DetailOf(outcome);
  EXPECT_EQ(recorder.states, (std::vector<std::string>{"Writing data.", "Verifying data."}));
  EXPECT_EQ(recorder.progress, Steps({1008, 1006}));
  EXPECT_EQ(VerifyListOf(BuildProgramList())[1], (AddressRange{0x0340, 0x03FF}));
  EXPECT_EQ(receiver.counts().write_blocks, 2 + 12 + 2 + 14 + 1000);
  EXPECT_EQ(receiver.memory().Byte(0x0000), 0);
  EXPECT_EQ(image.Byte(0x0001), 0);
  EXPECT_EQ(receiver.memory().Word(0x0010), 0);  // lowest programmed channel index
  const auto read = ReadFromRadio(link, image, RadioConfig{});
  ASSERT_TRUE(read);
  EXPECT_TRUE(*read == AsReadBack(record));
}

TEST_F(SequenceTest, VerifyCatchesASlotTheReceiverDidNotKeep) {
  // The receiver acknowledges every block write but keeps channel 640's old slot (an empty
  // slot, written as 0.1 MHz).
  ASSERT_TRUE(ProgramToRadio(link, image, EditedRecord()));
  const MemoryImage kept = receiver.memory();
  const std::size_t slot = image_map::ChannelSlotAddress(640);
  receiver.SetLog([&](const std::string& line) {
    if (!line.starts_with("13 ")) return;
    for (std::size_t a = slot; a < slot + 16; ++a) receiver.memory().SetByte(a, kept.Byte(a));
  });
  RadioConfig record = EditedRecord();
  record.Channel(640).InUse = 1;
  record.Channel(640).Frequency = "433000000";
  const LinkStatus outcome = ProgramToRadio(link, image, record, {.verify = true});
  EXPECT_EQ(ResultOf(outcome), LinkResult::kWriteFailed);
  EXPECT_EQ(DetailOf(outcome),
            "Verification failed at 0x37F0: the receiver holds 0xA0, 0x40 was written.");
}

// A cancel request made while the receiver serves the command numbered `at` (every command of
// the sequence counts, handshakes included) lets that command end and sends nothing after it.
struct CancelTest : SequenceTest {
  void SetUp() override {
    SequenceTest::SetUp();
    link.SetCancel(&cancel);
    receiver.SetLog([this](const std::string&) {
      if (receiver.counts().Total() == at) cancel.Request();
    });
  }
  void CancelAt(int command) {
    at = command;
    cancel.Reset();
    receiver.ResetCounts();
  }
  void ExpectStoppedAfter(int command) {
    EXPECT_EQ(receiver.counts().Total(), command);
    EXPECT_FALSE(port.IsOpen());
    EXPECT_FALSE(port.rts());
  }
  CancelToken cancel;
  int at = -1;
};

TEST_F(CancelTest, ACancelledReadChangesNothing) {
  image.Fill(0x5A);
  const MemoryImage before = image;
  // The pre-check's handshake, a channel block of the loop, and the read's last command.
  for (const int command : {1, 150, 212}) {
    CancelAt(command);
    const auto outcome = ReadFromRadio(link, image, NewConfiguration());
    EXPECT_EQ(ResultOf(outcome), LinkResult::kCancelled) << command;
    EXPECT_EQ(DetailOf(outcome), "Reading cancelled. Nothing was changed.");
    EXPECT_EQ(image, before);
    ExpectStoppedAfter(command);
  }
}

TEST_F(CancelTest, ACancelledWriteSaysWhatTheReceiverHolds) {
  // The pre-check is its handshake and one block, the write its handshake and 1076 commands.
  constexpr int kLastWrite = 3 + 1076;
  const std::string nothing = "Writing cancelled. Nothing was written to the receiver.";
  const std::string partly =
      "Writing cancelled. The receiver holds a partly written configuration; write it again.";
  const std::tuple<int, bool, std::optional<LinkResult>, std::string, int> rows[] = {
      {1, false, LinkResult::kCancelled, nothing, 0},
      {3, false, LinkResult::kCancelled, nothing, 0},
      {4, false, LinkResult::kCancelled, partly, 1},
      {600, false, LinkResult::kCancelled, partly, 597},
      // Nothing is left to stop before: the receiver holds all of it, unverified when asked.
      {kLastWrite, false, kDone, "", 1076},
      {kLastWrite, true, LinkResult::kCancelled,
       "Verifying cancelled. The receiver holds the whole configuration, but it was not read "
       "back.",
       1076}};
  for (const auto& [when, verify, result, detail, written] : rows) {
    receiver.memory().SetByte(0x0000, 0x77);
    receiver.memory().SetByte(0x0001, 0x77);
    CancelAt(when);
    const LinkStatus outcome = ProgramToRadio(link, image, EditedRecord(), {verify});
    EXPECT_EQ(ResultOf(outcome), result) << when;
    EXPECT_EQ(DetailOf(outcome), detail) << when;
    EXPECT_EQ(Written(), written) << when;
    // The first command writes 0x0000, the next 0x0001.
    EXPECT_EQ(receiver.memory().Byte(0x0000), written > 0 ? 0 : 0x77) << when;
    EXPECT_EQ(receiver.memory().Byte(0x0001), written > 1 ? 0 : 0x77) << when;
    ExpectStoppedAfter(when);
  }
}

}  // namespace
}  // namespace kestrel::link
