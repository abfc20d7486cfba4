#include "platform/process_priority.h"

#include <sys/resource.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <system_error>

namespace quillstone {

int Niceness(ProcessPriority priority) {
  switch (priority) {
    case ProcessPriority::kIdle:
      return 19;
    case ProcessPriority::kNormal:
      return 0;
    case ProcessPriority::kHigh:
      return -5;
  }
  return 0;
}

Status SystemPriorityControl::Set(ProcessPriority priority) {
  const int niceness = Niceness(priority);
  const auto refused = [] {
    return Status::Error(std::string("the system refused: ") + std::strerror(errno));
  };
  // The calling thread goes first: when the system refuses, nothing has changed.
  if (setpriority(PRIO_PROCESS, 0, niceness) != 0) return refused();
  // Then every other thread (without /proc, only the calling one is reached).
  std::error_code error;
  for (std::filesystem::directory_iterator task("/proc/self/task", error), end; !error && task != end;
       task.increment(error)) {
    const std::string name = task->path().filename().string();
    char* rest = nullptr;
    const long id = std::strtol(name.c_str(), &rest, 10);
    if (rest == name.c_str() || *rest != '\0') continue;
    // A thread that ended meanwhile is of no concern.
    if (setpriority(PRIO_PROCESS, static_cast<id_t>(id), niceness) != 0 && errno != ESRCH) return refused();
  }
  return Status::Ok();
}

}  // namespace quillstone
