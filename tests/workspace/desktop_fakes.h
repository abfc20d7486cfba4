#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/image_clipboard.h"
#include "platform/process_priority.h"
#include "platform/wallpaper.h"

namespace quillstone::testing {

// Holds what is put on it, and answers with it.
class FakeClipboard final : public ImageClipboard {
 public:
  std::optional<RasterImage> held;
  std::optional<RasterImage> Image() override { return held; }
  Status SetImage(const RasterImage& image) override {
    held = image;
    return Status::Ok();
  }
};

// Records the wallpapers set; refuses the ones whose placement is in `refused`.
class FakeWallpaper final : public WallpaperService {
 public:
  std::string unavailable;
  Wallpaper current{"file:///old.png", "file:///old-dark.png", "zoom"};
  std::vector<Wallpaper> applied;
  std::string refused;
  std::string Unavailable() override { return unavailable; }
  std::optional<Wallpaper> Current() override { return current; }
  Status Apply(const Wallpaper& wallpaper) override {
    applied.push_back(wallpaper);
    if (wallpaper.placement == refused) return Status::Error("the desktop said no");
    current = wallpaper;
    return Status::Ok();
  }
};

// Records the priorities set; refuses raising one when asked to.
class FakePriority final : public PriorityControl {
 public:
  std::vector<ProcessPriority> set;
  bool refuseRaising = false;
  Status Set(ProcessPriority priority) override {
    if (refuseRaising && Niceness(priority) < Niceness(now)) return Status::Error("Permission denied");
    set.push_back(priority);
    now = priority;
    return Status::Ok();
  }
  ProcessPriority now = ProcessPriority::kNormal;
};

}  // namespace quillstone::testing
