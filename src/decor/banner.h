#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "imaging/color_value.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"

namespace quillstone {

// Sides of a banner, in pixels.
inline constexpr int kMinBannerSide = 1;
inline constexpr int kMaxBannerSide = 2048;
// The file name of a new banner: the file the window writes it to and opens it from, and
// the name the text commands show.
inline constexpr std::string_view kBannerFileName = "bannertemp.bmp";
// The size fields take at most this many digits.
inline constexpr int kBannerFieldDigits = 4;
// The margin added twice to a size calculated from the text, in pixels.
inline constexpr int kMaxBannerMargin = 45;

struct BannerSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const BannerSize&, const BannerSize&) = default;
};

// The "Example sizes" offered in the banner window, in their order.
// clang-format off
inline constexpr std::array<BannerSize, 14> kBannerPresets{{
    {90, 30}, {100, 100}, {100, 275}, {155, 470}, {194, 155}, {320, 60}, {430, 255},
    {470, 60}, {640, 480}, {800, 600}, {1024, 768}, {1024, 20}, {1024, 40}, {1024, 60},
}};
// clang-format on

// The refusal of a side outside 1..2048 (shown in a box titled "Stop").
inline constexpr const char* kBannerTooLargeMessage =
    "The maximum for the creation of a banner is:\nHeight = 2048 pixel and Width = 2048 pixel";

// Whether a key typed into a size field is kept: the digits and backspace only.
bool BannerFieldAcceptsKey(char key);

// The number in a size field: digits only, at least one (the field itself takes at most
// four). Empty for anything else. Values above 99999 read as 99999.
std::optional<int> ParseBannerSide(std::string_view text);

// Makes banner a raster of width x height pixels filled with the background colour. A side
// outside 1..2048 is refused with kBannerTooLargeMessage and banner is left untouched.
Status CreateBanner(int width, int height, ColorValue background, RasterImage& banner);

// The size in the texts of the two size fields: a field that is not a number is refused
// with a message naming it, a side outside 1..2048 with kBannerTooLargeMessage; size is
// set only when both are accepted.
Status ParseBannerSize(std::string_view widthText, std::string_view heightText, BannerSize& size);

// CreateBanner from the texts of the two size fields, refused as ParseBannerSize says.
Status CreateBanner(std::string_view widthText, std::string_view heightText, ColorValue background,
                    RasterImage& banner);

// The label of the margin scroll bar: "Add " + 2 x margin + " pixel to calculated size".
std::string BannerMarginLabel(int margin);

}  // namespace quillstone
