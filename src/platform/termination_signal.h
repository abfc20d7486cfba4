#pragma once

#include <functional>
#include <memory>

#include "imaging/status.h"

class QSocketNotifier;

namespace quillstone {

// Turns SIGTERM into a call on the event loop: the signal handler only writes a byte to a
// pipe, and a notifier on the pipe's other end calls `onSignal` once the loop runs again,
// where the program may write its files and close its windows. One watcher at a time;
// destroying it restores the default handling.
class TerminationSignal {
 public:
  explicit TerminationSignal(std::function<void()> onSignal);
  ~TerminationSignal();
  TerminationSignal(const TerminationSignal&) = delete;
  TerminationSignal& operator=(const TerminationSignal&) = delete;

  // Why the handler could not be installed (no pipe, a second watcher); ok when it was.
  const Status& status() const { return status_; }

 private:
  std::function<void()> onSignal_;
  std::unique_ptr<QSocketNotifier> notifier_;
  Status status_;
};

}  // namespace quillstone
