#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>

#include "bench_images.h"
#include "platform/program_directory.h"
#include "ui/main_window.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

// Declines every question and dialog; the benchmark asks none.
class SilentPrompter final : public Prompter {
 public:
  bool AskYesNo(std::string_view, std::string_view) override { return false; }
  void ShowMessage(std::string_view, std::string_view, MessageIcon) override {}
  std::optional<std::filesystem::path> ChooseFileToOpen(const FileDialogRequest&) override { return {}; }
  std::optional<std::filesystem::path> ChooseFileToSave(const FileDialogRequest&) override { return {}; }
  std::optional<ColorValue> ChooseColor(ColorValue) override { return {}; }
  std::optional<FontChoice> ChooseFont(const FontChoice&) override { return {}; }
  std::optional<SaveFileChoice> ChooseFileToSaveWithType(const FileDialogRequest&) override { return {}; }
  std::optional<PngOptions> ChoosePngOptions() override { return {}; }
  std::optional<JpegOptions> ChooseJpegOptions(const JpegPreviewRequest&) override { return {}; }
  std::optional<std::filesystem::path> ChooseDirectory(std::string_view,
                                                       const std::filesystem::path&) override {
    return {};
  }
};

class NoDesktop final : public DesktopFileOpener {
 public:
  bool Open(const std::filesystem::path&) override { return true; }
};

// From a slider change to the preview and the full-size view updated: the window's whole
// reaction to a move of the colour share slider, without the debounce's wait. The picture
// is 4000 x 3000 with the logo, the four-band colour style and two text lines (combination "LTC"); the
// window is 1280 x 800 with the full-size view in front. Compare with BM_Render/style7.
void BM_UiRender_12MP(benchmark::State& state) {
  SilentPrompter prompter;
  NoDesktop desktop;
  // Nothing is read from or written to the user directory: the folder does not exist.
  Workspace workspace(
      prompter, desktop,
      {ProgramDirectory(), std::filesystem::temp_directory_path() / "quillstone-bench-no-home"});
  MainWindow window(workspace, prompter);
  window.resize(1280, 800);
  window.show();
  QApplication::processEvents();  // the first activation

  WatermarkSettings& s = workspace.settings().watermark;
  s = WatermarkSettings{};
  s.combination = CombinationOrder::kLTC;
  s.color.style = ColorStyleIndex(ColorStyle::kAllFourSides);
  s.frame.outerOn = false;
  s.frame.innerOn = false;
  s.text.font.face = "DejaVu Sans";
  s.text.font.points = 24;
  workspace.watermarkText() = {"(c) 2026 Quillstone", "$fn$ $width$ x $height$"};
  workspace.SetSourceImage(bench::PhotoLikeImage(), "photo.jpg", "/photos/");
  workspace.SetLogoImage(bench::BenchLogo());
  window.ShowSettings();
  window.RenderNow();
  QApplication::processEvents();

  if (workspace.watermarkedImage().Width() != 4000) {
    state.SkipWithError("the window did not render the 4000 x 3000 picture");
    return;
  }
  auto* slider = window.findChild<QScrollBar*>("ScrollBar2");
  int value = 40;
  for (auto _ : state) {
    value = value == 40 ? 41 : 40;
    slider->setValue(value);
    window.renderDebounce().Flush();
    QApplication::processEvents();  // the views repaint what they show
  }
}
BENCHMARK(BM_UiRender_12MP)->Name("BM_UiRender/12MP")->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillstone
