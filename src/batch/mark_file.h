#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "config/program_settings.h"
#include "effects/effect_sequence.h"
#include "imagefiles/image_decoder.h"
#include "imagefiles/jpeg_block_keeper.h"
#include "imagefiles/save_options.h"
#include "imaging/random_source.h"
#include "imaging/raster_image.h"
#include "pipeline/render_watermark.h"
#include "platform/date_time.h"
#include "platform/locale_info.h"

namespace quillstone {

// The one road from a picture file to its marked file, which the command line's render,
// every image of a batch run and the window's load, render and save take:
//   ReadPictureToMark (decode, orient, resize) -> the effect macro, when one is given ->
//   RenderWatermark -> PrepareForWriting (colour depth, turn back, sepia) -> WriteOutputFile
//   (on the source's JPEG blocks when the save options ask and PlanBlockKeeping allows it).
// MarkFile runs them all for one file and lets no exception out.

// What became of one file marked (one image of a batch run, or the command line's render).
enum class MarkOutcome {
  kNotStarted,   // a run was stopped (or refused) before this image
  kWritten,      // marked and written
  kWarned,       // marked and written, but the render or the per-image text had a problem
  kDamaged,      // a damaged JPEG, decoded as far as it goes, marked and written
  kPlaceholder,  // an unreadable JPEG: the placeholder picture was written under its name
  kFailed,       // nothing written
};

// What every file is marked with. The references must stay valid, and unchanged, while
// files are marked.
struct MarkInput {
  const ProgramSettings& settings;  // watermark, size preset, orientation and turning back
  const RasterImage& logo;
  const RasterImage& texture;            // margin texture; may be empty
  const std::vector<std::string>& text;  // the watermark text (unless individual texts are used)
  const LocaleInfo& locale;              // names and default formats of dates and times
  // The effect calls of a macro (MacroCalls), applied to every picture after it is turned
  // and resized and before it is marked; empty: none.
  std::span<const EffectCall> macro = {};
  // The logo's alpha channel (one byte per logo pixel); empty: none.
  std::span<const std::uint8_t> logoAlpha = {};
};

// One file to mark and where it goes.
struct MarkFileRequest {
  std::filesystem::path source{};
  std::filesystem::path output{};
  // Written unmarked in place of a JPEG that cannot be decoded; empty: such a file fails.
  std::filesystem::path placeholder{};
  SaveOptions save{};  // format, depth, sepia, JPEG and PNG choices
  // Mark with the lines of the source's side file ("beach.jpg.txt") instead of the text;
  // no text when it has none.
  bool useIndividualText = false;
  std::optional<LocalDateTime> now{};  // the moment the text commands show; none reads the clock
  int previewWidth = 0;                // the box of the preview (0 x 0: none)
  int previewHeight = 0;
};

struct MarkResult {
  MarkOutcome outcome = MarkOutcome::kNotStarted;
  // Why nothing was written (kFailed), or why the placeholder stands in (kPlaceholder).
  std::string message;
  // The problems of a file that was written, one sentence each: the damage of the source
  // ("Premature end of JPEG file"), the render's warnings ("Logo is bigger than your
  // image"), a per-image text that could not be read.
  std::vector<std::string> warnings;
  std::filesystem::path written;  // the file written; empty when none
};

// The work buffers of one thread, reused from file to file, so that marking files of one
// size allocates nothing after the first. After MarkFile, output.preview holds the preview
// of what was written (before depth and sepia) when a box was asked for.
struct MarkBuffers {
  RasterImage original;
  RasterImage scratch;
  // With kept JPEG blocks and a macro: the source as decoded, before the macro changes the
  // original. (Without a macro the original itself is the decoded source; with kept blocks
  // and a turn back it is turned back after marking.)
  RasterImage decodedSource;
  KeptBlocksMemory keptBlocks;  // what writing on a source's JPEG blocks works in
  RenderOutput output;
  std::vector<std::string> text;  // the per-image text
};

// What becomes of the placeholder picture standing in for an unreadable JPEG: turned and
// resized like any picture (the window marks it), or left as shipped (a run writes it so).
enum class PlaceholderShape { kLikeAnyPicture, kAsShipped };

// Decodes a picture into `target` (DecodeSourceImage: an unreadable JPEG gives the
// placeholder when one is named) with its metadata and, with `keepFileBytes`, the file's
// bytes, and turns and resizes it as the settings ask. Throws nothing: a picture too large
// to turn or resize leaves the target empty with the reason.
SourceImageRead ReadPictureToMark(const std::filesystem::path& source,
                                  const std::filesystem::path& placeholder, PlaceholderShape shape,
                                  const ProgramSettings& settings, RasterImage& target, RasterImage& scratch,
                                  bool keepFileBytes = false);

// Marks the request's source and writes it: ReadPictureToMark, the macro, the text (the watermark
// text, or the per-image text), RenderWatermark, PrepareForWriting (turning back when the
// settings ask for it) and WriteOutputFile. A placeholder is written unmarked and unturned.
// Nothing is written when any step fails, and no exception leaves: running out of memory
// is a failure with its reason too.
MarkResult MarkFile(const MarkInput& input, const MarkFileRequest& request, RandomSource& random,
                    MarkBuffers& buffers);

// Marks a picture made in memory (a new banner) as MarkFile marks a decoded file: turned and
// resized as the settings ask, rendered, prepared and written. The request's source is not
// read; it is the name the text commands show and failures name. No exception leaves.
MarkResult MarkPicture(const MarkInput& input, RasterImage picture, const MarkFileRequest& request,
                       RandomSource& random, MarkBuffers& buffers);

}  // namespace quillstone
