#include "batch/mru_files.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/test_support.h"

namespace quillstone {
namespace {

using Entries = std::vector<std::string>;

std::string Dir(int i) {
  return "/photos/" + std::to_string(i) + "/";
}

TEST(MruFiles, AddMovesAnEntryToTheTopWithItsNewSpelling) {
  TMRUFiles history(kHistoryCapacity);
  history.Add("/c/");
  history.Add("/Photos/Summer/");
  history.Add("/b/");
  history.Add("/a/");
  history.Add("/photos/summer/");
  EXPECT_EQ(history.entries(), (Entries{"/photos/summer/", "/a/", "/b/", "/c/"}));
  history.Add("");
  history.Add("/two\nlines/");
  EXPECT_EQ(history.entries().size(), 4u);
}

TEST(MruFiles, TheTwentyFirstEntryDropsTheOldest) {
  TMRUFiles history(kHistoryCapacity);
  for (int i = 1; i <= 21; ++i) history.Add(Dir(i));
  ASSERT_EQ(history.entries().size(), 20u);
  EXPECT_EQ(history.entries().front(), Dir(21));
  EXPECT_EQ(history.entries().back(), Dir(2));

  history.Add(Dir(2));  // already there: moved, nothing dropped
  EXPECT_EQ(history.entries().size(), 20u);
  EXPECT_EQ(history.entries().front(), Dir(2));
  EXPECT_EQ(history.entries().back(), Dir(3));

  history.SetMaxEntries(3);
  EXPECT_EQ(history.entries(), (Entries{Dir(2), Dir(21), Dir(20)}));
}

TEST(MruFiles, MenuCaptions) {
  TMRUFiles history(kHistoryCapacity);
  EXPECT_TRUE(history.MenuItems().empty());
  for (int i = 12; i >= 1; --i) history.Add(Dir(i));
  const std::vector<MruMenuItem> items = history.MenuItems();
  ASSERT_EQ(items.size(), 13u);
  EXPECT_EQ(items[0], (MruMenuItem{true, "-", "", -1}));
  EXPECT_EQ(items[1], (MruMenuItem{false, "&1 /photos/1/", "Opens /photos/1/", 0}));
  EXPECT_EQ(items[10].caption, "&10 /photos/10/");
  EXPECT_EQ(items[11], (MruMenuItem{false, "  /photos/11/", "Opens /photos/11/", 10}));
  EXPECT_EQ(items[12].caption, "  /photos/12/");
  EXPECT_EQ(history.EntryAt(items[12].index), Dir(12));
  EXPECT_EQ(history.EntryAt(12), std::nullopt);

  history.SetNumbered(false);
  EXPECT_EQ(history.MenuItems()[1].caption, "/photos/1/");
  history.Add("/Tom & Jerry/");
  EXPECT_EQ(history.MenuItems()[1].caption, "/Tom && Jerry/");
  EXPECT_EQ(history.MenuItems()[1].hint, "Opens /Tom & Jerry/");
}

TEST(MruFiles, SaveAndLoad) {
  testing::TempDir dir;
  TMRUFiles saved(kHistoryCapacity);
  saved.Add("/old/");
  saved.Add("/new/\xE9/");  // not UTF-8: kept byte for byte
  ASSERT_TRUE(saved.SaveToFile(dir / kSourceHistoryFileName).ok());
  EXPECT_EQ(testing::FileContents(dir / kSourceHistoryFileName), "/new/\xE9/\r\n/old/\r\n");

  TMRUFiles loaded(kHistoryCapacity);
  loaded.Add("/replaced/");
  ASSERT_TRUE(loaded.LoadFromFile(dir / kSourceHistoryFileName).ok());
  EXPECT_EQ(loaded.entries(), saved.entries());

  ASSERT_TRUE(loaded.LoadFromFile(dir / kDestinationHistoryFileName).ok());  // missing
  EXPECT_TRUE(loaded.entries().empty());
}

TEST(MruFiles, LoadDropsBlankAndRepeatedLinesAndKeepsTheCapacity) {
  testing::TempDir dir;
  std::string text = "/a/\r\n\r\n/b/\r\n/A/\r\n";
  for (int i = 0; i < 30; ++i) text += Dir(i) + "\r\n";
  std::ofstream(dir / "h.list", std::ios::binary) << text;
  TMRUFiles history(kHistoryCapacity);
  ASSERT_TRUE(history.LoadFromFile(dir / "h.list").ok());
  Entries expected{"/a/", "/b/"};
  for (int i = 0; i < 18; ++i) expected.push_back(Dir(i));
  EXPECT_EQ(history.entries(), expected);

  history.Add("/kept/");
  EXPECT_FALSE(history.LoadFromFile(dir.path()).ok());  // a folder: error, entries kept
  EXPECT_EQ(history.entries().front(), "/kept/");
  EXPECT_FALSE(history.SaveToFile(dir / "no" / "h.list").ok());
}

}  // namespace
}  // namespace quillstone
