#include "imagefiles/batch_save.h"

#include <string>

#include "imagefiles/color_depth.h"
#include "imagefiles/orientation.h"
#include "imagefiles/output_file.h"
#include "imagefiles/sepia.h"

namespace quillstone {

Status SaveBatchItem(RasterImage& marked, RasterImage& scratch, const SaveOptions& options,
                     Orientation turnBack, const std::filesystem::path& destinationDirectory,
                     std::string_view prefix, std::string_view sourceFileName,
                     std::filesystem::path* writtenPath) {
  std::string name;
  if (Status status = OutputFileName(prefix, sourceFileName, options.format, name); !status) return status;
  const std::filesystem::path path = destinationDirectory / name;

  StorageFormat format = ReduceColorDepth(marked, options.colorDepth);
  // Quarter turns move pixels without making new colours, so the reduced image stays
  // within its palette and is written at the chosen depth.
  if (turnBack != Orientation::kUnrotated) RotateBack(marked, turnBack, scratch);
  if (options.sepia) {
    SepiaTone(marked);
    SepiaTone(format.palette);
  }
  if (Status status = WriteOutputFile(marked, format, options, path); !status) return status;
  if (writtenPath != nullptr) *writtenPath = path;
  return Status::Ok();
}

}  // namespace quillstone
