#pragma once

#include <QTimer>
#include <functional>

namespace quillstone {

// The one-shot render timer of sliders and typing: the first request starts it, and when
// it fires it renders once. A request while it runs neither restarts nor extends it, so
// a burst of changes ends in one render 500 ms after the first change, which reads the
// settings as they are by then.
class RenderDebounce {
 public:
  static constexpr int kDelayMilliseconds = 500;

  explicit RenderDebounce(std::function<void()> render);
  RenderDebounce(const RenderDebounce&) = delete;
  RenderDebounce& operator=(const RenderDebounce&) = delete;

  void Request();
  bool Pending() const { return timer_.isActive(); }
  // Renders at once when a render is pending (nothing otherwise).
  void Flush();
  // Drops a pending render: one that happened meanwhile already read the settings.
  void Cancel() { timer_.stop(); }

 private:
  QTimer timer_;
  std::function<void()> render_;
};

}  // namespace quillstone
