#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "imaging/status.h"
#include "platform/byte_sink.h"

namespace quillstone {

// The file a write to `path` replaces: the path itself, or, when it is a symbolic link, the
// file the link leads to (through further links; the file need not exist). A link that
// cannot be followed (a loop, a chain too long) is an error naming the path and the reason
// ("a link loop"), so that nothing is written for it.
Status ResolveWriteTarget(const std::filesystem::path& path, std::filesystem::path& target);

// Writes a file through a temporary file in the same directory that is renamed over the
// target only when everything was written, so a failure (missing or read-only directory,
// disk full, an encoder error) leaves no half-written file and an existing file whole.
// The temporary file has a short name of its own (".qs" + 8 letters + ".tmp"), so any name
// the file system accepts can be written, and is removed when the object goes without a
// successful Commit(). A replaced file keeps its permission bits and its new content is
// on the disk before the rename; a new file gets 0666 less the umask. A write-protected
// file is not replaced, and a symbolic link is written through to its target
// (ResolveWriteTarget).
class AtomicFile final : public ByteSink {
 public:
  AtomicFile() = default;
  ~AtomicFile() override { Discard(); }
  AtomicFile(const AtomicFile&) = delete;
  AtomicFile& operator=(const AtomicFile&) = delete;

  // Creates the temporary file beside `path`.
  Status Open(const std::filesystem::path& path);

  const std::filesystem::path& Path() const { return path_; }

  // Appends bytes. A failure is remembered and reported by Commit(); later writes do nothing.
  void Write(const void* data, std::size_t size) override;
  void WriteZeros(std::size_t size);
  // Whether a write has failed; Commit() then reports why.
  bool Failed() const override { return writeError_ != 0; }

  // Flushes and closes the temporary file and renames it to the target path.
  Status Commit();

  // Closes and removes the temporary file, if any; the target is left as it was.
  void Discard();

  // "cannot <action> <path>: <reason of errno>"
  static Status ErrorFor(std::string_view action, const std::filesystem::path& path, int errorNumber);

 private:
  std::filesystem::path path_;    // as the caller named it, for messages
  std::filesystem::path target_;  // the file replaced: path_, or the target of a link there
  std::filesystem::path tempPath_;
  std::FILE* stream_ = nullptr;
  int writeError_ = 0;      // errno of the first failed write, 0 while all went well
  bool replacing_ = false;  // an existing file is replaced: its new content is synced first
};

// Writes a file through an AtomicFile: `encode` writes the bytes into the sink and returns
// whether it succeeded. A failed write reports its own reason (disk full, ...); an encoder
// failure leaves the target as it was and returns the encoder's status.
template <typename Encode>
Status WriteAtomically(const std::filesystem::path& path, Encode&& encode) {
  AtomicFile file;
  if (Status status = file.Open(path); !status) return status;
  Status encoded = encode(static_cast<ByteSink&>(file));
  if (!encoded) {
    if (file.Failed()) return file.Commit();
    file.Discard();
    return encoded;
  }
  return file.Commit();
}

// Writes bytes to a file whole through an AtomicFile.
Status WriteFileReplacing(const std::filesystem::path& path, std::string_view bytes);

}  // namespace quillstone
