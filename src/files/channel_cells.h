// The single cells of a channel table: frequencies in MHz exact to the Hz, coded values found by
// their table texts, the steps a frequency lies on, and cells as messages quote them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "model/value_tables.h"

namespace kestrel::cells {

// Step-table positions with rules of their own.
inline constexpr int kAutoStep = 0, kAviationStep = 3, kBroadcastStep = 4;

// Whether two words are the same, ignoring the case of ASCII letters.
bool SameWord(std::string_view a, std::string_view b);

// One UTF-8 character at `pos`, which moves past it; nullopt for a malformed sequence.
std::optional<char32_t> NextCharacter(std::string_view text, std::size_t& pos);
bool IsControl(char32_t c);  // C0 and C1 controls and DEL

// A cell as a message quotes it: malformed bytes and control characters as "?", and no more than
// 40 characters; Quoted puts it in double quotes.
std::string Shown(std::string_view text);
std::string Quoted(std::string_view text);

// Every number a cell holds is plain decimal text: digits with an optional decimal point ("88.5",
// "023", ".5"). No sign, exponent, hexadecimal, "inf" or "nan".
bool IsPlainDecimal(std::string_view text);
// A plain decimal cell's value; nullopt for any other text.
std::optional<double> PlainNumber(std::string_view text);

// The position (from 1) of the entry of `table` whose number the cell holds, so that " 88.5",
// "88.50" and "88.5" name the same tone and "23" the DCS code "023".
std::optional<int> NumberPosition(ValueTable table, std::string_view text);
// The position of the entry that is the cell's word, in any case ("rev" is "REV").
std::optional<int> WordPosition(ValueTable table, std::string_view text);

// MHz text as people write it ("145.5", "118.008334") in whole Hz, rounded beyond six decimals;
// nullopt for anything but digits with an optional decimal point.
std::optional<std::int64_t> ParseMhz(std::string_view text);
// Hz as MHz with as many decimals as the Hz need, at least five: "145.50000", "118.008334".
std::string MhzOfHz(std::int64_t hz);
// A channel's stored Hz text as exact MHz text; a stored text that is no whole number (from a
// hand-edited data file) is rounded to the Hz.
std::string ExactMhzText(std::string_view hz_text);
// The shortest text that reads back as exactly `value`.
std::string ExactText(double value);

// The 8.33 kHz channels as the record stores them (base + 8334, base + 16667 in each 25 kHz
// block), which the rasters of entered frequencies do not know.
bool IsStoredAviation(std::int64_t hz);
// Whether a channel at `hz` with channel-mode position `mode` tunes with step-table position
// `step`: the frequency lies on one of the receiver's rasters and on that step's.
bool FitsStep(std::int64_t hz, int mode, int step);

}  // namespace kestrel::cells
