#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "batch/batch_job.h"
#include "batch/batch_report.h"
#include "batch/mark_file.h"
#include "imagefiles/output_name.h"

namespace quillstone {

// What every item of a run shares, resolved once before the first item.
struct BatchItemContext {
  const BatchJob& job;
  const MarkInput& input;
  std::string sourceDirectory;        // ends in '/' (or is empty)
  std::filesystem::path destination;  // the destination directory, as given
  std::string prefix;                 // without surrounding blanks, checked
  std::filesystem::path placeholder;  // the picture of unreadable JPEGs
  std::uint64_t seed = 0;             // mixed with the item index for its random source
  // For each item, the earlier item whose output file has the same name (-1 for none).
  // Such an item is not written: it would replace the earlier one's file.
  std::vector<int> sameOutputAs;
  // Where a link in the destination may lead: the destination's canonical path, and the
  // files of the run (their folders by file name), which a link must never lead to.
  std::filesystem::path canonicalDestination;
  std::unordered_multimap<std::string, std::string> sourceFolders;
};

// The run's source files as file name -> folder (SourceFolderOf), for CheckBatchOutput.
std::unordered_multimap<std::string, std::string> SourceFoldersByName(const BatchJob& job);

// For each name, the first earlier name that gives the same output file name with this
// prefix and format, or -1.
std::vector<int> FindSameOutputNames(const std::vector<std::string>& names, std::string_view prefix,
                                     OutputFormat format);

// The seed of item index's random source.
std::uint64_t BatchItemSeed(std::uint64_t runSeed, int index);

// Refuses an output file that is a symbolic link leading to a source file of the run or
// out of the destination folder, or one that cannot be followed (a link loop), so that a
// run writes only inside its destination. Any other output is fine.
Status CheckBatchOutput(const BatchItemContext& context, const std::filesystem::path& output);

// Marks and writes item index of the job through MarkFile, after its output name and
// target are checked. Never throws: any failure becomes the item's kFailed outcome.
BatchItemResult ProcessBatchItem(const BatchItemContext& context, int index, MarkBuffers& buffers);

}  // namespace quillstone
