#include "ui/render_debounce.h"

#include <utility>

namespace quillstone {

RenderDebounce::RenderDebounce(std::function<void()> render) : render_(std::move(render)) {
  timer_.setSingleShot(true);
  timer_.setInterval(kDelayMilliseconds);
  // A coarse timer may fire up to 5 % late; the delay is part of how the window behaves.
  timer_.setTimerType(Qt::PreciseTimer);
  QObject::connect(&timer_, &QTimer::timeout, [this] { render_(); });
}

void RenderDebounce::Request() {
  if (!timer_.isActive()) timer_.start();
}

void RenderDebounce::Flush() {
  if (!timer_.isActive()) return;
  timer_.stop();
  render_();
}

}  // namespace quillstone
