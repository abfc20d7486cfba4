#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QImage>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imaging/raster_image.h"
#include "support/test_support.h"

// Helpers the writer tests share: running the independent readers, reading files back.
namespace quillstone::testing {

struct ToolRun {
  int exitCode = -1;
  std::string output;  // standard output and standard error together
};

inline std::string ShellQuote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

inline ToolRun RunTool(const std::string& command) {
  ToolRun run;
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  std::size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.output.append(buffer, n);
  const int status = ::pclose(pipe);
  run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

inline bool ToolInstalled(const std::string& name) {
  return RunTool("command -v " + ShellQuote(name)).exitCode == 0;
}

// The readers that check our files are part of the test setup (scripts/install-deps): a
// missing one fails the test instead of skipping it.
#define QUILLSTONE_REQUIRE_TOOL(name)                     \
  ASSERT_TRUE(::quillstone::testing::ToolInstalled(name)) \
      << name << " is not installed; run scripts/install-deps"

inline std::vector<std::uint8_t> ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::uint32_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b.at(at) | std::uint32_t{b.at(at + 1)} << 8;
}
inline std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return Le16(b, at) | Le16(b, at + 2) << 16;
}

// A raster from a picture another library decoded.
inline RasterImage FromQImage(const QImage& decoded) {
  const QImage rgb = decoded.convertToFormat(QImage::Format_RGB32);
  RasterImage image(rgb.width(), rgb.height());
  for (int y = 0; y < rgb.height(); ++y) {
    for (int x = 0; x < rgb.width(); ++x) {
      const QRgb p = rgb.pixel(x, y);
      image.SetPixel(x, y,
                     Rgb{static_cast<std::uint8_t>(qRed(p)), static_cast<std::uint8_t>(qGreen(p)),
                         static_cast<std::uint8_t>(qBlue(p))});
    }
  }
  return image;
}

// The picture in the file as Qt's own reader sees it (of the format given, or any);
// empty, and the test failed, when Qt cannot read it.
inline RasterImage ReadWithQt(const std::filesystem::path& path, const char* format = nullptr) {
  QImage decoded;
  EXPECT_TRUE(decoded.load(QString::fromStdString(path.string()), format)) << path;
  return FromQImage(decoded);
}

// First pixel where two equally sized rasters differ, as text; empty when none does.
inline std::string FirstDifference(const RasterImage& a, const RasterImage& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) {
    return "sizes differ: " + std::to_string(a.Width()) + "x" + std::to_string(a.Height()) + " and " +
           std::to_string(b.Width()) + "x" + std::to_string(b.Height());
  }
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x)
      if (!(a.Pixel(x, y) == b.Pixel(x, y)))
        return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + "): " + Describe(a.Pixel(x, y)) +
               " vs " + Describe(b.Pixel(x, y));
  return {};
}

// Files left in a folder, to see that no temporary file stays behind.
}  // namespace quillstone::testing
