#include "link/write_changes.h"

#include <optional>

#include "image/image_map.h"
#include "link/frames.h"

namespace kestrel::link {
namespace map = image_map;
namespace {

std::size_t SizeOf(const RangeCommand& command) {
  return command.block ? 16 : 1;
}

// The channel whose slot `address` is in; 0 outside the slots.
int SlotChannel(std::size_t address) {
  if (address < map::kChannelSlots) return 0;
  return static_cast<int>((address - map::kChannelSlots) / map::kChannelSlotSize) + 1;
}

bool SlotMarkedEmpty(const MemoryImage& image, int channel) {
  const std::uint8_t marker = image.Byte(map::ChannelSlotAddress(channel) + map::slot::kRevToneUse);
  return (marker & 0xC0) == map::kSlotEmpty;
}

}  // namespace

KnownImage KnowledgeOfRead(const MemoryImage& read) {
  KnownImage known;
  const auto in_use = ChannelsInUse(read);
  for (const AddressRange& range : BuildReadList(in_use)) {
    known.Learn(read, static_cast<std::size_t>(range.first),
                static_cast<std::size_t>(range.last - range.first + 1));
  }
  for (int c = 1; c <= KnownImage::kSlots; ++c) {
    known.SetSlotEmpty(c, !in_use[static_cast<std::size_t>(c - 1)]);
  }
  return known;
}

std::expected<KnownImage, std::string> KnowledgeOfReadImage(const MemoryImage& image) {
  KnownImage known = KnowledgeOfRead(image);
  for (std::size_t a = 0; a < MemoryImage::kSize; ++a) {
    if (known.Known(a) || image.Byte(a) == 0xFF) continue;
    return std::unexpected("it does not look like an image kept from a read: the byte at 0x" +
                           HexWord(static_cast<std::uint16_t>(a)) +
                           ", which no read fetches, holds 0x" + HexByte(image.Byte(a)) +
                           " instead of 0xFF");
  }
  return known;
}

void NoteWrite(KnownImage& known, const MemoryImage& written, const RangeCommand& command,
               bool acknowledged) {
  if (acknowledged) {
    known.Learn(written, command.address, SizeOf(command));
  } else {
    known.Forget(command.address, SizeOf(command));
  }
  if (const int channel = SlotChannel(command.address)) {
    known.SetSlotEmpty(channel, acknowledged && SlotMarkedEmpty(written, channel));
  }
}

std::vector<AddressRange> ChangedCommands(const MemoryImage& image, const KnownImage& known) {
  const auto in_use = ChannelsInUse(image);
  std::vector<AddressRange> commands;
  for (const AddressRange& range : BuildProgramList()) {
    for (const RangeCommand& command : SplitRange(range)) {
      const std::size_t size = SizeOf(command);
      if (!ReadNeverCovers(command.address)) {
        if (known.Holds(image, command.address, size)) continue;
        const int channel = SlotChannel(command.address);
        if (channel > 0 && !in_use[static_cast<std::size_t>(channel - 1)] &&
            known.SlotEmpty(channel)) {
          continue;
        }
      }
      commands.push_back({command.address, static_cast<std::int32_t>(command.address + size - 1)});
    }
  }
  return commands;
}

bool ChangesAnything(const std::vector<AddressRange>& commands) {
  for (const AddressRange& command : commands) {
    if (!ReadNeverCovers(static_cast<std::size_t>(command.first))) return true;
  }
  return false;
}

std::vector<AddressRange> BookkeepingList() {
  const auto first = static_cast<std::int32_t>(map::kChannelCounts);
  const auto last = static_cast<std::int32_t>(map::kChannelBitmapCopy + map::kChannelBitmapSize);
  return {{first, (last | 0xF)}};
}

std::optional<std::size_t> CompareBookkeeping(KnownImage& known, const MemoryImage& read) {
  const std::pair<std::size_t, std::size_t> tables[] = {
      {map::kChannelCounts, 2 * map::kChannelCountWords},
      {map::kChannelCountsCopy, 2 * map::kChannelCountWords},
      {map::kChannelBitmap, map::kChannelBitmapSize},
      {map::kChannelBitmapCopy, map::kChannelBitmapSize}};
  for (const auto& [first, size] : tables) {
    for (std::size_t a = first; a < first + size; ++a) {
      if (known.Known(a) && known.bytes().Byte(a) != read.Byte(a)) return a;
    }
  }
  for (const auto& [first, size] : tables) {
    for (std::size_t a = first; a < first + size; ++a) {
      if (!known.Known(a)) known.Learn(read, a, 1);
    }
  }
  return std::nullopt;
}

}  // namespace kestrel::link
