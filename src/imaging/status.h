#pragma once

#include <string>
#include <utility>

namespace quillstone {

// The outcome of an operation that can fail for a reason the user can act on (a file that
// cannot be read or written, a header that makes no sense). The message is one sentence
// for a status bar or standard error, e.g. "cannot open photo.jpg: No such file or directory".
// A returned Status must be looked at; `(void)` says that a failure is of no consequence.
class [[nodiscard]] Status {
 public:
  Status() = default;  // success
  static Status Ok() { return Status(); }
  static Status Error(std::string message) { return Status(std::move(message)); }

  bool ok() const { return !failed_; }
  explicit operator bool() const { return ok(); }
  const std::string& message() const { return message_; }

 private:
  explicit Status(std::string message) : message_(std::move(message)), failed_(true) {}
  std::string message_;
  bool failed_ = false;
};

}  // namespace quillstone
