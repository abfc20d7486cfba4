#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "batch/mru_files.h"
#include "batch/source_file_list.h"
#include "config/program_settings.h"
#include "effects/effect_macro.h"
#include "imagefiles/image_decoder.h"
#include "imagefiles/save_options.h"
#include "imaging/random_source.h"
#include "imaging/raster_image.h"
#include "imaging/status.h"
#include "pipeline/render_watermark.h"
#include "platform/desktop_file_opener.h"
#include "platform/locale_info.h"
#include "text/individual_text.h"
#include "workspace/flow_result.h"
#include "workspace/prompter.h"

namespace quillstone {

// Files shipped with the program (in the program directory).
inline constexpr const char* kSampleImageName = "sample.jpg";
inline constexpr const char* kSampleLogoName = "samplelogo.bmp";
inline constexpr const char* kChangesFileName = "changes.txt";
inline constexpr const char* kReadmeFileName = "readme.txt";
inline constexpr const char* kQuickHelpFileName = "qstquickhelp.html";
inline constexpr const char* kLicenseFileName = "QST_license.txt";

inline constexpr std::string_view kInfoCaption = "info";
inline constexpr std::string_view kQuitQuestion = "Do you really want to quit Quillstone ?";
inline constexpr std::string_view kClearAllQuestion =
    "Do you really want to clear all activated options ?\n"
    "Logo deactivation, color deactivation, text deactivation\n"
    "and combination of the watermarks deactivation !";
// What the label of the last loaded configuration shows before the first load.
inline constexpr std::string_view kNoConfigurationLoaded = "none";

// A file shipped with the program (the help, the list of changes), as the program's own
// help window shows it.
struct ShippedDocument {
  std::filesystem::path path;
  std::string text;   // UTF-8
  bool html = false;  // an HTML page; otherwise plain text
  std::string error;  // why it cannot be shown, naming the file; empty when it can
};

// What a source file that cannot be decoded as JPEG gives: nothing, so the picture shown
// stays (the open dialog and a file drop), or the placeholder picture shipped with the
// program (the source file list, the batch run and a reload).
enum class UnreadableJpeg { kRefused, kPlaceholder };

// The two folders the program works with.
struct WorkspacePaths {
  std::filesystem::path programDirectory;  // read-only files shipped with the program
  std::filesystem::path userDirectory;     // every file the program writes for itself
};

// What the main window owns: the images, the settings, the watermark text, the names of
// the current files, the directory histories and the per-image text; and the command
// flows that work on them, free of widgets. The window maps its controls onto settings()
// and calls these flows; questions, messages and dialogs go through the Prompter.
//
// Every flow that renders calls the render observer afterwards, so the window shows the
// new marked image whoever started the render.
class Workspace {
 public:
  Workspace(Prompter& prompter, DesktopFileOpener& opener, WorkspacePaths paths);

  const WorkspacePaths& paths() const { return paths_; }
  ProgramSettings& settings() { return settings_; }
  const ProgramSettings& settings() const { return settings_; }
  // The watermark text, one hard line each, as the text page edits it.
  std::vector<std::string>& watermarkText() { return watermarkText_; }
  const std::vector<std::string>& watermarkText() const { return watermarkText_; }

  const RasterImage& originalImage() const { return original_; }
  // The metadata of the file the source picture was read from; empty for a picture that
  // came from elsewhere (the clipboard, a banner) and for the placeholder.
  const ImageMetadata& sourceMetadata() const { return sourceMetadata_; }
  const RasterImage& logoImage() const { return logo_; }
  // The untouched copy of the logo that turns start from: the logo as loaded, or as the
  // logo tools last settled it.
  const RasterImage& logoCopy() const { return logoCopy_; }
  // The alpha channels of the logo and of its untouched copy, one byte per pixel; empty
  // for a logo without transparency, and once the logo tools have changed it otherwise
  // than by turning it.
  const std::vector<std::uint8_t>& logoAlpha() const { return logoAlpha_; }
  const std::vector<std::uint8_t>& logoCopyAlpha() const { return logoCopyAlpha_; }
  const RasterImage& watermarkedImage() const { return output_.marked; }
  const RenderOutput& lastRender() const { return output_; }
  // The margin texture; may be empty.
  const RasterImage& textureImage() const { return texture_; }
  const std::string& currentFileName() const { return currentFileName_; }
  const std::string& sourceDirectory() const { return sourceDirectory_; }  // ends in '/'
  const std::string& lastConfigurationName() const { return lastConfigurationName_; }
  TMRUFiles& sourceHistory() { return sourceHistory_; }
  TMRUFiles& destinationHistory() { return destinationHistory_; }
  bool closing() const { return closing_; }
  Prompter& prompter() { return prompter_; }
  // The system's day and month names and date and time formats, read once when the
  // workspace is made; every render and batch run takes them from here.
  const LocaleInfo& locale() const { return locale_; }
  // Hands files to the desktop's default program.
  DesktopFileOpener& opener() { return opener_; }

