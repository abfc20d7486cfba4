#include "imagefiles/output_name.h"

#include <array>

#include "imaging/ascii_case.h"

namespace quillstone {
namespace {

constexpr std::array<std::string_view, 6> kExtensions = {".bmp", ".jpg", ".tif", ".wmf", ".png", ".webp"};

}  // namespace

std::string_view OutputExtension(OutputFormat format) {
  return kExtensions[static_cast<std::size_t>(format)];
}

std::optional<OutputFormat> FormatFromExtension(std::string_view fileName) {
  const std::size_t dot = fileName.rfind('.');
  if (dot == std::string_view::npos) return std::nullopt;
  const std::string_view extension = fileName.substr(dot);
  for (std::size_t i = 0; i < kExtensions.size(); ++i) {
    if (EqualsIgnoringCase(extension, kExtensions[i])) return static_cast<OutputFormat>(i);
  }
  return std::nullopt;
}

std::string ReplaceExtension(std::string_view name, std::string_view extension) {
  const std::size_t dot = name.rfind('.');
  std::string result(name.substr(0, dot == std::string_view::npos ? name.size() : dot));
  result += extension;
  return result;
}

Status CheckOutputPrefix(std::string_view prefix) {
  if (prefix.find('/') != std::string_view::npos || prefix.find("..") != std::string_view::npos) {
    return Status::Error(
        "the file name prefix \"" + std::string(prefix) +
        "\" must not contain \"/\" or \"..\": it would write outside the destination directory");
  }
  if (prefix.find('\0') != std::string_view::npos) {
    return Status::Error("the file name prefix must not contain a zero character");
  }
  return Status::Ok();
}

Status OutputFileName(std::string_view prefix, std::string_view sourceFileName, OutputFormat format,
                      std::string& outputName) {
  if (Status status = CheckOutputPrefix(prefix); !status) return status;
  const std::size_t slash = sourceFileName.rfind('/');
  const std::string_view name =
      slash == std::string_view::npos ? sourceFileName : sourceFileName.substr(slash + 1);
  if (name.empty()) return Status::Error("no source file name to build the output name from");
  outputName = std::string(prefix) + ReplaceExtension(name, OutputExtension(format));
  return Status::Ok();
}

}  // namespace quillstone
