#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quillstone {

// The mask of the source file list when the program starts.
inline constexpr const char* kDefaultFileMask = "*.jpg;*.jpe";

// The patterns of the picture kinds read besides JPEG and bitmaps.
inline constexpr const char* kMorePicturesMask = "*.png;*.tif;*.tiff;*.webp";

// The mask presets of the batch page, in list order.
inline constexpr std::array<const char*, 7> kFileMaskPresets = {
    "*.jpg;*.jpe*", "*.bmp", "*.jpg;*.jpe;*.bmp", "*.jpg", "*.jpe", "*.jpeg", kMorePicturesMask};

// The file-type filter of the batch page: caption and the mask it gives the list.
struct FileListFilter {
  const char* caption;
  const char* mask;
};
inline constexpr std::array<FileListFilter, 4> kFileFilters = {
    FileListFilter{"All (*.jpg;*.bmp;*.png;*.tif;*.webp)", "*.jp*;*.bmp;*.png;*.tif;*.tiff;*.webp"},
    FileListFilter{"Jpg files", "*.jp*"}, FileListFilter{"Bmp files", "*.bmp"},
    FileListFilter{"Png, Tiff and WebP files", kMorePicturesMask}};

// Whether a file name matches one wildcard pattern: '*' stands for any run of characters
// (also none), '?' for exactly one character (one UTF-8 sequence), anything else for
// itself without regard to ASCII letter case. The whole name must match: "*.jpg" matches
// "IMG_1.JPG" but not "a.jpg.bak" nor "a.jpeg".
bool MatchesWildcard(std::string_view name, std::string_view pattern);

// Whether a file name matches a mask list: patterns separated by ';', each without the
// whitespace around it; empty patterns are skipped, so a blank list matches nothing.
bool MatchesFileMask(std::string_view name, std::string_view masks);

// The mask typed into the mask field when Enter is pressed: kept (without surrounding
// whitespace) when its extension, the text from the last '.', is one of a picture the
// program reads (ImageFileKindFor: ".jpg", ".bmp", ".png", ".tiff", ".webp", ...) in any
// letter case; otherwise that extension is replaced by ".jpg" (or ".jpg" appended when
// there is no '.'); a blank text gives "*.jpg". So "*.gif" gives "*.jpg" and "*.jpg;*.bmp"
// is kept.
std::string NormalizeMaskEntry(std::string_view text);

}  // namespace quillstone
