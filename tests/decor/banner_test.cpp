#include "decor/banner.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace quillstone {
namespace {

struct BannerCase {
  const char* width;
  const char* height;
  const char* message;  // the refusal; empty when the banner is made
};

TEST(CreateBanner, AcceptsSidesFrom1To2048) {
  const BannerCase cases[] = {
      {"2048", "2048", ""},
      {"1", "1", ""},
      {"0470", "60", ""},
      {"2049", "60", kBannerTooLargeMessage},
      {"470", "2049", kBannerTooLargeMessage},
      {"0", "60", kBannerTooLargeMessage},
      {"99999999", "60", kBannerTooLargeMessage},
      {"", "60", "The banner width \"\" is not a number."},
      {"470", "6x", "The banner height \"6x\" is not a number."},
      {"-5", "60", "The banner width \"-5\" is not a number."},
  };
  for (const BannerCase& c : cases) {
    SCOPED_TRACE(std::string(c.width) + " x " + c.height);
    RasterImage banner(3, 3, colors::kBlue);
    const Status status = CreateBanner(c.width, c.height, MakeColor(255, 255, 198), banner);
    EXPECT_EQ(status.message(), c.message);
    // A refused banner changes nothing; a made one is filled with the background colour.
    const bool made = *c.message == '\0';
    EXPECT_EQ(banner, made ? RasterImage(*ParseBannerSide(c.width), *ParseBannerSide(c.height),
                                         MakeColor(255, 255, 198))
                           : RasterImage(3, 3, colors::kBlue));
  }
}

TEST(CreateBanner, SizeFieldsTakeDigitsAndBackspaceOnlyAndTheMarginCountsTwice) {
  for (const char key : std::string("09\b")) EXPECT_TRUE(BannerFieldAcceptsKey(key)) << int{key};
  for (const char key : std::string("- a/:")) EXPECT_FALSE(BannerFieldAcceptsKey(key)) << key;
  EXPECT_EQ(BannerMarginLabel(45), "Add 90 pixel to calculated size");
}

}  // namespace
}  // namespace quillstone
