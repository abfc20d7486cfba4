#include "batch/batch_item.h"

#include <unordered_map>

#include "batch/batch_start_check.h"
#include "batch/directory_text.h"
#include "imaging/random_source.h"
#include "platform/atomic_file.h"

namespace quillstone {

namespace {

BatchItemResult Failed(std::string name, std::string message) {
  BatchItemResult result;
  result.name = std::move(name);
  result.outcome = MarkOutcome::kFailed;
  result.message = std::move(message);
  return result;
}

bool Within(const std::filesystem::path& path, const std::filesystem::path& folder) {
  const std::filesystem::path relative = path.lexically_relative(folder);
  return !relative.empty() && *relative.begin() != "..";
}

BatchItemResult Process(const BatchItemContext& context, int index, MarkBuffers& buffers) {
  const BatchJob& job = context.job;
  const std::string& name = job.names[static_cast<std::size_t>(index)];
  if (const int earlier = context.sameOutputAs[static_cast<std::size_t>(index)]; earlier >= 0) {
    const std::string& other = job.names[static_cast<std::size_t>(earlier)];
    return Failed(name, name + " would be written under the same name as " + other +
                            " in this run; it is left out so that the file of " + other + " is kept");
  }
  std::string outputName;
  if (Status status = OutputFileName(context.prefix, name, job.save.format, outputName); !status)
    return Failed(name, status.message());
  const std::filesystem::path output = context.destination / outputName;
  if (Status status = CheckBatchOutput(context, output); !status) return Failed(name, status.message());

  MarkFileRequest request;
  request.source = context.sourceDirectory + name;
  request.output = output;
  request.placeholder = context.placeholder;
  request.save = job.save;
  request.useIndividualText = job.useIndividualText;
  request.now = job.now;
  request.previewWidth = job.previewWidth;
  request.previewHeight = job.previewHeight;
  RandomSource random(BatchItemSeed(context.seed, index));
  MarkResult marked = MarkFile(context.input, request, random, buffers);

  BatchItemResult result;
  result.name = name;
  result.outcome = marked.outcome;
  result.message = std::move(marked.message);
  result.warnings = std::move(marked.warnings);
  result.outputPath = marked.written.string();
  if (marked.outcome != MarkOutcome::kFailed && !buffers.output.preview.Empty())
    result.preview = buffers.output.preview;
  return result;
}

}  // namespace

std::vector<int> FindSameOutputNames(const std::vector<std::string>& names, std::string_view prefix,
                                     OutputFormat format) {
  std::vector<int> sameAs(names.size(), -1);
  std::unordered_map<std::string, int> first;
  std::string output;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (!OutputFileName(prefix, names[i], format, output)) continue;  // the item reports it
    const auto [found, inserted] = first.emplace(output, static_cast<int>(i));
    if (!inserted) sameAs[i] = found->second;
  }
  return sameAs;
}

std::unordered_multimap<std::string, std::string> SourceFoldersByName(const BatchJob& job) {
  std::unordered_multimap<std::string, std::string> folders;
  for (const std::string& name : job.names) {
    folders.emplace(FileNamePart(name), SourceFolderOf(job.sourceDirectory, name));
  }
  return folders;
}

std::uint64_t BatchItemSeed(std::uint64_t runSeed, int index) {
  return runSeed + 0x9E3779B97F4A7C15ull * (static_cast<std::uint64_t>(index) + 1);
}

Status CheckBatchOutput(const BatchItemContext& context, const std::filesystem::path& output) {
  std::error_code error;
  if (!std::filesystem::is_symlink(output, error)) return Status::Ok();
  std::filesystem::path target;
  if (Status status = ResolveWriteTarget(output, target); !status) return status;
  const std::filesystem::path resolved = std::filesystem::weakly_canonical(target, error);
  if (error) return Status::Error("cannot write " + output.string() + ": " + error.message());
  const std::string refused = "cannot write " + output.string() + ": it is a link to " + resolved.string();
  const auto [first, last] = context.sourceFolders.equal_range(resolved.filename().string());
  for (auto source = first; source != last; ++source) {
    if (std::filesystem::equivalent(resolved.parent_path(), source->second, error))
      return Status::Error(refused + ", a source picture of this run");
  }
  if (!Within(resolved, context.canonicalDestination))
    return Status::Error(refused + ", outside the destination folder");
  return Status::Ok();
}

BatchItemResult ProcessBatchItem(const BatchItemContext& context, int index, MarkBuffers& buffers) {
  const std::string& name = context.job.names[static_cast<std::size_t>(index)];
  try {
    return Process(context, index, buffers);
  } catch (const std::exception& error) {
    return Failed(name, name + ": " + error.what());
  } catch (...) {
    return Failed(name, name + ": unexpected error");
  }
}

}  // namespace quillstone
