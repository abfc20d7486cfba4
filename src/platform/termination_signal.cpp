#include "platform/termination_signal.h"

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <string>

namespace quillstone {
namespace {

// The pipe of the watcher installed; -1 when there is none. Written by the handler only.
std::atomic<int> writeEnd{-1};
int readEnd = -1;

extern "C" void OnTerminationSignal(int) {
  const int saved = errno;
  const int fd = writeEnd.load();
  const char byte = 1;
  if (fd >= 0) (void)!write(fd, &byte, 1);  // a full pipe already holds a pending wake-up
  errno = saved;
}

}  // namespace

TerminationSignal::TerminationSignal(std::function<void()> onSignal) : onSignal_(std::move(onSignal)) {
  if (writeEnd.load() >= 0) {
    status_ = Status::Error("a termination signal watcher is installed already");
    return;
  }
  int ends[2];
  if (pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
    status_ = Status::Error(std::string("cannot watch SIGTERM: ") + std::strerror(errno));
    return;
  }
  readEnd = ends[0];
  writeEnd.store(ends[1]);
  notifier_ = std::make_unique<QSocketNotifier>(readEnd, QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] {
    char bytes[16];
    while (read(readEnd, bytes, sizeof bytes) > 0) {
    }
    if (onSignal_) onSignal_();
  });
  struct sigaction action {};
  action.sa_handler = OnTerminationSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART | SA_RESETHAND;  // a second SIGTERM ends the program at once
  if (sigaction(SIGTERM, &action, nullptr) != 0)
    status_ = Status::Error(std::string("cannot watch SIGTERM: ") + std::strerror(errno));
}

TerminationSignal::~TerminationSignal() {
  if (!notifier_) return;
  std::signal(SIGTERM, SIG_DFL);
  notifier_.reset();
  close(writeEnd.exchange(-1));
  close(readEnd);
  readEnd = -1;
}

}  // namespace quillstone
