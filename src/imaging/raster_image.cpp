#include "imaging/raster_image.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>
#include <string>

#include "imaging/raster_size.h"

namespace quillstone {

std::string RasterSizeProblem(std::int64_t width, std::int64_t height) {
  if (width > RasterImage::kMaxSide || height > RasterImage::kMaxSide) return "exceeds 65535 pixels per side";
  if (width * height > RasterImage::kMaxPixels) return "exceeds 2^28 pixels";
  return {};
}

void CheckRasterSize(int width, int height) {
  if (width < 0 || height < 0) {
    throw std::length_error("image size " + std::to_string(width) + "x" + std::to_string(height) +
                            " is negative");
  }
  if (const std::string problem = RasterSizeProblem(width, height); !problem.empty()) {
    throw std::length_error("image size " + std::to_string(width) + "x" + std::to_string(height) + " " +
                            problem);
  }
}

RasterImage::RasterImage(int width, int height) : RasterImage(width, height, colors::kBlack) {}

RasterImage::RasterImage(int width, int height, ColorValue fill) {
  Resize(width, height);
  Fill(fill);
}

RasterImage::RasterImage(const RasterImage& other) {
  *this = other;
}

RasterImage::RasterImage(RasterImage&& other) noexcept {
  *this = std::move(other);
}

RasterImage& RasterImage::operator=(const RasterImage& other) {
  if (this == &other) return *this;
  Resize(other.width_, other.height_);
  if (ByteCount() > 0) std::memcpy(data_.get(), other.data_.get(), ByteCount());
  return *this;
}

RasterImage& RasterImage::operator=(RasterImage&& other) noexcept {
  if (this == &other) return *this;
  width_ = other.width_;
  height_ = other.height_;
  stride_ = other.stride_;
  capacity_ = other.capacity_;
  data_ = std::move(other.data_);
  other.width_ = other.height_ = 0;
  other.stride_ = 0;
  other.capacity_ = 0;
  return *this;
}

void RasterImage::Reserve(std::size_t bytes) {
  if (bytes <= capacity_) return;
  data_ = AllocateLargeBuffer(bytes);  // on failure the raster keeps its old buffer
  capacity_ = bytes;
}

void RasterImage::Resize(int width, int height) {
  CheckRasterSize(width, height);
  if (width == 0 || height == 0) {
    width_ = width;
    height_ = height;
    stride_ = StrideFor(width);
    return;
  }
  const std::ptrdiff_t stride = StrideFor(width);
  Reserve(static_cast<std::size_t>(stride) * static_cast<std::size_t>(height));
  width_ = width;
  height_ = height;
  stride_ = stride;
}

void RasterImage::Fill(ColorValue color) {
  if (Empty()) return;
  const Rgb c = SplitColor(color);
  std::uint8_t* first = Row(0);
  for (int x = 0; x < width_; ++x) {
    first[3 * x] = c.b;
    first[3 * x + 1] = c.g;
    first[3 * x + 2] = c.r;
  }
  std::memset(first + 3 * width_, 0, static_cast<std::size_t>(stride_ - 3 * width_));
  for (int y = 1; y < height_; ++y) std::memcpy(Row(y), first, static_cast<std::size_t>(stride_));
}

bool RasterImage::SamePixels(const RasterImage& other) const {
  if (width_ != other.width_ || height_ != other.height_) return false;
  const std::size_t rowBytes = static_cast<std::size_t>(width_) * 3;
  for (int y = 0; y < height_; ++y) {
    if (std::memcmp(Row(y), other.Row(y), rowBytes) != 0) return false;
  }
  return true;
}

void CopyPixelsWithin(const RasterImage& from, RasterImage& to, Rect within) {
  to.Resize(from.Width(), from.Height());
  const int left = std::max(within.left, 0), right = std::min(within.right, from.Width());
  if (left >= right) return;
  for (int y = std::max(within.top, 0); y < std::min(within.bottom, from.Height()); ++y)
    std::memcpy(to.Row(y) + 3 * left, from.Row(y) + 3 * left, 3 * static_cast<std::size_t>(right - left));
}

}  // namespace quillstone
