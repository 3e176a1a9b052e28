// The common channel-list layout written out, so that lists go back to other tools: its header
// in full, and empty cells for what the receiver has not.
#include <array>
#include <string_view>

#include "files/channel_cells.h"
#include "files/channel_csv.h"
#include "files/csv_records.h"
#include "model/channel.h"
#include "model/cp1252.h"
#include "model/display_texts.h"
#include "model/value_tables.h"

namespace kestrel {

namespace {

enum Cell : std::size_t {
  kLocation,
  kName,
  kFrequency,
  kDuplex,
  kOffset,
  kTone,
  kRToneFreq,
  kCToneFreq,
  kDtcsCode,
  kDtcsPolarity,
  kRxDtcsCode,
  kCrossMode,
  kMode,
  kTStep,
  kSkip,
  kPower,
  kComment,
  kUrCall,
  kRpt1Call,
  kRpt2Call,
  kDvCode,
  kCellCount,
};

constexpr std::array<std::string_view, kCellCount> kHeader{
    "Location",  "Name",     "Frequency",    "Duplex",     "Offset",    "Tone",     "rToneFreq",
    "cToneFreq", "DtcsCode", "DtcsPolarity", "RxDtcsCode", "CrossMode", "Mode",     "TStep",
    "Skip",      "Power",    "Comment",      "URCALL",     "RPT1CALL",  "RPT2CALL", "DVCODE"};

}  // namespace

std::string FormatCommonChannelTable(std::span<const NumberedChannel> channels,
                                     std::vector<int>& unheld) {
  std::string out;
  std::vector<std::string> cells(kHeader.begin(), kHeader.end());
  AppendCsvRecord(out, cells, kFileDelimiter);
  for (const auto& [number, channel] : channels) {
    if (!channel.IsProgrammed()) continue;
    const auto text = [&](ChannelColumn column) {
      return std::string(TrimBlanks(ChannelText(channel, number, column)));
    };
    cells.assign(kCellCount, std::string());
    cells[kLocation] = std::to_string(number - 1);
    cells[kName] = std::string(TrimBlanks(Cp1252ToUtf8(channel.Name)));
    cells[kFrequency] = cells::ExactMhzText(channel.Frequency);
    cells[kMode] = text(ChannelColumn::kMode);
    if (channel.Step != cells::kAutoStep) {
      cells[kTStep] = std::string(TrimBlanks(TableEntry(kStepTable, channel.Step)));
    }
    switch (static_cast<ToneSelect>(channel.ToneSelect)) {
      case ToneSelect::kTsq:
        cells[kTone] = "TSQL";
        cells[kCToneFreq] = text(ChannelColumn::kTsq);
        break;
      case ToneSelect::kRevTsq:
        cells[kTone] = "TSQL-R";
        cells[kCToneFreq] = text(ChannelColumn::kRevTsq);
        break;
      case ToneSelect::kDcs:
        cells[kTone] = "DTCS";
        cells[kDtcsCode] = text(ChannelColumn::kDcs);
        cells[kDtcsPolarity] = channel.RevDcs == 1 ? "NR" : "NN";
        break;
      case ToneSelect::kTrain:
      case ToneSelect::kScrambler:
        unheld.push_back(number);
        break;
      default:
        break;
    }
    AppendCsvRecord(out, cells, kFileDelimiter);
  }
  return out;
}

}  // namespace kestrel
