#include "model/channel_list.h"

#include <algorithm>
#include <cctype>
#include <tuple>
#include <vector>

#include "model/display_texts.h"
#include "model/frequency_text.h"

namespace kestrel {

namespace {

std::vector<MemoryChannel> Run(const RadioConfig& record, int first, int last) {
  std::vector<MemoryChannel> run;
  for (int number = first; number <= last; ++number) run.push_back(record.Channel(number));
  return run;
}

void PutRun(RadioConfig& record, int first, const std::vector<MemoryChannel>& run) {
  for (std::size_t i = 0; i < run.size(); ++i) {
    record.Channel(first + static_cast<int>(i)) = run[i];
  }
}

std::string NameKey(const MemoryChannel& channel) {
  std::string key(TrimBlanks(channel.Name));
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

}  // namespace

std::expected<void, std::string> InsertEmptyChannels(RadioConfig& record, int first, int count) {
  int run = first;  // where the run of `count` empty channels starts
  for (int number = first; number <= kChannelCount && number - run < count; ++number) {
    if (record.Channel(number).IsProgrammed()) run = number + 1;
  }
  if (run + count - 1 > kChannelCount) {
    std::string reason = "there are not ";
    reason += std::to_string(count);
    reason += count == 1 ? " empty channel" : " empty channels in a row";
    reason += " from channel ";
    reason += ChannelNumberText(first);
    reason += " to the last one to take the channels pushed down";
    return std::unexpected(std::move(reason));
  }
  std::vector<MemoryChannel> block = Run(record, first, run - 1);
  block.insert(block.begin(), static_cast<std::size_t>(count), MemoryChannel{});
  PutRun(record, first, block);
  return {};
}

void RemoveChannels(RadioConfig& record, int first, int last) {
  int end = last + 1;  // the first empty channel below the removed ones
  while (end <= kChannelCount && record.Channel(end).IsProgrammed()) ++end;
  std::vector<MemoryChannel> block = Run(record, last + 1, end - 1);
  block.resize(static_cast<std::size_t>(end - first));
  PutRun(record, first, block);
}

bool MoveChannels(RadioConfig& record, int first, int last, int by) {
  if (first + by < 1 || last + by > kChannelCount) return false;
  std::vector<MemoryChannel> run =
      Run(record, std::min(first, first + by), std::max(last, last + by));
  if (by < 0) {
    std::rotate(run.begin(), run.begin() + 1, run.end());
  } else {
    std::rotate(run.rbegin(), run.rbegin() + 1, run.rend());
  }
  PutRun(record, std::min(first, first + by), run);
  return true;
}

void SortChannels(RadioConfig& record, int first, int last, ChannelOrder order) {
  std::vector<MemoryChannel> run = Run(record, first, last);
  const auto key = [order](const MemoryChannel& channel) {
    // What an emptied channel still holds is no part of the order.
    if (!channel.IsProgrammed()) return std::make_tuple(true, 0.0, std::string(), 0.0);
    const double hz = StoredHz(channel);
    return order == ChannelOrder::kFrequency ? std::make_tuple(false, hz, NameKey(channel), 0.0)
                                             : std::make_tuple(false, 0.0, NameKey(channel), hz);
  };
  std::stable_sort(run.begin(), run.end(), [&key](const MemoryChannel& a, const MemoryChannel& b) {
    return key(a) < key(b);
  });
  PutRun(record, first, run);
}

}  // namespace kestrel
