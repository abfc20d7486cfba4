#pragma once

#include <cstddef>
#include <string>

namespace quillstone {

// Where an encoder puts the bytes of a file: the file itself (AtomicFile) or memory
// (MemorySink), so one encoder serves both.
class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Appends bytes. A failure is remembered; later writes do nothing.
  virtual void Write(const void* data, std::size_t size) = 0;
  // Whether a write has failed.
  virtual bool Failed() const = 0;
};

// Collects the bytes in a string.
class MemorySink final : public ByteSink {
 public:
  void Write(const void* data, std::size_t size) override {
    bytes.append(static_cast<const char*>(data), size);
  }
  bool Failed() const override { return false; }

  std::string bytes;
};

}  // namespace quillstone
