// Writing only what changed: the commands left out and kept, the check that the receiver is the
// one known, and writes that stopped part way finished by changes.
#include "link/write_changes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>

#include "image/encoder.h"
#include "image/image_map.h"
#include "link/program_sequence.h"
#include "link/read_sequence.h"
#include "link/sim/simulated_receiver_port.h"
#include "model/defaults.h"
#include "scripted_port.h"
#include "test_records.h"

namespace kestrel::link {
namespace {

namespace map = image_map;
using testing::DetailOf;
using testing::ResultOf;
using testing::WithChannels;

MemoryImage Encoded(RadioConfig record) {
  MemoryImage image;
  EXPECT_TRUE(EncodeImage(record, image).has_value());
  image.SetByte(map::kProgramStart, 0);
  image.SetByte(map::kProgramStart + 1, 0);
  return image;
}

// What a read of `memory` sees, with the bytes every write sends: 0xFF elsewhere.
MemoryImage ReadView(const MemoryImage& memory) {
  MemoryImage view = KnowledgeOfRead(memory).bytes();
  for (const std::size_t a : {0x0000, 0x0001, 0x0010, 0x0011, 0x0400}) {
    view.SetByte(a, memory.Byte(a));
  }
  return view;
}

std::vector<int> Addresses(const std::vector<AddressRange>& commands) {
  std::vector<int> addresses;
  for (const AddressRange& command : commands) addresses.push_back(command.first);
  return addresses;
}

TEST(ChangedCommands, LeaveOutWhatTheReceiverIsKnownToHold) {
  const RadioConfig before = WithChannels({1, 500, 1000});
  const MemoryImage read = KnowledgeOfRead(Encoded(before)).bytes();  // as a read leaves it
  const std::vector<int> every_write{0x0000, 0x0001, 0x0010, 0x0011, 0x0400};
  const auto with = [&](std::vector<int> more) {
    more.insert(more.end(), every_write.begin(), every_write.end());
    std::ranges::sort(more);
    return more;
  };
  using Edit = std::function<void(RadioConfig&, KnownImage&)>;
  const std::tuple<const char*, Edit, std::vector<int>> rows[] = {
      {"nothing changed", [](RadioConfig&, KnownImage&) {}, every_write},
      {"a name", [](RadioConfig& r, KnownImage&) { r.Channel(500).Name = "NEW"; }, with({0x2F30})},
      {"a Set Mode function", [](RadioConfig& r, KnownImage&) { r.SetMode[3] = 1; },
       with({0x0300})},
      {"a channel added", [](RadioConfig& r, KnownImage&) { r.Channel(7) = r.Channel(1); },
       with({0x0820, 0x0840, 0x0860, 0x08E0, 0x1060})},
      {"the last channel removed", [](RadioConfig& r, KnownImage&) { ClearChannel(r, 1000); },
       with({0x0820, 0x0834, 0x0840, 0x0854, 0x08DC, 0x095C, 0x4E70})},
      {"a hidden field of an empty channel",
       [](RadioConfig& r, KnownImage&) { r.Channel(2).TrainTone = 5; }, every_write},
      {"a command left unanswered",
       [](RadioConfig& r, KnownImage& known) {
         NoteWrite(known, Encoded(r), {0x0300, true}, false);
       },
       with({0x0300})},
      {"a slot written programmed and answered, then emptied",
       [](RadioConfig& r, KnownImage& known) {
         NoteWrite(known, Encoded(WithChannels({3})), {0x1020, true}, true);
         r.Channel(3).TrainTone = 5;
       },
       with({0x1020})},
      {"a slot written empty and answered",
       [](RadioConfig& r, KnownImage& known) {
         ClearChannel(r, 1);
         NoteWrite(known, Encoded(r), {0x1000, true}, true);
         r.Channel(1).TrainTone = 5;
       },
       with({0x0820, 0x0840, 0x0860, 0x08E0})}};
  for (const auto& [name, edit, expected] : rows) {
    SCOPED_TRACE(name);
    RadioConfig record = before;
    KnownImage known = KnowledgeOfRead(read);
    edit(record, known);
    const auto commands = ChangedCommands(Encoded(record), known);
    std::vector<int> addresses = Addresses(commands);
    std::ranges::sort(addresses);
    EXPECT_EQ(addresses, expected);
    EXPECT_EQ(ChangesAnything(commands), expected != every_write);
  }

  // An image kept from a read counts as one only where nothing outside its read list was set.
  EXPECT_EQ(KnowledgeOfReadImage(read), KnowledgeOfRead(read));
  MemoryImage written = read;
  written.SetByte(0x1010, 0x40);  // channel 2, which the bitmap marks empty
  EXPECT_EQ(KnowledgeOfReadImage(written).error(),
            "it does not look like an image kept from a read: the byte at 0x1010, which no read "
            "fetches, holds 0x40 instead of 0xFF");
}

// The receiver on the line, and a second one that gets full writes to compare with.
struct WriteChangesTest : ::testing::Test {
  struct Receiver {
    VirtualClock clock;
    ReceiverSimulator simulator;
    SimulatedReceiverPort port{simulator, clock};
    Link link{port, clock};
    Receiver() { link.SelectPortNumber(1); }
    int Written() const { return simulator.counts().write_blocks + simulator.counts().write_bytes; }
  };
  Receiver radio, reference;
  CancelToken cancel;

