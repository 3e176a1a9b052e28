#include "ui/write_preview.h"

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

}  // namespace

RadioConfig KnownConfiguration(const KnownImage& known) {
  return Decoded(known.bytes());
}

std::expected<WritePreview, std::vector<std::string>> PreviewChanges(const RadioConfig& record,
                                                                     const MemoryImage& image,
                                                                     const KnownImage& known) {
  MemoryImage target = image;
  RadioConfig encoded = record;
  if (auto problems = EncodeImage(encoded, target); !problems) {
    std::vector<std::string> lines;
    for (const EncodeProblem& problem : problems.error()) {
      lines.push_back(problem.place + ": " + problem.message + ".");
    }
    return std::unexpected(std::move(lines));
  }
  target.SetByte(image_map::kProgramStart, 0);
  target.SetByte(image_map::kProgramStart + 1, 0);

  WritePreview preview;
  const RadioConfig shown = Decoded(target);
  preview.differences = CompareConfigurations(KnownConfiguration(known), record);
  const std::vector<link::AddressRange> commands = link::ChangedCommands(target, known);
  preview.commands = commands.size();
  for (const link::AddressRange& command : commands) {
    const auto first = static_cast<std::size_t>(command.first);
    if (link::ReadNeverCovers(first)) {
      ++preview.always;
      continue;
    }
    // Left as the receiver holds it, would anything the pages show be otherwise?
    MemoryImage without = target;
    for (auto a = first; a <= static_cast<std::size_t>(command.last); ++a) {
      without.SetByte(a, known.bytes().Byte(a));
    }
    if (CompareConfigurations(Decoded(without), shown).empty()) ++preview.unseen;
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
