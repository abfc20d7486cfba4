#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "batch/batch_job.h"
#include "batch/batch_report.h"
#include "batch/batch_runner.h"
#include "imagefiles/orientation_settings.h"
#include "imagefiles/output_name.h"
#include "imaging/raster_image.h"
#include "pipeline/render_watermark.h"

namespace quillstone {

// What every item of a run shares, resolved once before the first item.
struct BatchItemContext {
  const BatchJob& job;
  const BatchInput& input;
  std::string sourceDirectory;                     // ends in '/' (or is empty)
  std::filesystem::path destination;               // the destination directory
  std::string prefix;                              // without surrounding blanks, checked
  std::filesystem::path placeholder;               // the picture of unreadable JPEGs
  std::uint64_t seed = 0;                          // mixed with the item index for its random source
  Orientation turnBack = Orientation::kUnrotated;  // applied before saving read images
  // For each item, the earlier item whose output file has the same name (-1 for none).
  // Such an item is not written: it would replace the earlier one's file.
  std::vector<int> sameOutputAs;
};

// For each name, the first earlier name that gives the same output file name with this
// prefix and format, or -1.
std::vector<int> FindSameOutputNames(const std::vector<std::string>& names, std::string_view prefix,
                                     OutputFormat format);

// The work buffers of one thread of a run, reused from item to item so that a run of
// same-sized images allocates nothing after its first item.
struct BatchItemBuffers {
  RasterImage original;
  RasterImage scratch;
  RenderOutput output;
  std::vector<std::string> text;  // the per-image text
};

// The seed of item index's random source.
std::uint64_t BatchItemSeed(std::uint64_t runSeed, int index);

// Reads, marks and writes item index of the job. Never throws: any failure, including
// running out of memory, becomes the item's kFailed outcome with the reason.
BatchItemResult ProcessBatchItem(const BatchItemContext& context, int index, BatchItemBuffers& buffers);

}  // namespace quillstone
