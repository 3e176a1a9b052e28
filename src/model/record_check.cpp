#include "model/record_check.h"

#include <algorithm>

#include "model/channel.h"
#include "model/channel_rules.h"
#include "model/value_tables.h"

namespace kestrel {

namespace {

Finding ChannelWarning(int number, ChannelField field, std::string message) {
  return {.channel = number,
          .field = std::string(FieldCaption(field)),
          .message = std::move(message),
          .severity = Severity::kWarning};
}

std::string NotInTable(int position, std::string_view table_name) {
  return std::to_string(position) + " is not in the " + std::string(table_name);
}

void CheckSetMode(const RadioConfig& record, std::vector<Finding>& warnings) {
  for (int f = 0; f < kSetModeFunctionCount; ++f) {
    const ValueTable table = SetModeValueTable(f);
    const int position = record.SetMode[static_cast<std::size_t>(f)];
    if (table.empty() || InTable(table, position)) continue;
    warnings.push_back({.set_mode = f,
                        .message = NotInTable(position, SetModeTableName(f)),
                        .severity = Severity::kWarning});
  }
}

void CheckChannelValues(const MemoryChannel& channel, int number, std::vector<Finding>& warnings) {
  const std::pair<ChannelField, std::int16_t> coded[] = {
      {ChannelField::kMode, channel.Mode},
      {ChannelField::kStep, channel.Step},
      {ChannelField::kToneSelect, channel.ToneSelect},
      {ChannelField::kTsqTone, channel.TsqTone},
      {ChannelField::kRevTsqTone, channel.RevTsqTone},
      {ChannelField::kDcsCode, channel.DcsCode},
      {ChannelField::kRevDcs, channel.RevDcs},
      {ChannelField::kScrambler, channel.Scrambler},
      {ChannelField::kTrainTone, channel.TrainTone},
  };
  for (const auto& [field, position] : coded) {
    const FieldTable table = TableOf(field);
    if (InTable(table.table, position)) continue;
    if (field == ChannelField::kRevDcs && position == kNoPolarity) continue;
    warnings.push_back(ChannelWarning(number, field, NotInTable(position, table.name)));
  }
}

std::optional<Finding> EditorRefusal(const MemoryChannel& channel, int number) {
  const auto stored = ValidateChannel(EntryOf(channel));
  if (stored) return std::nullopt;
  Finding refusal = stored.error().finding;
  refusal.channel = number;
  refusal.severity = Severity::kWarning;
  return refusal;
}

}  // namespace

std::vector<Finding> ValuesOutsideTables(const RadioConfig& record) {
  std::vector<Finding> warnings;
  CheckSetMode(record, warnings);
  for (int n = 1; n <= kChannelCount; ++n) {
    if (record.Channel(n).IsProgrammed()) CheckChannelValues(record.Channel(n), n, warnings);
  }
  return warnings;
}

std::vector<Finding> CheckRecord(const RadioConfig& record) {
  std::vector<Finding> warnings;
  CheckSetMode(record, warnings);
  for (int n = 1; n <= kChannelCount; ++n) {
    const MemoryChannel& channel = record.Channel(n);
    if (!channel.IsProgrammed()) continue;
    const std::size_t first = warnings.size();
    CheckChannelValues(channel, n, warnings);
    auto refusal = EditorRefusal(channel, n);
    if (refusal && std::find(warnings.begin() + static_cast<std::ptrdiff_t>(first), warnings.end(),
                             *refusal) == warnings.end()) {
      warnings.push_back(std::move(*refusal));
    }
  }
  return warnings;
}

}  // namespace kestrel
