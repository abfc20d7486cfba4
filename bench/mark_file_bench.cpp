#include <benchmark/benchmark.h>

#include <exiv2/exiv2.hpp>
#include <filesystem>
#include <string>
#include <vector>

#include "batch/mark_file.h"
#include "bench_images.h"
#include "imagefiles/jpeg_writer.h"

namespace quillstone {
namespace {

// A 12-megapixel photo as a camera leaves it: quality 90, and with `metadata` the tags a
// photographer sets and a 3 KB colour profile.
std::filesystem::path CameraJpeg(bool metadata) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "quillstone-bench";
  std::filesystem::create_directories(folder);
  const std::filesystem::path path = folder / (metadata ? "tagged.jpg" : "plain.jpg");
  if (!WriteJpeg(bench::PhotoLikeImage(), path, {90, false, false})) return {};
  if (metadata) {
    auto image = Exiv2::ImageFactory::open(path.string());
    image->readMetadata();
    Exiv2::ExifData& exif = image->exifData();
    exif["Exif.Image.Artist"] = "Ada Photographer";
    exif["Exif.Image.Copyright"] = "(c) 2026 Ada Photographer";
    exif["Exif.Image.Make"] = "Camera";
    exif["Exif.Photo.DateTimeOriginal"] = "2026:05:04 10:11:12";
    exif["Exif.Photo.FNumber"] = Exiv2::URational(56, 10);
    image->xmpData()["Xmp.dc.rights"] = "All rights reserved";
    std::string profile(3144, 'p');
    Exiv2::DataBuf icc(reinterpret_cast<const Exiv2::byte*>(profile.data()),
                       static_cast<long>(profile.size()));
    image->setIccProfile(icc, false);
    image->writeMetadata();
  }
  return path;
}

// One logo-marked batch item, decode to encode, with the source's metadata kept (1) or
// with a source that has none (0); written the ordinary way (keep 0) or on the source's
// JPEG blocks (keep 1, without frames, which would change the picture's size).
void BM_MarkFile(benchmark::State& state) {
  const bool metadata = state.range(0) != 0;
  const std::filesystem::path source = CameraJpeg(metadata);
  ProgramSettings settings;
  const bool keep = state.range(1) != 0;
  settings.watermark.frame.outerOn = settings.watermark.frame.innerOn = !keep;
  const RasterImage logo = bench::BenchLogo();
  const RasterImage texture;
  const std::vector<std::string> text;
  const LocaleInfo locale;
  const MarkInput input{settings, logo, texture, text, locale};
  MarkFileRequest request;
  request.source = source;
  request.output = source.parent_path() / "marked.jpg";
  request.save.jpeg.keepUntouchedBlocks = keep;
  MarkBuffers buffers;
  RandomSource random(1);
  for (auto _ : state) {
    const MarkResult result = MarkFile(input, request, random, buffers);
    if (result.outcome != MarkOutcome::kWritten) state.SkipWithError(result.message.c_str());
  }
}
BENCHMARK(BM_MarkFile)
    ->ArgNames({"metadata", "keep"})
    ->Args({0, 0})
    ->Args({1, 0})
    ->Args({0, 1})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace quillstone
