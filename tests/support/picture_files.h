#pragma once

#include <gtest/gtest.h>
#include <png.h>
#include <tiffio.h>
#include <webp/encode.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

#include "imaging/raster_image.h"
#include "support/test_support.h"

// Source pictures in PNG, TIFF and WebP made straight with libpng, libtiff and libwebp, so
// that the decoders are checked against files the program did not write. An `alpha` of one
// byte per pixel (rows without padding) adds an alpha channel (not to 16-bit PNGs, whose
// writer takes colours multiplied by their alpha).
namespace quillstone::testing {

enum class PngLayout { kRgb8, kRgb16, kPalette, kGrey };

// Grey pictures store the green channel.
inline void WriteTestPng(const std::filesystem::path& path, const RasterImage& image, PngLayout layout,
                         const std::vector<std::uint8_t>& alpha = {}) {
  png_image png{};
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.Width());
  png.height = static_cast<png_uint_32>(image.Height());
  const bool withAlpha = !alpha.empty();
  std::vector<std::uint8_t> bytes;
  std::vector<std::uint16_t> words;
  std::vector<std::uint8_t> colormap;
  for (int y = 0; y < image.Height(); ++y) {
    for (int x = 0; x < image.Width(); ++x) {
      const Rgb c = image.Pixel(x, y);
      const std::uint8_t a = withAlpha ? alpha[static_cast<std::size_t>(y * image.Width() + x)] : 255;
      if (layout == PngLayout::kRgb16) {
        for (const int v : {int{c.r}, int{c.g}, int{c.b}, int{a}})
          words.push_back(static_cast<std::uint16_t>(v * 257));
        if (!withAlpha) words.pop_back();
      } else if (layout == PngLayout::kPalette) {
        const std::uint8_t entry[4] = {c.r, c.g, c.b, a};
        std::size_t index = 0;
        while (index * 4 < colormap.size() && !std::equal(entry, entry + 4, &colormap[index * 4])) ++index;
        if (index * 4 == colormap.size()) colormap.insert(colormap.end(), entry, entry + 4);
        bytes.push_back(static_cast<std::uint8_t>(index));
      } else if (layout == PngLayout::kGrey) {
        bytes.push_back(c.g);
        if (withAlpha) bytes.push_back(a);
      } else {
        bytes.insert(bytes.end(), {c.r, c.g, c.b});
        if (withAlpha) bytes.push_back(a);
      }
    }
  }
  // In the order of PngLayout; a palette's entries always hold an alpha.
  const png_uint_32 formats[] = {PNG_FORMAT_RGB, PNG_FORMAT_LINEAR_RGB, PNG_FORMAT_RGBA_COLORMAP,
                                 PNG_FORMAT_GRAY};
  png.format = formats[static_cast<int>(layout)] | (withAlpha ? PNG_FORMAT_FLAG_ALPHA : 0);
  if (layout == PngLayout::kPalette) {
    ASSERT_LE(colormap.size(), 256u * 4) << "too many colours for a palette";
    png.colormap_entries = static_cast<png_uint_32>(colormap.size() / 4);
  }
  const void* pixels = layout == PngLayout::kRgb16 ? static_cast<const void*>(words.data()) : bytes.data();
  ASSERT_NE(png_image_write_to_file(&png, path.c_str(), 0, pixels, 0, colormap.data()), 0) << png.message;
}

