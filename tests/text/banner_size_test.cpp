#include "text/banner_size.h"

#include <gtest/gtest.h>

#include "platform/font.h"

namespace quillstone {
namespace {

TextSettings DejaVu(int points) {
  TextSettings s;
  s.font.face = "DejaVu Sans";
  s.font.points = points;
  return s;
}

TEST(CalculateBannerSize, WidestLineAndSummedHeightsPlusTwiceTheMargin) {
  const TextSettings s = DejaVu(12);
  const Font font(FontDescription{"DejaVu Sans", 12});
  const auto size = CalculateBannerSize({"Hello", "Hi"}, s, 5);
  ASSERT_TRUE(size.has_value());
  EXPECT_EQ(size->width, font.Width("Hello") + 10);
  EXPECT_EQ(size->height, 2 * font.Height() + 10);
  EXPECT_FALSE(CalculateBannerSize({}, s, 5).has_value()) << "no lines: nothing changes";
}

TEST(CalculateBannerSize, TagsCountCommandsDoNot) {
  const TextSettings s = DejaVu(70);
  const Font big(FontDescription{"DejaVu Sans", 76, true});
  const Font plain(FontDescription{"DejaVu Sans", 70});
  // Three "$inc$" from 70 pt give 76 pt here, past the limit the text stage keeps.
  const auto tagged = CalculateBannerSize({"$inc$$inc$$bold$$inc$$fcn00ff00$Wide"}, s, 0);
  ASSERT_TRUE(tagged.has_value());
  EXPECT_EQ(tagged->width, big.Width("Wide"));
  EXPECT_EQ(tagged->height, big.Height());
  const auto command = CalculateBannerSize({"$date$", ""}, s, 0);
  ASSERT_TRUE(command.has_value());
  EXPECT_EQ(command->width, plain.Width("$date$"));
  EXPECT_EQ(command->height, 2 * plain.Height()) << "an empty line still takes its height";
}

}  // namespace
}  // namespace quillstone