  // Images. A new source image becomes the current file: the per-image text of the image
  // left is stored, that of the new one loaded. The caller renders.
  void SetSourceImage(RasterImage image, std::string fileName, std::string directory);
  // Reads a source file into the original image and, when something new was decoded, turns
  // and resizes it as the orientation and size preset ask (ReadPictureToMark); the current
  // file's name is not touched. The damage of a JPEG decoded all the same is shown in the
  // status line of the next render, as "warning: NAME: REASON". A file that cannot be read (or
  // turned and resized) leaves the original image as it was, unless it is a JPEG and
  // `unreadable` gives the placeholder. The status gives the reason of a failure, also when
  // the placeholder stands in.
  SourceImageRead ReadSourceFile(const std::filesystem::path& path, UnreadableJpeg unreadable);
  // Makes `fileName` in `directory` the current file and loads its per-image text (the
  // text of the file left is the caller's to store first).
  void SetCurrentFile(std::string fileName, std::string directory);
  // A new logo, which also becomes its untouched copy; it has no alpha channel.
  void SetLogoImage(RasterImage logo);
  // Changes the logo that is blended and keeps its untouched copy (a turn, with the alpha
  // turned alike; an autocrop, which leaves no alpha).
  void ChangeLogo(RasterImage logo, std::vector<std::uint8_t> alpha = {});
  // The logo as it is now becomes its untouched copy, so later turns start from it.
  void KeepLogoAsUntouched();
  // Loads a logo file; on success it is the logo and its path the logo file name.
  Status LoadLogo(const std::filesystem::path& path);
  // Loads the margin texture; a file that cannot be read keeps the texture shown.
  Status LoadTexture(const std::filesystem::path& path);

  // The render. While rendering is disabled Render does nothing and returns false. A render
  // that is refused (an image the frames would make too large, no memory) keeps the last
  // marked picture and puts the reason in the render's status.
  bool renderEnabled() const { return renderEnabled_; }
  void SetRenderEnabled(bool enabled) { renderEnabled_ = enabled; }
  void SetRenderObserver(std::function<void()> observer) { renderObserver_ = std::move(observer); }
  // The preview box in pixels; renders make their preview fit it.
  void SetPreviewBox(int width, int height);
  bool Render();
  // Why the last render was refused; empty when it marked the picture. While it is not
  // empty the marked image is not the source's, and nothing saves it.
  const std::string& renderError() const { return renderError_; }
  // A new preview box: the preview is made again from the marked image, without a render.
  void RefitPreview(int width, int height);
  // The text a render draws: the per-image text while it is in use, else the watermark
  // text. The watermark text itself is never replaced by a per-image text.
  const std::vector<std::string>& RenderText() const;

  // The per-image text of the current image.
  const IndividualText& individualText() const { return individualText_; }
  bool useIndividualText() const { return useIndividualText_; }
  // Switching it on with an empty edit first loads the current image's side file.
  void SetUseIndividualText(bool on);
  void SetIndividualLines(std::vector<std::string> lines);
  // The side file of the current image; empty when there is no current file.
  std::string CurrentSideFilePath() const;
  void LoadCurrentIndividualText();
  // Stores the per-image text; a failure is shown as "Save Error" and fails.
  FlowResult SaveCurrentIndividualText();

