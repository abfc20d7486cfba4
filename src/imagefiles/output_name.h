#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "imaging/status.h"

namespace quillstone {

// The output formats, in the order of the "Save watermarked images as" choices.
// New formats join at the end, so that a stored index keeps its meaning.
enum class OutputFormat : std::uint8_t { kBmp, kJpeg, kTiff, kWmf, kPng, kWebp };

// ".bmp", ".jpg", ".tif", ".wmf", ".png" or ".webp".
std::string_view OutputExtension(OutputFormat format);

// The format a typed file name asks for by its extension, compared without regard to case:
// ".bmp", ".jpg", ".tif", ".wmf", ".png", ".webp"; nothing for any other extension (".jpeg", ".tiff").
std::optional<OutputFormat> FormatFromExtension(std::string_view fileName);

// The name with the part from its last dot on replaced by `extension` (which starts with
// its dot), or with `extension` appended when the name has no dot:
// ("holiday.JPEG", ".png") -> "holiday.png", ("scan", ".png") -> "scan.png".
std::string ReplaceExtension(std::string_view name, std::string_view extension);

// Refuses a file-name prefix that could lead outside the destination directory (one
// containing "/" or "..") or that holds a zero character.
Status CheckOutputPrefix(std::string_view prefix);

// The batch output name: prefix followed by the source file's name (any directory part is
// dropped) with its extension replaced by the format's. Only the source name's own dot
// counts, so a prefix such as "v1.0_" keeps the whole name: "v1.0_scan.png".
// ("new_", "holiday.JPEG", kPng) -> "new_holiday.png".
Status OutputFileName(std::string_view prefix, std::string_view sourceFileName, OutputFormat format,
                      std::string& outputName);

}  // namespace quillstone
