#include "decor/banner.h"

#include <algorithm>

namespace quillstone {

bool BannerFieldAcceptsKey(char key) {
  return (key >= '0' && key <= '9') || key == '\b';
}

std::optional<int> ParseBannerSide(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    // Saturates well above the largest side, so long inputs are refused as too large.
    value = std::min(value * 10 + (c - '0'), 99999);
  }
  return value;
}

namespace {

bool SideAccepted(int side) {
  return side >= kMinBannerSide && side <= kMaxBannerSide;
}

}  // namespace

Status ParseBannerSize(std::string_view widthText, std::string_view heightText, BannerSize& size) {
  const std::optional<int> width = ParseBannerSide(widthText);
  if (!width) return Status::Error("The banner width \"" + std::string(widthText) + "\" is not a number.");
  const std::optional<int> height = ParseBannerSide(heightText);
  if (!height) return Status::Error("The banner height \"" + std::string(heightText) + "\" is not a number.");
  if (!SideAccepted(*width) || !SideAccepted(*height)) return Status::Error(kBannerTooLargeMessage);
  size = {*width, *height};
  return Status::Ok();
}

Status CreateBanner(int width, int height, ColorValue background, RasterImage& banner) {
  if (!SideAccepted(width) || !SideAccepted(height)) return Status::Error(kBannerTooLargeMessage);
  banner.Resize(width, height);
  banner.Fill(background);
  return Status::Ok();
}

Status CreateBanner(std::string_view widthText, std::string_view heightText, ColorValue background,
                    RasterImage& banner) {
  BannerSize size;
  if (Status status = ParseBannerSize(widthText, heightText, size); !status) return status;
  return CreateBanner(size.width, size.height, background, banner);
}

std::string BannerMarginLabel(int margin) {
  return "Add " + std::to_string(2 * margin) + " pixel to calculated size";
}

}  // namespace quillstone
