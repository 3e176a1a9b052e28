#include "ui/write_preview.h"

#include <gtest/gtest.h>

#include "image/encoder.h"
#include "image/image_map.h"
#include "link/write_changes.h"
#include "model/defaults.h"

namespace kestrel::ui {
namespace {

// What the receiver is known to hold: a read of `record` written whole, with `tamper` applied
// to what the read brought.
KnownImage KnownAfterRead(const RadioConfig& record,
                          const std::function<void(MemoryImage&)>& tamper) {
  MemoryImage image;
  image.Fill(0xFF);
  EXPECT_TRUE(EncodeImage(record, image));
  tamper(image);
  return link::KnowledgeOfRead(image);
}

TEST(WritePreview, CountsCommandsAndThoseThatChangeNothingThePagesShow) {
  RadioConfig base = NewConfiguration();
  base.Channel(5) = {1, "145000000", "CALL  ", 0, 3};
  RadioConfig edited = base;
  edited.Channel(12) = {1, "145500000", "REP   ", 0, 3};
  const auto nothing = [](MemoryImage&) {};
  // The bits of a step byte that no page shows.
  const auto derived = [](MemoryImage& image) {
    const std::size_t step = image_map::ChannelSlotAddress(5) + image_map::slot::kStep;
    image.SetByte(step, image.Byte(step) | 0x10);
  };
  struct Case {
    const char* what;
    const RadioConfig& record;
    std::function<void(MemoryImage&)> tamper;
    std::size_t differences, unseen;
    bool nothing;
  } cases[] = {
      {"the same", base, nothing, 0, 0, true},
      {"a channel added", edited, nothing, 1, 0, false},
      {"bits no page shows", base, derived, 0, 1, false},
  };
  MemoryImage window_image;
  window_image.Fill(0xFF);
  for (const Case& c : cases) {
    const auto preview = PreviewChanges(c.record, window_image, KnownAfterRead(base, c.tamper));
    ASSERT_TRUE(preview) << c.what;
    EXPECT_EQ(preview->differences.size(), c.differences) << c.what;
    EXPECT_EQ(preview->unseen, c.unseen) << c.what;
    EXPECT_EQ(preview->Nothing(), c.nothing) << c.what;
    EXPECT_EQ(preview->always, 5u) << c.what << ": the bytes no read covers";
    if (!c.nothing) {
      EXPECT_LT(preview->ms * 10, preview->full_ms) << c.what;
    }
  }
}

}  // namespace
}  // namespace kestrel::ui
