#include "logo/logo_crop.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace quillstone {

bool CopyLogoRect(const RasterImage& source, const LogoRect& rect, RasterImage& destination) {
  const LogoRect r{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, source.Width()),
                   std::min(rect.bottom, source.Height())};
  if (r.Width() <= 0 || r.Height() <= 0) return false;
  if (&source == &destination) {
    RasterImage cropped;
    CopyLogoRect(source, r, cropped);
    destination = std::move(cropped);
    return true;
  }
  destination.Resize(r.Width(), r.Height());
  const std::size_t bytes = static_cast<std::size_t>(r.Width()) * 3;
  for (int y = 0; y < r.Height(); ++y) {
    std::memcpy(destination.Row(y), source.Row(r.top + y) + 3 * r.left, bytes);
  }
  return true;
}

LogoRect CropSelectionRect(int x1, int y1, int x2, int y2, int W, int H) {
  LogoRect r{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2), std::max(y1, y2)};
  r.left = std::clamp(r.left, 0, W);
  r.top = std::clamp(r.top, 0, H);
  r.right = std::clamp(r.right, 0, W);
  r.bottom = std::clamp(r.bottom, 0, H);
  return r;
}

bool CropLogoToSelection(RasterImage& logo, int x1, int y1, int x2, int y2) {
  return CopyLogoRect(logo, CropSelectionRect(x1, y1, x2, y2, logo.Width(), logo.Height()), logo);
}

std::string CropQuestion(int width, int height) {
  return "Do you like to crop the selected area ?\nNew size: width=" + std::to_string(width) +
         " height=" + std::to_string(height);
}

namespace {

void InvertPixel(RasterImage& image, int x, int y) {
  std::uint8_t* p = image.Row(y) + 3 * x;
  p[0] = static_cast<std::uint8_t>(255 - p[0]);
  p[1] = static_cast<std::uint8_t>(255 - p[1]);
  p[2] = static_cast<std::uint8_t>(255 - p[2]);
}

}  // namespace

void InvertSelectionOutline(RasterImage& image, int x1, int y1, int x2, int y2) {
  if (x1 <= 0 || y1 <= 0 || x2 <= 0 || y2 <= 0) return;
  const int left = std::min(x1, x2);
  const int top = std::min(y1, y2);
  const int right = std::min(std::max(x1, x2), image.Width()) - 1;    // last column
  const int bottom = std::min(std::max(y1, y2), image.Height()) - 1;  // last row
  if (right < left || bottom < top) return;
  // Every pixel of the outline exactly once, so that a second drawing undoes the first.
  for (int x = left; x <= right; ++x) {
    InvertPixel(image, x, top);
    if (bottom != top) InvertPixel(image, x, bottom);
  }
  for (int y = top + 1; y < bottom; ++y) {
    InvertPixel(image, left, y);
    if (right != left) InvertPixel(image, right, y);
  }
}

}  // namespace quillstone
