#include "config/profile_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/test_support.h"

namespace quillstone {
namespace {

// What Find, ReadInteger (with -1 as the default) and ReadString give for a key.
TEST(ProfileFile, FindsValueAndInteger) {
  struct Case {
    const char* text;
    const char* section;
    const char* key;
    std::optional<std::string> stored;
    int integer;
  };
  const auto none = std::nullopt;
  for (const Case& c : {Case{"[General]\nRedOn=0\n", "GENERAL", "redon", "0", 0},
                        Case{"[GENERAL]\nredon=0\n", "GENERAL", "blueon", none, -1},
                        Case{"[GENERAL]\nredon=0\n", "LOGOSECTION", "redon", none, -1},
                        Case{"[S]\nx=12abc\n", "S", "x", "12abc", -1},
                        Case{"[S]\nx=-5\n", "S", "x", "-5", -5},
                        Case{"[S]\nx=+7\n", "S", "x", "+7", 7},
                        Case{"[S]\nx=+-7\n", "S", "x", "+-7", -1},
                        Case{"[S]\nx=-\n", "S", "x", "-", -1},
                        Case{"[S]\n  x  =   42  \n", "S", "x", "42", 42},
                        Case{"[S]\nx=- 5\n", "S", "x", "- 5", -1},
                        Case{"[S]\n\tx\t=\t9\t\n", "S", "x", "9", 9},
                        Case{"[ S ]\nx=1\n", "S", "x", "1", 1},
                        Case{"[S] ; note\nx=1\n", "S", "x", "1", 1},
                        Case{"[S]\nx=\n", "S", "x", "", -1},
                        Case{"[S]\nx=1.5\n", "S", "x", "1.5", -1},
                        Case{"[S]\nx=0x10\n", "S", "x", "0x10", -1},
                        Case{"[S]\nx=2147483647\n", "S", "x", "2147483647", 2147483647},
                        Case{"[S]\nx=-2147483648\n", "S", "x", "-2147483648", -2147483647 - 1},
                        Case{"[S]\nx=2147483648\n", "S", "x", "2147483648", -1},
                        Case{"[S]\nx=99999999999999999999\n", "S", "x", "99999999999999999999", -1},
                        Case{"[S]\nx=0042\n", "S", "x", "0042", 42},
                        Case{"[S]\nx=\" padded \"\n", "S", "x", " padded ", -1},
                        Case{"[S]\nx='7'\n", "S", "x", "7", 7},
                        Case{"[S]\nx=\"7\n", "S", "x", "\"7", -1},
                        Case{"[S]\nx=a=b\n", "S", "x", "a=b", -1},
                        Case{"[S]\n;x=5\n#x=6\n", "S", "x", none, -1},
                        Case{"[S]\nx=1\nX=2\n", "S", "x", "1", 1},
                        Case{"[S]\ny=1\n[s]\nx=2\n", "S", "x", none, -1},
                        Case{"x=1\n[S]\n", "S", "x", none, -1},
                        Case{"[S]\n[T]\nx=1\n", "S", "x", none, -1},
                        Case{"[S]\n[T\nx=1\n", "S", "x", "1", 1},
                        Case{"[GENERAL]\rcombination=5\r", "GENERAL", "combination", "5", 5},
                        Case{"[S]\rx=1\ny=2\r\nz=3", "S", "y", "2", 2},
                        Case{"[S]\nx=5", "S", "x", "5", 5}}) {
    const ProfileFile profile = ProfileFile::Parse(c.text);
    EXPECT_EQ(profile.Find(c.section, c.key), c.stored) << c.text;
    EXPECT_EQ(profile.ReadInteger(c.section, c.key, -1), c.integer) << c.text;
    EXPECT_EQ(profile.ReadString(c.section, c.key, "fallback"), c.stored.value_or("fallback")) << c.text;
  }
}

TEST(ProfileFile, UpdatesAKeyInPlaceAndKeepsEveryOtherByte) {
  const std::string before =
      "; written by hand\r\n[GENERAL]\r\nredon=1\r\n  Blueon = 1 ; comment\r\ncustom=keep me\r\n\r\n"
      "[MINE]\r\nblueon=7\r\n";
  ProfileFile profile = ProfileFile::Parse(before);
  ASSERT_TRUE(profile.WriteInteger("general", "BLUEON", 0).ok());
  EXPECT_EQ(profile.ToText(),
            "; written by hand\r\n[GENERAL]\r\nredon=1\r\n  Blueon=0\r\ncustom=keep me\r\n\r\n"
            "[MINE]\r\nblueon=7\r\n");
}

TEST(ProfileFile, AddsAKeyAfterTheLastKeyOfItsSectionOrRightAfterAnEmptySectionsHeader) {
  ProfileFile profile = ProfileFile::Parse("[A]\nx=1\n; about B\n\n[B]\ny=2\n");
  ASSERT_TRUE(profile.WriteString("A", "z", "3").ok());
  ASSERT_TRUE(profile.WriteString("B", "w", "4").ok());
  EXPECT_EQ(profile.ToText(), "[A]\nx=1\nz=3\n; about B\n\n[B]\ny=2\nw=4\n");
  ProfileFile empty = ProfileFile::Parse("[A]\n\n[B]");
  ASSERT_TRUE(empty.WriteString("A", "x", "1").ok());
  ASSERT_TRUE(empty.WriteString("B", "y", "2").ok());
  EXPECT_EQ(empty.ToText(), "[A]\nx=1\n\n[B]\ny=2\n");
}

TEST(ProfileFile, AppendsNewSectionsAfterABlankLineWithTheFilesLineEnds) {
  ProfileFile profile = ProfileFile::Parse("[A]\r\nx=1");
  ASSERT_TRUE(profile.WriteString("B", "y", "2").ok());
  EXPECT_EQ(profile.ToText(), "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n");

  ProfileFile crOnly = ProfileFile::Parse("[A]\rx=1\r");
  ASSERT_TRUE(crOnly.WriteString("A", "x", "2").ok());
  ASSERT_TRUE(crOnly.WriteString("B", "y", "3").ok());
  EXPECT_EQ(crOnly.ToText(), "[A]\rx=2\r\r[B]\ry=3\r");

  ProfileFile empty;
  ASSERT_TRUE(empty.WriteInteger("GENERAL", "redon", 1).ok());
  EXPECT_EQ(empty.ToText(), "[GENERAL]\nredon=1\n");
}

TEST(ProfileFile, ValuesReadBackExactlyAsWritten) {
  for (const std::string value : {"", " lead", "trail ", " both ", "\"quoted\"", "'single'", "\"", "a=b",
                                  "[x]", ";semi", "tab\tinside", "\xC3\xA9t\xC3\xA9", "'mixed\""}) {
    ProfileFile profile;
    ASSERT_TRUE(profile.WriteString("S", "k", value).ok()) << value;
    EXPECT_EQ(ProfileFile::Parse(profile.ToText()).Find("S", "k"), value) << profile.ToText();
  }
}

TEST(ProfileFile, RefusesWhatCouldNotBeReadBackAndChangesNothing) {
  struct Case {
    const char* section;
    const char* key;
    std::string value;
  };
  const std::string before = "[S]\nk=1\n";
  for (const Case& c :
       {Case{"S", "k", "two\nlines"}, Case{"S", "k", "cr\r"}, Case{"S", "k", std::string("n\0ul", 4)},
        Case{"S", "a=b", "1"}, Case{"S", ";k", "1"}, Case{"S", "[k", "1"}, Case{"S", " k", "1"},
        Case{"S", "", "1"}, Case{"S]", "k", "1"}, Case{"", "k", "1"}, Case{"S\n", "k", "1"}}) {
    ProfileFile profile = ProfileFile::Parse(before);
    EXPECT_FALSE(profile.WriteString(c.section, c.key, c.value).ok()) << c.section << "/" << c.key;
    EXPECT_EQ(profile.ToText(), before);
  }
}

TEST(ProfileFile, SaveAndLoadThroughTheDiskAndLoadOfAFolderFails) {
  testing::TempDir dir;
  ProfileFile profile;
  ASSERT_TRUE(profile.WriteInteger("S", "k", 33023).ok());
  ASSERT_TRUE(profile.Save(dir / "a.ini").ok());
  ProfileFile loaded;
  ASSERT_TRUE(ProfileFile::Load(dir / "a.ini", loaded).ok());
  EXPECT_EQ(loaded.ReadInteger("s", "K", 0), 33023);

  ProfileFile missing = ProfileFile::Parse("[S]\nk=1\n");
  ASSERT_TRUE(ProfileFile::Load(dir / "none.ini", missing).ok());
  EXPECT_EQ(missing.ToText(), "");
  // Loading a folder fails and keeps the profile.
  missing = ProfileFile::Parse("[S]\nk=1\n");
  const Status status = ProfileFile::Load(dir.path(), missing);
  EXPECT_FALSE(status.ok());
  EXPECT_NE(status.message().find(dir.path().string()), std::string::npos) << status.message();
  EXPECT_EQ(missing.ReadInteger("S", "k", 0), 1);
}

}  // namespace
}  // namespace quillstone
