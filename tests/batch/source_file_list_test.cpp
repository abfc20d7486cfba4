#include "batch/source_file_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "batch/file_mask.h"
#include "support/test_support.h"

namespace quillstone {
namespace {

using Names = std::vector<std::string>;

TEST(SourceFileList, OrderFoldsLetterCase) {
  Names names{"b.jpg", "IMG_9.jpg", "_x.jpg", "A.jpg", "a.jpg", "IMG_10.jpg", "c.JPG", "B.jpg"};
  std::sort(names.begin(), names.end(), FileNameLess);
  // Letters fold to lower case, so "_" (0x5F) sorts before every letter.
  EXPECT_EQ(names, (Names{"_x.jpg", "A.jpg", "a.jpg", "B.jpg", "b.jpg", "c.JPG", "IMG_10.jpg", "IMG_9.jpg"}));
}

TEST(SourceFileList, ListsMatchingRegularFilesWithoutRegardToCase) {
  testing::TempDir dir;
  for (const char* name : {"b.JPG", "a.jpg", "C.jpe", "d.bmp", "e.jpeg", ".hidden.jpg", "notes.txt"}) {
    testing::WriteFile(dir / name, "x");
  }
  std::filesystem::create_directory(dir / "folder.jpg");
  std::filesystem::create_symlink("a.jpg", dir / "link.jpg");
  std::filesystem::create_symlink("gone.jpg", dir / "dangling.jpg");

  Names names;
  ASSERT_TRUE(ListMatchingFiles(dir.path().string(), kDefaultFileMask, names).ok());
  EXPECT_EQ(names, (Names{"a.jpg", "b.JPG", "C.jpe", "link.jpg"}));
  ASSERT_TRUE(ListMatchingFiles(dir.path().string() + "/", "*.BMP;*.jpeg", names).ok());
  EXPECT_EQ(names, (Names{"d.bmp", "e.jpeg"}));

  const Status missing = ListMatchingFiles((dir / "none").string(), kDefaultFileMask, names);
  EXPECT_FALSE(missing.ok());
  EXPECT_TRUE(names.empty());
}

TEST(SourceFileList, RefreshKeepsTheSelectedNameOrTakesTheFirst) {
  testing::TempDir dir;
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) testing::WriteFile(dir / name, "x");
  SourceFileList list;
  ASSERT_TRUE(list.Refresh(dir.path().string(), kDefaultFileMask).ok());
  EXPECT_EQ(list.directory(), dir.path().string() + "/");
  EXPECT_EQ(list.selected(), 0);
  ASSERT_TRUE(list.SelectName("B.JPG"));
  EXPECT_EQ(list.SelectedPath(), dir.path().string() + "/b.jpg");

  testing::WriteFile(dir / "0.jpg", "x");
  ASSERT_TRUE(list.Refresh(dir.path().string(), kDefaultFileMask).ok());
  EXPECT_EQ(list.SelectedName(), "b.jpg");
  EXPECT_EQ(list.PositionLabel(), "3/4");

  std::filesystem::remove(dir / "b.jpg");
  ASSERT_TRUE(list.Refresh(dir.path().string(), kDefaultFileMask).ok());
  EXPECT_EQ(list.SelectedName(), "0.jpg");

  EXPECT_FALSE(list.Refresh((dir / "none").string(), kDefaultFileMask).ok());
  EXPECT_EQ(list.count(), 0);
  EXPECT_EQ(list.selected(), -1);
  EXPECT_FALSE(list.CanStep());
}

TEST(SourceFileList, SelectNamePrefersTheExactSpelling) {
  SourceFileList list;
  list.SetNames({"photo.jpg", "PHOTO.JPG"});
  ASSERT_TRUE(list.SelectName("photo.jpg"));
  EXPECT_EQ(list.SelectedName(), "photo.jpg");
  ASSERT_TRUE(list.SelectName("Photo.Jpg"));
  EXPECT_EQ(list.SelectedName(), "PHOTO.JPG");
  EXPECT_FALSE(list.SelectName("other.jpg"));
}

TEST(SourceFileList, SteppingWrapsAround) {
  SourceFileList list;
  list.SetNames({"c.jpg", "a.jpg", "b.jpg"});
  EXPECT_EQ(list.names(), (Names{"a.jpg", "b.jpg", "c.jpg"}));
  EXPECT_EQ(list.CountLabel(), "3 file(s)");
  EXPECT_EQ(list.selected(), 0);

  // Previous from the first goes to the last, next from the last to the first.
  const std::pair<bool (SourceFileList::*)(), int> steps[] = {{&SourceFileList::StepPrevious, 2},
                                                              {&SourceFileList::StepNext, 0},
                                                              {&SourceFileList::StepNext, 1},
                                                              {&SourceFileList::StepReload, 1},
                                                              {&SourceFileList::StepPrevious, 0}};
  for (const auto& [step, selected] : steps) {
    ASSERT_TRUE((list.*step)());
    EXPECT_EQ(list.selected(), selected);
  }
}

TEST(SourceFileList, OnlyNextActsWithoutASelection) {
  SourceFileList list;
  EXPECT_FALSE(list.StepNext());
  EXPECT_FALSE(list.StepPrevious());
  EXPECT_FALSE(list.StepReload());
  EXPECT_EQ(list.CountLabel(), "0 file(s)");
  EXPECT_EQ(list.PositionLabel(), "0/0");
  EXPECT_EQ(list.SelectedPath(), "");

  list.SetNames({"a.jpg", "b.jpg"});
  ASSERT_TRUE(list.Select(1));
  EXPECT_FALSE(list.Select(2));
  EXPECT_FALSE(list.Select(-1));
  EXPECT_EQ(list.selected(), 1);
}

}  // namespace
}  // namespace quillstone
