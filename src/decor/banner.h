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
// The size fields take at most this many digits.
inline constexpr int kBannerFieldDigits = 4;
// The margin added twice to a size calculated from the text, in pixels.
inline constexpr int kMaxBannerMargin = 45;

// The banner window's values; member defaults are its initial values.
struct BannerSettings {
  int width = 470;  // pixels, 1..2048
  int height = 60;  // pixels, 1..2048
  ColorValue background = MakeColor(255, 255, 198);
  int margin = 0;  // pixels, 0..45, added on both sides
  friend bool operator==(const BannerSettings&, const BannerSettings&) = default;
};

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

// The same from the texts of the two size fields; a field that is not a number is refused
// with a message naming it, a number out of range with kBannerTooLargeMessage.
Status CreateBanner(std::string_view widthText, std::string_view heightText, ColorValue background,
                    RasterImage& banner);

// The label of the margin scroll bar: "Add " + 2 x margin + " pixel to calculated size".
std::string BannerMarginLabel(int margin);

}  // namespace quillstone
