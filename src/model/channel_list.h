// The 1000 memory channels as a list the user rearranges: empty channels inserted, channels
// removed, a run of channels moved or sorted. The list always keeps its 1000 places, and no
// programmed channel ever falls off its end unasked.
#pragma once

#include <expected>
#include <string>

#include "model/radio_config.h"

namespace kestrel {

// Inserts `count` empty channels before channel `first` (1 to 1000), as a receiver does: the
// channels from `first` move down into the first run of `count` empty channels at or below it,
// and the channels below that run stay where they are. Refused, changing nothing, when there is
// no such run.
std::expected<void, std::string> InsertEmptyChannels(RadioConfig& record, int first, int count);

// Removes channels `first` to `last` ("Delete and Shift Up"): the block of programmed channels
// right below them, up to the next empty channel, moves up into their place, and the places it
// leaves are empty. The channels after that empty one stay where they are.
void RemoveChannels(RadioConfig& record, int first, int last);

// Moves channels `first` to `last` one place up (`by` -1) or down (+1); the channel they pass
// takes the place at their other end. False, changing nothing, at the top or the bottom.
bool MoveChannels(RadioConfig& record, int first, int last, int by);

// The orders a run of channels is sorted in. Programmed channels come first in either; empty
// channels follow; channels that compare equal keep their order.
enum class ChannelOrder {
  kFrequency,  // lowest frequency first, then by name
  kName,       // by name without the blanks around it, letters in either case alike, then by
               // frequency
};
void SortChannels(RadioConfig& record, int first, int last, ChannelOrder order);

}  // namespace kestrel
