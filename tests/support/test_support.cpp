#include "support/test_support.h"

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string_view>

namespace quillstone::testing {

std::filesystem::path SourceDir() {
  if (const char* env = std::getenv("QUILLSTONE_SOURCE_DIR"); env && *env) return env;
  return QUILLSTONE_SOURCE_DIR;
}

std::optional<std::filesystem::path> TestDataDir() {
  const char* env = std::getenv("QUILLSTONE_TESTDATA");
  const std::filesystem::path dir = env && *env ? env : SourceDir() / ".." / "shared" / "testdata";
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) return std::nullopt;
  return std::filesystem::canonical(dir, ec);
}

bool UnderContinuousIntegration() {
  const char* ci = std::getenv("CI");
  return ci && *ci && std::string_view(ci) != "0";
}

TempDir::TempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quillstone-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a temporary folder");
  path_ = pattern;
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void ScopedEnvironment::Set(const char* name, const char* value) {
  const char* old = std::getenv(name);
  saved_.push_back({name, old ? std::optional<std::string>(old) : std::nullopt});
  value ? ::setenv(name, value, 1) : ::unsetenv(name);
  ::tzset();
}

ScopedEnvironment::~ScopedEnvironment() {
  for (auto it = saved_.rbegin(); it != saved_.rend(); ++it)
    it->second ? ::setenv(it->first, it->second->c_str(), 1) : ::unsetenv(it->first);
  ::tzset();
}

RasterImage MakeRaster(const std::vector<std::string>& rows,
                       const std::vector<std::pair<char, ColorValue>>& legend) {
  const int height = static_cast<int>(rows.size());
  const int width = height > 0 ? static_cast<int>(rows[0].size()) : 0;
  RasterImage image(width, height);
  for (int y = 0; y < height; ++y) {
    if (static_cast<int>(rows[y].size()) != width) throw std::invalid_argument("ragged raster rows");
    for (int x = 0; x < width; ++x) {
      const auto entry =
          std::find_if(legend.begin(), legend.end(), [&](const auto& e) { return e.first == rows[y][x]; });
      if (entry == legend.end())
        throw std::invalid_argument(std::string("no colour for '") + rows[y][x] + "'");
      image.SetPixel(x, y, entry->second);
    }
  }
  return image;
}

RasterImage MakeGradientRaster(int width, int height) {
  RasterImage image(width, height);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) image.SetPixel(x, y, MakeColor(x, y, x + y));  // each mod 256
  return image;
}

RasterImage Framed(const RasterImage& inner, int left, int top, int right, int bottom,
                   ColorValue background) {
  RasterImage framed(left + inner.Width() + right, top + inner.Height() + bottom, background);
  for (int y = 0; y < inner.Height(); ++y)
    for (int x = 0; x < inner.Width(); ++x) framed.SetPixel(left + x, top + y, inner.Pixel(x, y));
  return framed;
}

std::vector<std::string> FolderEntries(const std::filesystem::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

RasterImage MakeNoiseRaster(int width, int height, std::uint32_t seed) {
  RasterImage image(width, height);
  std::uint32_t state = seed;
  for (int y = 0; y < height; ++y) {
    std::uint8_t* row = image.Row(y);
    for (int i = 0; i < 3 * width; ++i) {
      state = state * 1664525u + 1013904223u;
      row[i] = static_cast<std::uint8_t>(state >> 24);
    }
  }
  return image;
}

RasterImage GreyRaster(const std::vector<std::vector<int>>& rows) {
  const int height = static_cast<int>(rows.size());
  const int width = height > 0 ? static_cast<int>(rows[0].size()) : 0;
  RasterImage image(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      const auto v = static_cast<std::uint8_t>(rows[y][x]);
      image.SetPixel(x, y, Rgb{v, v, v});
    }
  }
  return image;
}

std::vector<std::vector<int>> Greys(const RasterImage& image) {
  std::vector<std::vector<int>> rows;
  for (int y = 0; y < image.Height(); ++y) {
    std::vector<int> row;
    for (int x = 0; x < image.Width(); ++x) {
      const Rgb c = image.Pixel(x, y);
      row.push_back(c.r == c.g && c.g == c.b ? c.r : -1);
    }
    rows.push_back(row);
  }
  return rows;
}

int LargestDifference(const RasterImage& a, const RasterImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return 256;
  int largest = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < 3 * a.Width(); ++x) largest = std::max(largest, std::abs(a.Row(y)[x] - b.Row(y)[x]));
  return largest;
}

int CountPixels(const RasterImage& image, ColorValue color, int y0, int y1) {
  int n = 0;
  for (int y = y0; y < (y1 < 0 ? image.Height() : y1); ++y)
    for (int x = 0; x < image.Width(); ++x) n += image.Pixel(x, y) == SplitColor(color);
  return n;
}

::testing::AssertionResult AllPixels(const RasterImage& image, int x0, int y0, int x1, int y1,
                                     ColorValue color) {
  for (int y = y0; y < y1; ++y)
    for (int x = x0; x < x1; ++x)
      if (image.Pixel(x, y) != SplitColor(color)) {
        return ::testing::AssertionFailure()
               << "pixel (" << x << ", " << y << ") is " << Describe(image.Pixel(x, y));
      }
  return ::testing::AssertionSuccess();
}

std::string Describe(const Rgb& c) {
  return "(" + std::to_string(c.r) + ", " + std::to_string(c.g) + ", " + std::to_string(c.b) + ")";
}

std::string FileContents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

int FirstQuantiser(const std::filesystem::path& path) {
  const std::string jpeg = FileContents(path);
  const std::size_t table = jpeg.find("\xFF\xDB");
  return table == std::string::npos || table + 5 >= jpeg.size() ? -1
                                                                : static_cast<unsigned char>(jpeg[table + 5]);
}

void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace quillstone::testing
