#include "ui/document.h"

#include <gtest/gtest.h>

#include <QSignalSpy>

#include "model/defaults.h"

namespace kestrel::ui {
namespace {

TEST(Document, ModifiedStateFollowsEditsSavesAndReplacement) {
  Document document;
  EXPECT_EQ(document.Record(), NewConfiguration());
  EXPECT_FALSE(document.IsModified());
  QSignalSpy modified(&document, &Document::ModifiedChanged);
  QSignalSpy replaced(&document, &Document::Replaced);

  document.MutableRecord().SetMode[0] = 5;
  document.MarkModified();
  document.MarkModified();
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(modified.count(), 1);

  document.MarkSaved("/tmp/a.dat");
  EXPECT_FALSE(document.IsModified());
  EXPECT_EQ(document.FileName(), "/tmp/a.dat");

  document.MarkModified();
  document.Replace(NewConfiguration(), QString());
  EXPECT_FALSE(document.IsModified());
  EXPECT_TRUE(document.FileName().isEmpty());
  EXPECT_EQ(document.Record().SetMode[0], 0);
  EXPECT_EQ(replaced.count(), 1);
}

}  // namespace
}  // namespace kestrel::ui