// 8 or 16 bits per sample, in strips of two rows or in 16 x 16 tiles, with the compression
// given (COMPRESSION_NONE, COMPRESSION_LZW, COMPRESSION_ADOBE_DEFLATE, ...); RGB, or grey
// (the green channel).
inline void WriteTestTiff(const std::filesystem::path& path, const RasterImage& image, int bits, bool tiled,
                          int compression, const std::vector<std::uint8_t>& alpha = {}, bool grey = false) {
  TIFF* tif = TIFFOpen(path.c_str(), "w");
  ASSERT_NE(tif, nullptr);
  const int colours = grey ? 1 : 3;
  const int samples = alpha.empty() ? colours : colours + 1;
  const int width = image.Width();
  const int height = image.Height();
  TIFFSetField(tif, TIFFTAG_IMAGEWIDTH, width);
  TIFFSetField(tif, TIFFTAG_IMAGELENGTH, height);
  TIFFSetField(tif, TIFFTAG_BITSPERSAMPLE, bits);
  TIFFSetField(tif, TIFFTAG_SAMPLESPERPIXEL, samples);
  TIFFSetField(tif, TIFFTAG_PHOTOMETRIC, grey ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
  TIFFSetField(tif, TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
  TIFFSetField(tif, TIFFTAG_COMPRESSION, compression);
  if (!alpha.empty()) {
    const std::uint16_t extra[] = {EXTRASAMPLE_UNASSALPHA};
    TIFFSetField(tif, TIFFTAG_EXTRASAMPLES, 1, extra);
  }
  const int block = 16;
  if (tiled) {
    TIFFSetField(tif, TIFFTAG_TILEWIDTH, block);
    TIFFSetField(tif, TIFFTAG_TILELENGTH, block);
  } else {
    TIFFSetField(tif, TIFFTAG_ROWSPERSTRIP, 2);
  }
  // The samples of the rows from `top` on, `columns` wide from `left`, padded with zeros.
  const auto samplesOf = [&](int left, int top, int columns, int rows) {
    std::vector<std::uint16_t> values;
    for (int y = top; y < top + rows; ++y) {
      for (int x = left; x < left + columns; ++x) {
        const bool inside = x < width && y < height;
        const Rgb c = inside ? image.Pixel(x, y) : Rgb{};
        if (grey) {
          values.push_back(c.g);
        } else {
          values.insert(values.end(), {c.r, c.g, c.b});
        }
        if (samples > colours) values.push_back(inside ? alpha[static_cast<std::size_t>(y * width + x)] : 0);
      }
    }
    // A 16-bit sample is the 8-bit one times 257: both of its bytes are the 8-bit value.
    std::vector<std::uint8_t> bytes;
    for (const std::uint16_t v : values) bytes.insert(bytes.end(), bits / 8, static_cast<std::uint8_t>(v));
    return bytes;
  };
  if (tiled) {
    for (int top = 0; top < height; top += block) {
      for (int left = 0; left < width; left += block) {
        std::vector<std::uint8_t> tile = samplesOf(left, top, block, block);
        ASSERT_GE(TIFFWriteTile(tif, tile.data(), static_cast<std::uint32_t>(left),
                                static_cast<std::uint32_t>(top), 0, 0),
                  0);
      }
    }
  } else {
    for (int y = 0; y < height; ++y) {
      std::vector<std::uint8_t> row = samplesOf(0, y, width, 1);
      ASSERT_EQ(TIFFWriteScanline(tif, row.data(), static_cast<std::uint32_t>(y), 0), 1);
    }
  }
  TIFFClose(tif);
}

inline void WriteTestWebp(const std::filesystem::path& path, const RasterImage& image, bool lossless,
                          const std::vector<std::uint8_t>& alpha = {}) {
  const int width = image.Width();
  const int height = image.Height();
  std::uint8_t* encoded = nullptr;
  std::size_t size = 0;
  if (alpha.empty()) {
    const int stride = static_cast<int>(image.Stride());
    size = lossless ? WebPEncodeLosslessBGR(image.Bits(), width, height, stride, &encoded)
                    : WebPEncodeBGR(image.Bits(), width, height, stride, 100, &encoded);
  } else {
    std::vector<std::uint8_t> bgra;
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        const Rgb c = image.Pixel(x, y);
        bgra.insert(bgra.end(), {c.b, c.g, c.r, alpha[static_cast<std::size_t>(y * width + x)]});
      }
    }
    size = lossless ? WebPEncodeLosslessBGRA(bgra.data(), width, height, width * 4, &encoded)
                    : WebPEncodeBGRA(bgra.data(), width, height, width * 4, 100, &encoded);
  }
  ASSERT_GT(size, 0u);
  WriteFile(path, std::string_view(reinterpret_cast<const char*>(encoded), size));
  WebPFree(encoded);
}

}  // namespace quillstone::testing