  // The source file list of the batch page: its directory, mask and selection, which the
  // load roads keep in step with the current file and previous / next / reload step through.
  SourceFileList& sourceFiles() { return sourceFiles_; }
  const SourceFileList& sourceFiles() const { return sourceFiles_; }
  // The output options of the batch page (format, JPEG and PNG options, depth, sepia).
  SaveOptions& saveOptions() { return saveOptions_; }
  const SaveOptions& saveOptions() const { return saveOptions_; }
  // The effect window's macro, kept for the whole run; a batch run applies it to every
  // picture while its "Use macro for all images" is on.
  EffectMacro& effectMacro() { return effectMacro_; }
  const EffectMacro& effectMacro() const { return effectMacro_; }
  // The JPEG quality of an interactive save, 1..100: the last one the compression preview
  // confirmed, 80 until then.
  int sharedJpegQuality() const { return sharedJpegQuality_; }
  // The compression preview's "OK": its quality becomes the shared one, and the batch
  // page's JPEG options take its quality, "Grayscale" and "Progressive".
  void AcceptJpegPreview(const JpegOptions& chosen);

  // Start-up, in this order: Create when the window is made (histories, rendering on),
  // ReloadDefaults before the window shows, FirstActivation when it is first active
  // (default configuration again, the first-run text, the sample picture and logo when
  // none is loaded, one render).
  void Create();
  void ReloadDefaults();
  // True the first time only.
  bool FirstActivation();
  // Whether the first activation found the default configuration never written by the
  // program: a first run, on which the window shows the list of changes.
  bool firstRun() const { return firstRun_; }

  // Menu and button commands: done, cancelled when the user cancelled or answered No, or
  // failed with the message they have shown.
  FlowResult LoadConfigurationCommand();
  FlowResult SaveConfigurationCommand();
  FlowResult ClearAllOptions();
  FlowResult LoadTextCommand();
  FlowResult SaveTextCommand();
  // Reads a shipped file for the program's own help window.
  ShippedDocument ReadShippedFile(std::string_view name) const;
  // Hands a shipped file to the desktop's default program; failed, naming the file, where
  // no program took it.
  FlowResult OpenShippedFile(std::string_view name);
  // The quit question; on Yes QuitWithoutQuestion, and whatever could not be written is
  // named in one message. Done when the program may end (also after such a message).
  FlowResult Quit();
  // The program ends without the question (SIGTERM): closing() becomes true and SaveState
  // runs. Shows nothing; failed with what could not be written.
  FlowResult QuitWithoutQuestion();
  // What quitting writes, without a question and without showing anything (the desktop's
  // logout): the per-image text, the default configuration and text and both histories to
  // the user directory, each replaced whole. Every write is attempted; failed with the
  // reasons of those that could not be written.
  FlowResult SaveState();

 private:
  void LoadStartPictures();
  std::filesystem::path UserFile(std::string_view name) const;

  Prompter& prompter_;
  DesktopFileOpener& opener_;
  WorkspacePaths paths_;
  LocaleInfo locale_;

  ProgramSettings settings_;
  std::vector<std::string> watermarkText_;
  RasterImage original_;
  ImageMetadata sourceMetadata_;
  RasterImage logo_;
  RasterImage logoCopy_;
  std::vector<std::uint8_t> logoAlpha_;
  std::vector<std::uint8_t> logoCopyAlpha_;
  RasterImage texture_;
  RasterImage loadScratch_;    // work buffer of orientation and size presets
  RasterImage decodeBuffer_;   // a file is decoded here, so one that fails keeps the source
  RenderOutput output_;        // the marked image, the preview; kept for buffer reuse
  std::string sourceWarning_;  // the damage of the picture just read, for the next render's status
  std::string renderError_;
  RandomSource random_;
  int previewWidth_ = 0;
  int previewHeight_ = 0;
  std::function<void()> renderObserver_;

  std::string currentFileName_;
  std::string sourceDirectory_;
  std::string lastConfigurationName_{kNoConfigurationLoaded};
  TMRUFiles sourceHistory_{kHistoryCapacity};
  TMRUFiles destinationHistory_{kHistoryCapacity};
  IndividualText individualText_;
  bool useIndividualText_ = false;

  SourceFileList sourceFiles_;
  SaveOptions saveOptions_;
  EffectMacro effectMacro_;
  int sharedJpegQuality_ = JpegOptions{}.quality;

  bool renderEnabled_ = false;
  bool firstActivationDone_ = false;
  bool firstRun_ = false;
  bool closing_ = false;
};

}  // namespace quillstone
