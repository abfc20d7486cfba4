#include "batch/file_mask.h"

#include <gtest/gtest.h>

namespace quillstone {
namespace {

struct WildcardCase {
  const char* name;
  const char* pattern;
  bool matches;
};

TEST(FileMask, Wildcards) {
  for (const WildcardCase& c : {
           WildcardCase{"IMG_1.JPG", "*.jpg", true},
           WildcardCase{"img_1.jpg", "*.JPG", true},
           WildcardCase{"a.jpg.bak", "*.jpg", false},
           WildcardCase{"a.jpeg", "*.jpg", false},
           WildcardCase{"a.jpeg", "*.jpe*", true},
           WildcardCase{"a.jpe", "*.jpe*", true},
           WildcardCase{".jpg", "*.jpg", true},
           WildcardCase{"jpg", "*.jpg", false},
           WildcardCase{"a.b.c.jpg", "*.*.jpg", true},
           WildcardCase{"abc", "a?c", true},
           WildcardCase{"ac", "a?c", false},
           WildcardCase{"a\xC3\xA9"
                        "c",
                        "a?c", true},  // one character, two bytes
           WildcardCase{"\xC3\x89t\xC3\xA9.jpg", "*.jpg", true},
           WildcardCase{"aaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*c", false},
           WildcardCase{"anything", "*", true},
           WildcardCase{"", "*", true},
           WildcardCase{"", "?", false},
           WildcardCase{"photo.jpg", "photo.jpg", true},
           WildcardCase{"photo.jpg", "Photo.JPG", true},
       }) {
    EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
  }
}

TEST(FileMask, MaskListsSeparatedBySemicolons) {
  EXPECT_TRUE(MatchesFileMask("IMG_1.JPG", kDefaultFileMask));
  EXPECT_TRUE(MatchesFileMask("x.JPE", kDefaultFileMask));
  EXPECT_FALSE(MatchesFileMask("x.jpeg", kDefaultFileMask));
  EXPECT_FALSE(MatchesFileMask("x.bmp", kDefaultFileMask));
  EXPECT_TRUE(MatchesFileMask("x.bmp", " *.jpg ; *.bmp "));
  EXPECT_TRUE(MatchesFileMask("x.jpeg", kFileFilters[0].mask));
  EXPECT_TRUE(MatchesFileMask("x.TIFF", kFileFilters[0].mask));
  EXPECT_FALSE(MatchesFileMask("x.gif", kFileFilters[0].mask));
  EXPECT_FALSE(MatchesFileMask("x.jpg", ""));
  EXPECT_FALSE(MatchesFileMask("x.jpg", " ; ;"));
  EXPECT_TRUE(MatchesFileMask("x.jpg", ";;*.jpg;"));
}

TEST(FileMask, MaskEntryAllowsOnlyImageExtensions) {
  struct Case {
    const char* typed;
    const char* mask;
  };
  for (const Case& c :
       {Case{"*.gif", "*.jpg"}, Case{"", "*.jpg"}, Case{"   ", "*.jpg"}, Case{"*.jpg;*.bmp", "*.jpg;*.bmp"},
        Case{"*.JPEG", "*.JPEG"}, Case{" *.bmp ", "*.bmp"}, Case{"*.jpe", "*.jpe"},
        Case{"photo", "photo.jpg"}, Case{"*.jp*", "*.jpg"}, Case{"*.jpg;*.gif", "*.jpg;*.jpg"},
        Case{"IMG_*.Png", "IMG_*.Png"}, Case{"*.tiff;*.webp", "*.tiff;*.webp"},
        Case{"*.webp;*.gif", "*.webp;*.jpg"}, Case{"*.", "*.jpg"}}) {
    EXPECT_EQ(NormalizeMaskEntry(c.typed), c.mask) << "typed \"" << c.typed << "\"";
  }
}

}  // namespace
}  // namespace quillstone
