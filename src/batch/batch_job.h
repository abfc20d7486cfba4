#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "imagefiles/save_options.h"
#include "platform/date_time.h"

namespace quillstone {

// The prefix field of the batch page when the program starts.
inline constexpr const char* kDefaultBatchPrefix = "new_";

// What one batch run does: which images, where their results go and how they are written.
// The watermark itself (settings, logo, texture, text) comes with BatchInput.
struct BatchJob {
  std::string sourceDirectory{};  // the folder the names are in
  // The source file list when the run starts. A name may hold a folder part (a list of
  // files from many folders, with an empty sourceDirectory); the output name never does.
  std::vector<std::string> names{};
  std::string destinationDirectory{};        // as picked; must exist and differ from the source
  std::string prefix = kDefaultBatchPrefix;  // as typed; used without surrounding blanks
  SaveOptions save{};                        // output format, depth, sepia, JPEG and PNG choices
  // "Use the individual text": each image gets the text of its side file ("beach.jpg.txt"),
  // and no text at all when it has none.
  bool useIndividualText = false;
  // Images rendered at once, each on its own thread with its own buffers (>= 1; more than
  // there are images is the same as one per image). The files written do not depend on it.
  int jobs = 1;
  // The box of the preview each finished item carries (0 x 0: none).
  int previewWidth = 0;
  int previewHeight = 0;
  // The picture written for a JPEG that cannot be decoded (the program directory's
  // kPlaceholderImageName); empty: such a JPEG fails.
  std::filesystem::path placeholderPath{};
  // The random colour noise of item i comes from a source seeded with this and i, so a run
  // is the same with any number of jobs; none takes a seed from the clock.
  std::optional<std::uint64_t> randomSeed{};
  // The moment the text commands show; none reads the clock when each item renders.
  std::optional<LocalDateTime> now{};
};

}  // namespace quillstone
