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
  using W = WildcardCase;
  for (const W& c :
       {W{"IMG_1.JPG", "*.jpg", true}, W{"img_1.jpg", "*.JPG", true}, W{"a.jpg.bak", "*.jpg", false},
        W{"a.jpeg", "*.jpg", false}, W{"a.jpeg", "*.jpe*", true}, W{"a.jpe", "*.jpe*", true},
        W{".jpg", "*.jpg", true}, W{"jpg", "*.jpg", false}, W{"a.b.c.jpg", "*.*.jpg", true},
        W{"abc", "a?c", true}, W{"ac", "a?c", false},
        W{"a\u00E9c", "a?c", true} /* one character, two bytes */, W{"\xC3\x89t\xC3\xA9.jpg", "*.jpg", true},
        W{"aaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*a*c", false}, W{"anything", "*", true}, W{"", "*", true},
        W{"", "?", false}, W{"photo.jpg", "photo.jpg", true}, W{"photo.jpg", "Photo.JPG", true}}) {
    EXPECT_EQ(MatchesWildcard(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
  }
}

TEST(FileMask, MaskListsSeparatedBySemicolons) {
  using W = WildcardCase;
  const char* all = kFileFilters[0].mask;
  for (const W& c : {W{"IMG_1.JPG", kDefaultFileMask, true}, W{"x.JPE", kDefaultFileMask, true},
                     W{"x.jpeg", kDefaultFileMask, false}, W{"x.bmp", kDefaultFileMask, false},
                     W{"x.bmp", " *.jpg ; *.bmp ", true}, W{"x.jpeg", all, true}, W{"x.TIFF", all, true},
                     W{"x.gif", all, false}, W{"x.jpg", "", false}, W{"x.jpg", " ; ;", false},
                     W{"x.jpg", ";;*.jpg;", true}}) {
    EXPECT_EQ(MatchesFileMask(c.name, c.pattern), c.matches) << c.name << " ~ " << c.pattern;
  }
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
