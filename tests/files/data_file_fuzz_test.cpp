// Seeded truncations and byte mutations of a valid file: the reader never crashes and either
// loads or fails with a line inside the file and a reason.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "files/data_file.h"
#include "model/defaults.h"

namespace kestrel {
namespace {

TEST(DataFileFuzz, TruncationsFailAtTheLineWhereTheyCut) {
  const RadioConfig base = NewConfiguration();
  const std::string text = FormatDataFile(base);
  const std::size_t last_line = text.rfind('\n', text.size() - 2) + 1;
  std::mt19937 random(20261206);
  for (int i = 0; i < 1000; ++i) {
    const std::size_t cut = random() % text.size();
    const auto loaded = ParseDataFile(std::string_view(text).substr(0, cut), base);
    // Only a cut after the first digit of the last line (" 70 ") keeps every field.
    ASSERT_EQ(loaded.has_value(), cut >= last_line + 2) << cut;
    if (loaded) continue;
    const auto complete_lines =
        std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(cut), '\n');
    // The cut line is either reported as not a number or the next line as missing.
    EXPECT_GE(loaded.error().line, complete_lines + 1) << cut;
    EXPECT_LE(loaded.error().line, complete_lines + 2) << cut;
  }
}

TEST(DataFileFuzz, MutationsLoadOrFailCleanly) {
  const RadioConfig base = NewConfiguration();
  const std::string text = FormatDataFile(base);
  std::mt19937 random(8675309);
  const char interesting[] = {'\r', '\n', '-', '+', ' ', '0', '9', '\0', '\x7f', '\xff'};
  int loads = 0;
  for (int i = 0; i < 1000; ++i) {
    std::string mutated = text;
    for (int k = 1 + static_cast<int>(random() % 4); k > 0; --k) {
      const std::size_t at = random() % mutated.size();
      const char some = interesting[random() % sizeof interesting];
      const auto kind = random() % 4;
      if (kind == 0) mutated[at] = static_cast<char>(random());
      if (kind == 1) mutated[at] = some;
      if (kind == 2) mutated.insert(at, 1, some);
      if (kind == 3) mutated.erase(at, 1 + random() % 8);
    }
    const auto loaded = ParseDataFile(mutated, base);
    if (!loaded) {
      EXPECT_GE(loaded.error().line, 1);
      EXPECT_LE(loaded.error().line, 12200);
      EXPECT_FALSE(loaded.error().message.empty());
      continue;
    }
    ++loads;  // whatever loads must save and load again to the same bytes
    const std::string saved = FormatDataFile(loaded->record);
    const auto reloaded = ParseDataFile(saved, base);
    ASSERT_TRUE(reloaded) << reloaded.error().ToString();
    EXPECT_EQ(FormatDataFile(reloaded->record), saved);
  }
  EXPECT_GT(loads, 10);  // both outcomes occur, so both are checked
  EXPECT_LT(loads, 990);
}

}  // namespace
}  // namespace kestrel
