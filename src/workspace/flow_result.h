#pragma once

#include <string>
#include <utility>

#include "imaging/status.h"

namespace quillstone {

// What a command flow of the workspace came to: done; cancelled (the user cancelled a
// dialog or answered No, or there was nothing to act on); or failed, with the message for
// the user. Whether the flow has shown that message already is said by the flow. As a
// condition it is true only when done. A Status converts into it: ok is done, an error
// fails with its message.
class FlowResult {
 public:
  enum class Outcome { kDone, kCancelled, kFailed };

  // Implicit, so a flow that cannot be cancelled returns its Status as it is.
  FlowResult(const Status& status)
      : outcome_(status ? Outcome::kDone : Outcome::kFailed), message_(status.message()) {}
  static FlowResult Done() { return FlowResult(Outcome::kDone, {}); }
  static FlowResult Cancelled() { return FlowResult(Outcome::kCancelled, {}); }
  static FlowResult Failed(std::string message) { return FlowResult(Outcome::kFailed, std::move(message)); }

  Outcome outcome() const { return outcome_; }
  bool done() const { return outcome_ == Outcome::kDone; }
  bool cancelled() const { return outcome_ == Outcome::kCancelled; }
  bool failed() const { return outcome_ == Outcome::kFailed; }
  explicit operator bool() const { return done(); }
  // Why the flow failed; empty unless it did.
  const std::string& message() const { return message_; }

 private:
  FlowResult(Outcome outcome, std::string message) : outcome_(outcome), message_(std::move(message)) {}
  Outcome outcome_;
  std::string message_;
};

}  // namespace quillstone
