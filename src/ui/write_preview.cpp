#include "ui/write_preview.h"

#include <set>

#include "image/decoder.h"
#include "image/encoder.h"
#include "image/image_map.h"
#include "link/program_sequence.h"
#include "link/time_estimate.h"
#include "link/write_changes.h"
#include "model/defaults.h"

namespace kestrel::ui {

namespace {

RadioConfig Decoded(const MemoryImage& image) {
  RadioConfig record = NewConfiguration();
  MarkUsedChannels(image, record);
  DecodeImage(image, record);
  return record;
}

// The pre-check both kinds of write start with: the handshake and the region block.
link::WireCost PrecheckCost() {
  link::WireCost cost = link::HandshakeCost();
  cost += link::CommandCost({static_cast<std::uint16_t>(image_map::kRegionBlock), true},
                            link::Direction::kRead);
  return cost;
}

// Whether `image`, which differs from what gave `shown` only in the command at `first`, shows
// as `shown` does. A channel slot's bytes show only in its channel, and only while the bitmap
// marks it in use: that one channel is decoded, as a whole decode for each of a thousand slots
// would keep the window waiting.
bool ShowsAlike(const MemoryImage& image, const RadioConfig& shown, std::size_t first) {
  if (first < image_map::kChannelSlots) return CompareConfigurations(Decoded(image), shown).empty();
  const int channel =
      static_cast<int>((first - image_map::kChannelSlots) / image_map::kChannelSlotSize) + 1;
  if (!shown.Channel(channel).IsProgrammed()) return true;
  RadioConfig alone = shown;
  for (int c = 1; c <= kChannelCount; ++c) {
    if (c != channel) alone.Channel(c).InUse = 0;
  }
  RadioConfig decoded = alone;
  DecodeImage(image, decoded);
  return CompareConfigurations(decoded, alone).empty();
}

}  // namespace

RadioConfig KnownConfiguration(const KnownImage& known) {
  return Decoded(known.bytes());
}

std::expected<WritePreview, std::vector<std::string>> PreviewChanges(const RadioConfig& record,
                                                                     const MemoryImage& image,
                                                                     const KnownImage& known) {
  MemoryImage target = image;
  if (auto problems = EncodeImage(record, target); !problems) {
    std::vector<std::string> lines;
    for (const Finding& problem : problems.error()) {
      lines.push_back(FindingText(problem) + ".");
    }
    return std::unexpected(std::move(lines));
  }
  target.SetByte(image_map::kProgramStart, 0);
  target.SetByte(image_map::kProgramStart + 1, 0);

  WritePreview preview;
  const RadioConfig shown = Decoded(target);
  const RadioConfig as_known = KnownConfiguration(known);
  preview.differences = CompareConfigurations(as_known, record);
  const std::vector<link::AddressRange> commands = link::ChangedCommands(target, known);
  preview.commands = commands.size();
  // The commands a write of what the receiver shows already would send: they restore bytes
  // the encoder derives otherwise, or bytes that are not known. The bitmap copy and the counts
  // that follow an added channel are not among them.
  const std::set<std::int32_t> restoring = [&] {
    MemoryImage same = image;
    std::set<std::int32_t> firsts;
    if (!EncodeImage(as_known, same)) return firsts;
    same.SetByte(image_map::kProgramStart, 0);
    same.SetByte(image_map::kProgramStart + 1, 0);
    for (const link::AddressRange& command : link::ChangedCommands(same, known)) {
      firsts.insert(command.first);
    }
    return firsts;
  }();
  for (const link::AddressRange& command : commands) {
    const auto first = static_cast<std::size_t>(command.first);
    if (link::ReadNeverCovers(first)) {
      ++preview.always;
      continue;
    }
    if (!restoring.contains(command.first)) continue;
    // Left as the receiver holds it, would anything the pages show be otherwise?
    MemoryImage without = target;
    for (auto a = first; a <= static_cast<std::size_t>(command.last); ++a) {
      without.SetByte(a, known.bytes().Byte(a));
    }
    if (ShowsAlike(without, shown, first)) ++preview.unseen;
  }
  if (preview.Nothing()) return preview;

  link::WireCost changes = PrecheckCost();
  changes += link::StepCost(link::BookkeepingList(), link::Direction::kRead);
  changes += link::StepCost(commands, link::Direction::kWrite);
  preview.ms = changes.Ms();
  link::WireCost full = PrecheckCost();
  full += link::StepCost(link::BuildProgramList(), link::Direction::kWrite);
  preview.full_ms = full.Ms();
  return preview;
}

}  // namespace kestrel::ui
