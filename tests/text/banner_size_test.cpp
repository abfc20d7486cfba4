#include "text/banner_size.h"

#include <gtest/gtest.h>

#include "platform/font.h"

namespace quillstone {
namespace {

TEST(CalculateBannerSize, WidestLineAndSummedHeightsPlusTwiceTheMargin) {
  const TextSettings s{.font = {"DejaVu Sans", 12}};
  const Font font(FontDescription{"DejaVu Sans", 12});
  EXPECT_EQ(CalculateBannerSize({"Hello", "Hi"}, s, 5),
            (CalculatedBannerSize{font.Width("Hello") + 10, 2 * font.Height() + 10}));
  EXPECT_FALSE(CalculateBannerSize({}, s, 5).has_value()) << "no lines: nothing changes";
}

TEST(CalculateBannerSize, TagsCountCommandsDoNot) {
  const TextSettings s{.font = {"DejaVu Sans", 70}};
  const Font big(FontDescription{"DejaVu Sans", 76, true});
  const Font plain(FontDescription{"DejaVu Sans", 70});
  // Three "$inc$" from 70 pt give 76 pt here, past the limit the text stage keeps.
  EXPECT_EQ(CalculateBannerSize({"$inc$$inc$$bold$$inc$$fcn00ff00$Wide"}, s, 0),
            (CalculatedBannerSize{big.Width("Wide"), big.Height()}));
  // The command is measured as written, and an empty line still takes its height.
  EXPECT_EQ(CalculateBannerSize({"$date$", ""}, s, 0),
            (CalculatedBannerSize{plain.Width("$date$"), 2 * plain.Height()}));
}

}  // namespace
}  // namespace quillstone