  // Both receivers hold `held`, their empty slots seeded with `slot_byte` everywhere.
  void Hold(const RadioConfig& held, std::optional<std::uint8_t> slot_byte = {}) {
    MemoryImage memory = Encoded(held);
    for (int c = 1; c <= kChannelCount; ++c) {
      if (held.Channel(c).IsProgrammed() || !slot_byte) continue;
      const std::size_t slot = map::ChannelSlotAddress(c);
      for (std::size_t a = slot; a < slot + 16; ++a) memory.SetByte(a, *slot_byte);
    }
    radio.simulator.memory() = memory;
    reference.simulator.memory() = memory;
    radio.simulator.ResetCounts();
  }
  KnownImage ReadRadio() {
    MemoryImage image;
    EXPECT_TRUE(ReadFromRadio(radio.link, image, NewConfiguration()));
    radio.simulator.ResetCounts();
    return KnowledgeOfRead(image);
  }
  // What a full write of `record` leaves on the reference receiver.
  MemoryImage FullWrite(const RadioConfig& record) {
    MemoryImage image;
    EXPECT_TRUE(ProgramToRadio(reference.link, image, record));
    return reference.simulator.memory();
  }
};

TEST_F(WriteChangesTest, ThreeEditedChannelsAreWrittenAloneAndTheReceiverEndsAsAFullWriteLeavesIt) {
  Hold(WithChannels({1, 2, 3, 400, 999}), 0xFF);
  KnownImage known = ReadRadio();
  RadioConfig record = WithChannels({1, 2, 3, 400, 999});
  record.Channel(2).Name = "TWO";
  record.Channel(400).Frequency = "146525000";
  ClearChannel(record, 999);
  record.Channel(998) = record.Channel(1);  // the same table bytes and line of the bitmap
  MemoryImage image;
  std::size_t sent = 0;
  const LinkStatus outcome =
      WriteChangesToRadio(radio.link, image, record, known, {.verify = true}, {}, &sent);
  ASSERT_TRUE(outcome) << DetailOf(outcome);
  // Five bytes every write sends, a bitmap byte and its copy, four slots.
  EXPECT_EQ(sent, 5u + 2 + 4);
  EXPECT_EQ(radio.Written(), static_cast<int>(sent));
  EXPECT_EQ(ReadView(radio.simulator.memory()), ReadView(FullWrite(record)));

  // The knowledge follows the write: the same record again sends nothing, one more edit its slot
  // and the bytes every write sends.
  radio.simulator.ResetCounts();
  ASSERT_TRUE(WriteChangesToRadio(radio.link, image, record, known, {}, {}, &sent));
  EXPECT_EQ(sent, 0u);
  EXPECT_EQ(radio.Written(), 0);
  record.Channel(3).Name = "THREE";
  ASSERT_TRUE(WriteChangesToRadio(radio.link, image, record, known, {}, {}, &sent));
  EXPECT_EQ(sent, 5u + 1);
}

TEST_F(WriteChangesTest, AReceiverThatDoesNotHoldWhatWasReadIsNotWritten) {
  Hold(WithChannels({1, 2}));
  const KnownImage known = ReadRadio();
  RadioConfig record = WithChannels({1, 2});
  record.Channel(1).Name = "ONE";
  // A channel stored on the receiver's own keys since the read; then the counts alone.
  const std::pair<std::size_t, std::uint8_t> changes[] = {{0x08E0, 0x07}, {0x0840, 3}};
  for (const auto& [address, value] : changes) {
    Hold(WithChannels({1, 2}));
    radio.simulator.memory().SetByte(address, value);
    KnownImage copy = known;
    MemoryImage image;
    const LinkStatus outcome = WriteChangesToRadio(radio.link, image, record, copy,
                                                   {.known_from = "read at 14:02 on ttyUSB0"});
    EXPECT_EQ(ResultOf(outcome), LinkResult::kWriteFailed);
    EXPECT_EQ(DetailOf(outcome),
              "Nothing was written: this receiver does not hold what was read "
              "at 14:02 on ttyUSB0 (its channel bitmap or channel counts "
              "differ at 0x" +
                  HexWord(static_cast<std::uint16_t>(address)) +
                  "). Read it again, or use Write to write everything.");
    EXPECT_EQ(radio.Written(), 0);
  }
}

// A full write stops at a command (cancelled, or the receiver goes quiet and leaves that command
// unanswered); Write Changes from what the write left known then sends the rest.
TEST_F(WriteChangesTest, AStoppedWriteIsFinishedByChanges) {
  // The pre-check is its handshake and one block, the write's handshake command 3. Then come
  // 0x0000 (4), the bands (11 to 23), the bitmap copy and the bitmap (38 to 77), 0x0010 (78) and
  // the slots (80 to 1079).
  struct Row {
    const char* name;
    int stop_at;
    bool quiet;
    bool read_first;
    std::optional<std::uint8_t> slot_byte;
  };
  const Row rows[] = {{"cancelled before the bitmap", 20, false, false, 0xFF},
                      {"cancelled after the bitmap", 78, false, true, 0xFF},
                      {"quiet inside the slots", 600, true, false, 0xFF},
                      {"quiet inside the slots, read first", 600, true, true, map::kSlotProgrammed},
                      {"cancelled at the last slot", 1078, false, true, map::kSlotProgrammed}};
  const RadioConfig held = WithChannels({1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 700, 701});
  const RadioConfig record = WithChannels({2, 5, 600, 990});  // removes channels, adds others
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Hold(held, row.slot_byte);
    KnownImage known = row.read_first ? ReadRadio() : KnownImage{};
    radio.link.SetCancel(&cancel);
    cancel.Reset();
    radio.simulator.SetLog([&](const std::string&) {
      if (radio.simulator.counts().Total() == row.stop_at && !row.quiet) cancel.Request();
    });
    radio.simulator.options().silent_after = row.quiet ? row.stop_at : -1;
    MemoryImage image;
    EXPECT_FALSE(ProgramToRadio(radio.link, image, record, {}, {}, &known));
    radio.simulator.SetLog({});
    radio.simulator.options().silent_after = -1;
    radio.simulator.ResetCounts();
    cancel.Reset();

    std::size_t sent = 0;
    const LinkStatus finished =
        WriteChangesToRadio(radio.link, image, record, known, {.verify = true}, {}, &sent);
    ASSERT_TRUE(finished) << DetailOf(finished);
    EXPECT_LT(sent, 1076u);
    const MemoryImage full = FullWrite(record);
    if (row.read_first) {
      EXPECT_EQ(ReadView(radio.simulator.memory()), ReadView(full));
    } else {
      EXPECT_EQ(radio.simulator.memory(), full);
    }
  }
}

}  // namespace
}  // namespace kestrel::link
