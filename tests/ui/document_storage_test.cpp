#include "ui/document_storage.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "model/defaults.h"
#include "support/temp_files.h"

namespace kestrel::ui {
namespace {

using kestrel::testing::ReadAll;
using kestrel::testing::WriteAll;

TEST(DataFileStorage, SavesLoadsAndSaysWhereAFileIsWrong) {
  QTemporaryDir folder;
  DataFileStorage storage;
  RadioConfig record = NewConfiguration();
  record.SetMode[0] = 4;
  const QString path = folder.filePath("kestrel ü.dat");
  ASSERT_TRUE(storage.Save(path, record).has_value());
  EXPECT_EQ(storage.Load(path, NewConfiguration()), record);

  WriteAll(path.toStdString(), ReadAll(path.toStdString()).substr(0, 4000));
  // A damaged file says where, an unreadable one why; neither repeats the file's name.
  const auto cut = storage.Load(path, NewConfiguration());
  ASSERT_FALSE(cut.has_value());
  EXPECT_TRUE(cut.error().damaged);
  EXPECT_TRUE(cut.error().reason.startsWith("line ")) << cut.error().reason.toStdString();

  // What could not be read is not damaged; the files' tests hold the kinds of file refused.
  EXPECT_EQ(storage.Load(folder.path(), NewConfiguration()).error(),
            (LoadFailure{false, "cannot be read: it is a folder, not a data file"}));

  const auto unwritable = storage.Save(folder.filePath("no/such/folder/x.dat"), record);
  ASSERT_FALSE(unwritable.has_value());
  EXPECT_TRUE(unwritable.error().startsWith("cannot be written: ")) << "the window names the file";
}

}  // namespace
}  // namespace kestrel::ui
