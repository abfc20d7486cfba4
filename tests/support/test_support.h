#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "imaging/raster_image.h"

namespace quillstone::testing {

// The shared folder of real-world BMP and JPEG files: $QUILLSTONE_TESTDATA, or
// ../shared/testdata beside the project. Empty when it is not there.
std::optional<std::filesystem::path> TestDataDir();

// True when the tests run under continuous integration ($CI set and not "0" or empty),
// where a missing test data folder is a fault rather than a machine without it.
bool UnderContinuousIntegration();

// Skips the current test, with a message saying so, when the test data folder is absent;
// under continuous integration the test fails instead.
#define QUILLSTONE_REQUIRE_TESTDATA(dirVar)                                                 \
  const auto dirVar##Opt = ::quillstone::testing::TestDataDir();                            \
  if (!dirVar##Opt && ::quillstone::testing::UnderContinuousIntegration())                  \
    FAIL() << "test data folder not found (set QUILLSTONE_TESTDATA)";                       \
  if (!dirVar##Opt) GTEST_SKIP() << "test data folder not found (set QUILLSTONE_TESTDATA)"; \
  const std::filesystem::path dirVar = *dirVar##Opt

// The project's source folder (for files shipped in data/).
std::filesystem::path SourceDir();

// The whole file as bytes; empty when it cannot be read.
std::string FileContents(const std::filesystem::path& path);

// The first luminance quantiser of the JPEG file at `path`, which falls as the quality
// rises (80 at quality 10, 23 at 35, 6 at 80); -1 when the file holds no table.
int FirstQuantiser(const std::filesystem::path& path);

// Writes the bytes as the whole file, replacing what was there.
void WriteFile(const std::filesystem::path& path, std::string_view bytes);

// Sets environment variables for one test and puts the old values back afterwards; the
// time zone follows TZ at once.
class ScopedEnvironment {
 public:
  ScopedEnvironment() = default;
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;
  ~ScopedEnvironment();
  void Set(const char* name, const char* value);

 private:
  std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
};

// A fresh, empty temporary folder, removed when the object goes.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

// A raster whose rows are given as text, one character per pixel, with a legend
// mapping characters to colours: MakeRaster({"ab", "ba"}, {{'a', 0xFF}, {'b', 0}}).
RasterImage MakeRaster(const std::vector<std::string>& rows,
                       const std::vector<std::pair<char, ColorValue>>& legend);

// A raster of the given size where every pixel differs: r = x, g = y, b = x + y (mod 256).
RasterImage MakeGradientRaster(int width, int height);

// `inner` inside borders of `background` that are `left`, `top`, `right` and `bottom` pixels wide.
RasterImage Framed(const RasterImage& inner, int left, int top, int right, int bottom, ColorValue background);

// The names in a folder, sorted.
std::vector<std::string> FolderEntries(const std::filesystem::path& folder);

// A raster of reproducible noise: every byte from a small linear congruential generator.
RasterImage MakeNoiseRaster(int width, int height, std::uint32_t seed = 1);

// The largest difference of any channel between two rasters; 256 when their sizes differ.
int LargestDifference(const RasterImage& a, const RasterImage& b);

// The width and height of a raster, to compare in one step.
inline std::pair<int, int> SizeOf(const RasterImage& image) {
  return {image.Width(), image.Height()};
}

// How many pixels, within rows y0 .. y1 - 1 (all when y1 is negative), have exactly the colour.
int CountPixels(const RasterImage& image, ColorValue color, int y0 = 0, int y1 = -1);

// Whether every pixel of x0 <= x < x1, y0 <= y < y1 has the colour; names the first that has not.
::testing::AssertionResult AllPixels(const RasterImage& image, int x0, int y0, int x1, int y1,
                                     ColorValue color);

// A grey raster: each number is one pixel with all three channels at that value.
RasterImage GreyRaster(const std::vector<std::vector<int>>& rows);

// The grey levels of a raster; a pixel whose channels differ reads as -1.
std::vector<std::vector<int>> Greys(const RasterImage& image);

// "(r, g, b)" for failure messages.
std::string Describe(const Rgb& c);

}  // namespace quillstone::testing

namespace quillstone {
inline void PrintTo(const Rgb& c, std::ostream* os) {
  *os << quillstone::testing::Describe(c);
}
}  // namespace quillstone
