// Seeded truncations and byte mutations of a valid file: the reader never crashes and either
// loads or fails with a line inside the file and a reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

#include "files/data_file.h"
#include "model/defaults.h"

namespace kestrel {
namespace {

// Whatever loads must also save and load again to the same bytes.
bool ExpectCleanOutcome(const std::string& text, const RadioConfig& base, int max_line) {
  const auto loaded = ParseDataFile(text, base);
  if (!loaded) {
    EXPECT_GE(loaded.error().line, 1);
    EXPECT_LE(loaded.error().line, max_line);
    EXPECT_FALSE(loaded.error().message.empty());
    return false;
  }
  const std::string saved = FormatDataFile(loaded->record);
  const auto reloaded = ParseDataFile(saved, base);
  EXPECT_TRUE(reloaded.has_value()) << reloaded.error().ToString();
  if (reloaded) {
    EXPECT_EQ(FormatDataFile(reloaded->record), saved);
  }
  return true;
}

TEST(DataFileFuzz, TruncationsFailAtTheLineWhereTheyCut) {
  const RadioConfig base = NewConfiguration();
  const std::string text = FormatDataFile(base);
  std::vector<std::size_t> line_ends;
  for (std::size_t i = text.find('\n'); i != std::string::npos; i = text.find('\n', i + 1)) {
    line_ends.push_back(i);
  }
  const std::size_t last_line = line_ends[line_ends.size() - 2] + 1;
  std::mt19937 random(20261206);
  std::uniform_int_distribution<std::size_t> offset(0, text.size() - 1);
  for (int i = 0; i < 1000; ++i) {
    const std::size_t cut = offset(random);
    const auto loaded = ParseDataFile(std::string_view(text).substr(0, cut), base);
    // Only a cut after the first digit of the last line (" 70 ") keeps every field.
    if (cut >= last_line + 2) {
      EXPECT_TRUE(loaded.has_value()) << cut;
      continue;
    }
    ASSERT_FALSE(loaded.has_value()) << cut;
    const int complete_lines = static_cast<int>(
        std::lower_bound(line_ends.begin(), line_ends.end(), cut) - line_ends.begin());
    // The cut line is either reported as not a number or the next line as missing.
    EXPECT_GE(loaded.error().line, complete_lines + 1) << cut;
    EXPECT_LE(loaded.error().line, complete_lines + 2) << cut;
  }
}

TEST(DataFileFuzz, MutationsLoadOrFailCleanly) {
  const RadioConfig base = NewConfiguration();
  const std::string text = FormatDataFile(base);
  std::mt19937 random(8675309);
  std::uniform_int_distribution<std::size_t> offset(0, text.size() - 1);
  std::uniform_int_distribution<int> byte(0, 255);
  std::uniform_int_distribution<int> count(1, 4);
  int loads = 0;
  const char interesting[] = {'\r', '\n', '-', '+', ' ', '0', '9', '\0', '\x7f', '\xff'};
  for (int i = 0; i < 1000; ++i) {
    std::string mutated = text;
    for (int k = count(random); k > 0; --k) {
      const std::size_t at = offset(random) % mutated.size();
      switch (random() % 4) {
        case 0:
          mutated[at] = static_cast<char>(byte(random));
          break;
        case 1:
          mutated[at] = interesting[random() % sizeof interesting];
          break;
        case 2:
          mutated.insert(at, 1, interesting[random() % sizeof interesting]);
          break;
        default:
          mutated.erase(at, 1 + random() % 8);
          break;
      }
    }
    loads += ExpectCleanOutcome(mutated, base, 12200) ? 1 : 0;
  }
  // Both outcomes occur, so both are checked.
  EXPECT_GT(loads, 10);
  EXPECT_LT(loads, 990);
}

}  // namespace
}  // namespace kestrel
