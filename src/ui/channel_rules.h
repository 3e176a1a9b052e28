// The arithmetic behind storing a memory channel: which tuning step a frequency lies on, and the
// Hz text a channel is stored with. Plain functions so they are checked without any window.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kestrel::ui {

// The step-table position a channel at `hz` (as entered, in Hz) tunes with, or nullopt when the
// frequency lies on none of the receiver's rasters. `mode` is the channel-mode position; the
// 9 kHz raster exists only for AM broadcast frequencies. The 25 kHz raster wins over 9 kHz.
std::optional<int> DeriveStep(double hz, int mode);

// The Hz text stored for an entered frequency: plain decimal text, and for the 8.33 kHz step
// (position 3) the receiver's own channel frequencies, base + 8334 and base + 16667 within each
// 25 kHz block (a 24990 offset goes up to the next block).
std::string StoredFrequencyText(double hz, int step);

// `text` without the blanks around it (names are padded with spaces, never with other space).
std::string_view TrimBlanks(std::string_view text);

}  // namespace kestrel::ui
