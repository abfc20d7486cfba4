#pragma once

#include "imaging/status.h"

namespace quillstone {

// How much of the processor the program claims while it marks pictures.
enum class ProcessPriority { kIdle, kNormal, kHigh };

// The niceness of a priority: 19, 0 and -5.
int Niceness(ProcessPriority priority);

// Sets the priority of the program's process. Behind an interface so that tests see what
// would be set without changing their own priority.
class PriorityControl {
 public:
  virtual ~PriorityControl() = default;
  // An error with the system's reason when the priority cannot be set (raising it, which
  // going back from idle is too, needs a privilege most users lack).
  virtual Status Set(ProcessPriority priority) = 0;
};

// setpriority on every thread of the process, since on Linux a thread's niceness is its
// own; threads started later take the niceness of the thread that starts them.
class SystemPriorityControl final : public PriorityControl {
 public:
  Status Set(ProcessPriority priority) override;
};

}  // namespace quillstone
