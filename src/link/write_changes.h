// Writing only what changed: which commands of the program sequence a receiver needs, given what
// the tool knows it holds, and how that knowledge follows reads and writes. A command is left
// out when the receiver is known to hold every byte it carries, and a channel slot when its
// channel is empty in the image being written and known to be empty on the receiver. The bytes
// no read covers are always sent, as the full write sends them.
#pragma once

#include <expected>
#include <optional>
#include <string>
#include <vector>

#include "image/known_image.h"
#include "image/memory_image.h"
#include "link/range_lists.h"

namespace kestrel::link {

// What a read that gave `read` knows: the bytes of its read list, and the slots of the channels
// its bitmap marks empty.
KnownImage KnowledgeOfRead(const MemoryImage& read);

// The same for a raw image kept from a read, which counts only if it looks read: every byte
// outside its read list holds 0xFF. The error says why it does not.
std::expected<KnownImage, std::string> KnowledgeOfReadImage(const MemoryImage& image);

// Notes a write command of `written`: acknowledged, the receiver holds its bytes; not, every
// byte it carries is unknown.
void NoteWrite(KnownImage& known, const MemoryImage& written, const RangeCommand& command,
               bool acknowledged);

// The commands of the program list, in its order, that a write of `image` must send to a
// receiver known as `known`; each as the range of that one command.
std::vector<AddressRange> ChangedCommands(const MemoryImage& image, const KnownImage& known);

// Whether `commands` change anything a read can see: false when they are only the bytes that
// every write sends.
bool ChangesAnything(const std::vector<AddressRange>& commands);

// The receiver's bookkeeping that Write Changes reads first, to see that the receiver is the one
// it knows: both channel count tables and both channel bitmaps, as whole 16-byte lines.
std::vector<AddressRange> BookkeepingList();

// The first address where `read` (of BookkeepingList) differs from a byte `known` holds; the
// bytes it did not know are learned from `read`.
std::optional<std::size_t> CompareBookkeeping(KnownImage& known, const MemoryImage& read);

}  // namespace kestrel::link
