#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "imaging/color_value.h"
#include "imaging/large_buffer.h"
#include "imaging/rect.h"

namespace quillstone {

// A 24-bit raster: rows top to bottom, pixels left to right, bytes blue, green, red.
// Each row is padded to a multiple of 4 bytes, so a row is also a DIB row and a QImage
// scan line. Copies are deep; assignment reuses the target's memory when it is large
// enough, so buffers kept between renders are not reallocated.
class RasterImage {
 public:
  static constexpr int kMaxSide = 65535;
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

  RasterImage() = default;
  // A black raster of the given size. Throws std::length_error beyond the size limits.
  RasterImage(int width, int height);
  RasterImage(int width, int height, ColorValue fill);
  RasterImage(const RasterImage& other);
  RasterImage(RasterImage&& other) noexcept;
  RasterImage& operator=(const RasterImage& other);
  RasterImage& operator=(RasterImage&& other) noexcept;
  ~RasterImage() = default;

  int Width() const { return width_; }
  int Height() const { return height_; }
  bool Empty() const { return width_ <= 0 || height_ <= 0; }
  // Bytes from one row to the next: 3 * width rounded up to a multiple of 4.
  std::ptrdiff_t Stride() const { return stride_; }
  static std::ptrdiff_t StrideFor(int width) { return (std::ptrdiff_t{width} * 3 + 3) & ~std::ptrdiff_t{3}; }

  std::uint8_t* Row(int y) { return data_.get() + y * stride_; }
  const std::uint8_t* Row(int y) const { return data_.get() + y * stride_; }
  std::uint8_t* Bits() { return data_.get(); }
  const std::uint8_t* Bits() const { return data_.get(); }
  std::size_t ByteCount() const {
    return static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height_);
  }

  // Sets a new size, keeping the 24-bit format. The content is undefined afterwards
  // (memory is reused when large enough). Throws std::length_error beyond the limits.
  void Resize(int width, int height);
  // Empties the raster; its memory is kept for reuse.
  void Clear() {
    width_ = height_ = 0;
    stride_ = 0;
  }
  void Fill(ColorValue color);

  // Single-pixel access for tests and non-hot code; pixel loops use Row().
  Rgb Pixel(int x, int y) const {
    const std::uint8_t* p = Row(y) + 3 * x;
    return {p[2], p[1], p[0]};
  }
  void SetPixel(int x, int y, Rgb c) {
    std::uint8_t* p = Row(y) + 3 * x;
    p[0] = c.b;
    p[1] = c.g;
    p[2] = c.r;
  }
  void SetPixel(int x, int y, ColorValue c) { SetPixel(x, y, SplitColor(c)); }

  // Same size and the same pixels (row padding is ignored).
  bool SamePixels(const RasterImage& other) const;
  friend bool operator==(const RasterImage& a, const RasterImage& b) { return a.SamePixels(b); }

 private:
  void Reserve(std::size_t bytes);

  int width_ = 0;
  int height_ = 0;
  std::ptrdiff_t stride_ = 0;
  std::size_t capacity_ = 0;
  LargeBuffer data_;
};

// Throws std::length_error with a readable reason when a raster of this size is not
// allowed (a side above 65535 pixels, more than 2^28 pixels, or a negative side).
void CheckRasterSize(int width, int height);

// Gives `to` the size of `from` and copies the pixels of `from` inside `within` (clipped to
// the picture); the others are left as the memory held them. Throws as Resize.
void CopyPixelsWithin(const RasterImage& from, RasterImage& to, Rect within);

}  // namespace quillstone
