#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "imaging/status.h"

namespace quillstone {

// How the picture covers the desktop.
enum class WallpaperStyle { kCentered, kTiled, kStretched };

// The style as GNOME's background settings name it (picture-options): "centered",
// "wallpaper" (tiled) and "stretched".
std::string_view GnomePictureOption(WallpaperStyle style);

// A local file as the file:// URI the desktop takes, its characters escaped.
std::string WallpaperUri(const std::filesystem::path& file);

// The string that gsettings prints as GVariant text: in single quotes, or in double quotes
// when it holds a single quote, with backslash escapes; none for anything else.
std::optional<std::string> ParseGVariantString(std::string_view text);

// A desktop background: the picture as a URI, the picture of the dark style (empty where
// the desktop has none) and its placement in the words of GNOME's settings.
struct Wallpaper {
  std::string pictureUri;
  std::string pictureUriDark;
  std::string placement;
  friend bool operator==(const Wallpaper&, const Wallpaper&) = default;
};

// Sets the desktop's wallpaper. Behind an interface so that tests see what would be set
// without changing the desktop of the machine they run on.
class WallpaperService {
 public:
  virtual ~WallpaperService() = default;
  // Why the wallpaper cannot be set on this desktop; empty when it can.
  virtual std::string Unavailable() = 0;
  // The wallpaper now; none when the desktop does not tell.
  virtual std::optional<Wallpaper> Current() = 0;
  // Makes the wallpaper the desktop's; an error with the reason when the desktop did not
  // take it (then it may have taken part of it).
  virtual Status Apply(const Wallpaper& wallpaper) = 0;
};

// The freedesktop desktop portal's wallpaper call where a portal answers on the session
// bus (the desktop places the picture itself, unless GNOME's settings are there too to
// take the placement), else GNOME's org.gnome.desktop.background settings through
// `gsettings`, each value read back to see that the desktop kept it. Needs a
// QCoreApplication; what is available is found out on first use and kept.
class DesktopWallpaper final : public WallpaperService {
 public:
  std::string Unavailable() override;
  std::optional<Wallpaper> Current() override;
  Status Apply(const Wallpaper& wallpaper) override;

 private:
  void Probe();

  bool probed_ = false;
  bool portal_ = false;
  bool gnome_ = false;
  bool gnomeDark_ = false;  // GNOME keeps a second picture for its dark style
};

}  // namespace quillstone
