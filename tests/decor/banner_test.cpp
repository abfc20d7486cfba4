#include "decor/banner.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace quillstone {
namespace {

struct BannerCase {
  const char* width;
  const char* height;
  bool accepted;
  const char* message;  // expected refusal, when not accepted
};

TEST(CreateBanner, AcceptsSidesFrom1To2048) {
  const BannerCase cases[] = {
      {"2048", "2048", true, ""},
      {"1", "1", true, ""},
      {"0470", "60", true, ""},
      {"2049", "60", false, kBannerTooLargeMessage},
      {"470", "2049", false, kBannerTooLargeMessage},
      {"0", "60", false, kBannerTooLargeMessage},
      {"99999999", "60", false, kBannerTooLargeMessage},
      {"", "60", false, "The banner width \"\" is not a number."},
      {"470", "6x", false, "The banner height \"6x\" is not a number."},
      {"-5", "60", false, "The banner width \"-5\" is not a number."},
  };
  for (const BannerCase& c : cases) {
    SCOPED_TRACE(std::string(c.width) + " x " + c.height);
    RasterImage banner(3, 3, colors::kBlue);
    const Status status = CreateBanner(c.width, c.height, MakeColor(255, 255, 198), banner);
    EXPECT_EQ(status.ok(), c.accepted);
    if (!c.accepted) {
      EXPECT_EQ(status.message(), c.message);
      EXPECT_EQ(banner, RasterImage(3, 3, colors::kBlue)) << "a refused banner changes nothing";
    } else {
      EXPECT_EQ(banner,
                RasterImage(*ParseBannerSide(c.width), *ParseBannerSide(c.height), MakeColor(255, 255, 198)))
          << "filled with the background colour";
    }
  }
}

TEST(CreateBanner, SizeFieldsTakeDigitsAndBackspaceOnlyAndTheMarginCountsTwice) {
  for (const char key : std::string("09\b")) EXPECT_TRUE(BannerFieldAcceptsKey(key)) << int{key};
  for (const char key : std::string("- a/:")) EXPECT_FALSE(BannerFieldAcceptsKey(key)) << key;
  EXPECT_EQ(BannerMarginLabel(45), "Add 90 pixel to calculated size");
}

}  // namespace
}  // namespace quillstone
