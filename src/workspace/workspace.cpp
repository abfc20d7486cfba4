#include "workspace/workspace.h"

#include <system_error>
#include <utility>

#include "batch/directory_text.h"
#include "batch/mark_file.h"
#include "config/configuration_file.h"
#include "imagefiles/image_decoder.h"
#include "pipeline/preview.h"
#include "platform/atomic_file.h"
#include "platform/date_time.h"
#include "platform/program_directory.h"
#include "platform/text_file.h"
#include "platform/whole_file.h"
#include "workspace/source_loading.h"

namespace quillstone {
namespace {

const std::vector<FileFilter> kTextFilters = {{"Text file [*.txt]", "*.txt"}};

std::string Join(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += "\n" + line;
  return text;
}

}  // namespace

Workspace::Workspace(Prompter& prompter, DesktopFileOpener& opener, WorkspacePaths paths)
    : prompter_(prompter), opener_(opener), paths_(std::move(paths)), locale_(SystemLocaleInfo()) {}

std::filesystem::path Workspace::UserFile(std::string_view name) const {
  return paths_.userDirectory / name;
}

void Workspace::SetSourceImage(RasterImage image, std::string fileName, std::string directory) {
  SaveCurrentIndividualText();
  original_ = std::move(image);
  sourceMetadata_ = {};
  SetCurrentFile(std::move(fileName), std::move(directory));
}

void Workspace::SetCurrentFile(std::string fileName, std::string directory) {
  currentFileName_ = std::move(fileName);
  sourceDirectory_ = WithTrailingSlash(directory);
  LoadCurrentIndividualText();
}

SourceImageRead Workspace::ReadSourceFile(const std::filesystem::path& path, UnreadableJpeg unreadable) {
  // The file is decoded into a buffer that becomes the source only when it holds the new
  // picture (or the placeholder), so a file that fails keeps the picture shown; the two
  // buffers swap, and both keep their memory for the next load. Orientation and size apply
  // to freshly decoded pictures only, never twice to one.
  const std::filesystem::path placeholder = unreadable == UnreadableJpeg::kPlaceholder
                                                ? paths_.programDirectory / kPlaceholderImageName
                                                : std::filesystem::path();
  const SourceImageRead read = ReadPictureToMark(path, placeholder, PlaceholderShape::kLikeAnyPicture,
                                                 settings_, decodeBuffer_, loadScratch_);
  if (!read.status && !read.placeholder) return read;
  std::swap(original_, decodeBuffer_);
  sourceMetadata_ = read.metadata;
  sourceWarning_ =
      read.damage.empty() ? std::string() : "warning: " + path.filename().string() + ": " + read.damage;
  return read;
}

void Workspace::AcceptJpegPreview(const JpegOptions& chosen) {
  sharedJpegQuality_ = chosen.quality;
  // The preview chooses quality, grey and mode; keeping the blocks stays the page's choice.
  const bool keepBlocks = saveOptions_.jpeg.keepUntouchedBlocks;
  saveOptions_.jpeg = chosen;
  saveOptions_.jpeg.keepUntouchedBlocks = keepBlocks;
}

void Workspace::SetLogoImage(RasterImage logo) {
  logo_ = std::move(logo);
  logoCopy_ = logo_;
  logoAlpha_.clear();
  logoCopyAlpha_.clear();
}

void Workspace::ChangeLogo(RasterImage logo, std::vector<std::uint8_t> alpha) {
  logo_ = std::move(logo);
  logoAlpha_ = std::move(alpha);
}

void Workspace::KeepLogoAsUntouched() {
  logoCopy_ = logo_;
  logoCopyAlpha_ = logoAlpha_;
}

Status Workspace::LoadLogo(const std::filesystem::path& path) {
  Status status = LoadLogoFile(path, logo_, logoCopy_, &logoCopyAlpha_);
  if (status) {
    settings_.logoFileName = path.string();
    logoAlpha_ = logoCopyAlpha_;
  }
  return status;
}

Status Workspace::LoadTexture(const std::filesystem::path& path) {
  return LoadTextureFile(path, texture_);
}

void Workspace::SetPreviewBox(int width, int height) {
  previewWidth_ = width;
  previewHeight_ = height;
}

const std::vector<std::string>& Workspace::RenderText() const {
  return useIndividualText_ ? individualText_.lines : watermarkText_;
}

bool Workspace::Render() {
  if (!renderEnabled_) return false;
  const TextContext context{CurrentLocalDateTime(), currentFileName_, sourceDirectory_,
                            sourceMetadata_.camera};
  const RenderInput input{original_, logo_,   texture_,      settings_.watermark, RenderText(),
                          context,   locale_, previewWidth_, previewHeight_,      logoAlpha_};
  // A render that is refused leaves the last marked picture; the reason goes to the status
  // bar, and so, once, does the damage of a picture just read.
  const Status rendered = RenderWatermark(input, random_, output_);
  renderError_ = rendered ? std::string() : rendered.message();
  if (!rendered) {
    output_.status = rendered.message();
  } else if (!sourceWarning_.empty()) {
    output_.status =
        output_.status && !output_.status->empty() ? sourceWarning_ + "  " + *output_.status : sourceWarning_;
  }
  sourceWarning_.clear();
  if (renderObserver_) renderObserver_();
  return true;
}

void Workspace::RefitPreview(int width, int height) {
  SetPreviewBox(width, height);
  const ImageSize size = PreviewSizeFor(output_.marked.Width(), output_.marked.Height(), width, height);
  AreaAverageResize(output_.marked, size.width, size.height, output_.preview);
  output_.status.reset();
  if (renderObserver_) renderObserver_();
}

void Workspace::SetUseIndividualText(bool on) {
  if (on && individualText_.lines.empty()) LoadCurrentIndividualText();
  useIndividualText_ = on;
}

void Workspace::SetIndividualLines(std::vector<std::string> lines) {
  individualText_.lines = std::move(lines);
}

std::string Workspace::CurrentSideFilePath() const {
  if (currentFileName_.empty() || sourceDirectory_.empty()) return {};
  return SideFilePath(sourceDirectory_, currentFileName_);
}

void Workspace::LoadCurrentIndividualText() {
  const std::string path = CurrentSideFilePath();
  if (path.empty()) {
    individualText_ = IndividualText{};
    return;
  }
  individualText_ = LoadIndividualText(path);
}

FlowResult Workspace::SaveCurrentIndividualText() {
  if (individualText_.path.empty()) return FlowResult::Done();
  const Status status = SaveIndividualText(individualText_);
  if (!status) prompter_.ShowMessage(kIndividualTextSaveErrorCaption, status.message(), MessageIcon::kError);
  return status;
}

void Workspace::Create() {
  // Missing or unreadable histories leave the lists empty.
  (void)destinationHistory_.LoadFromFile(UserFile(kDestinationHistoryFileName));
  (void)sourceHistory_.LoadFromFile(UserFile(kSourceHistoryFileName));
  renderEnabled_ = true;
}

void Workspace::ReloadDefaults() {
  renderEnabled_ = false;
  (void)quillstone::ReloadDefaults(paths_.userDirectory, settings_, watermarkText_);
  renderEnabled_ = true;
}

bool Workspace::FirstActivation() {
  if (firstActivationDone_) return false;
  firstActivationDone_ = true;
  (void)ReadConfiguration(UserFile(kDefaultConfigurationName), settings_);
  firstRun_ = !settings_.configurationWritten;
  if (firstRun_) {
    const TextFileRead text = ReadTextFileLines(UserFile(kDefaultTextName).string());
    if (text.outcome == TextFileRead::Outcome::kRead) watermarkText_ = text.lines;
  }
  LoadStartPictures();
  Render();
  return true;
}

// Nothing is loaded at start-up, so the first screen shows the sample picture, marked with
// the logo of the default configuration when that file can be read, else the sample logo.
void Workspace::LoadStartPictures() {
  if (original_.Empty()) {
    const std::filesystem::path sample = paths_.programDirectory / kSampleImageName;
    if (ReadSourceFile(sample, UnreadableJpeg::kRefused).status) {
      SetCurrentFile(kSampleImageName, paths_.programDirectory.string());
    }
  }
  if (logo_.Empty()) {
    const bool loaded = !settings_.logoFileName.empty() &&
                        LoadLogoFile(settings_.logoFileName, logo_, logoCopy_, &logoCopyAlpha_);
    if (!loaded)
      (void)LoadLogoFile(paths_.programDirectory / kSampleLogoName, logo_, logoCopy_, &logoCopyAlpha_);
    logoAlpha_ = logoCopyAlpha_;
  }
}

FlowResult Workspace::LoadConfigurationCommand() {
  const auto path = prompter_.ChooseFileToOpen(
      {"Load configuration file", {{"Load configuration file", "*.ini"}}, paths_.userDirectory, {}, {}});
  if (!path) return FlowResult::Cancelled();
  renderEnabled_ = false;
  if (const Status read = ReadConfiguration(*path, settings_); !read) {
    renderEnabled_ = true;
    prompter_.ShowMessage("Load configuration file", read.message(), MessageIcon::kError);
    return read;
  }
  // A companion text that cannot be read keeps the current text.
  (void)LoadCompanionText(*path, watermarkText_);
  if (!settings_.logoFileName.empty()) {
    const std::filesystem::path logoPath(settings_.logoFileName);
    const auto chosen = prompter_.ChooseFileToOpen({std::string(kLoadLogoTitle),
                                                    ImageOpenFilters(),
                                                    logoPath.parent_path(),
                                                    settings_.logoFileName,
                                                    {}});
    if (chosen) {
      if (const Status loaded = LoadLogo(*chosen); !loaded) {
        prompter_.ShowMessage(kLoadLogoTitle, loaded.message(), MessageIcon::kError);
      }
    }
  }
  renderEnabled_ = true;
  Render();
  lastConfigurationName_ = path->filename().string();
  return FlowResult::Done();
}

FlowResult Workspace::SaveConfigurationCommand() {
  const auto path = prompter_.ChooseFileToSave(
      {"Save configuration file", {{"Save configuration file", "*.ini"}}, paths_.userDirectory, {}, "ini"});
  if (!path) return FlowResult::Cancelled();
  if (const Status saved = SaveConfigurationFiles(*path, settings_, watermarkText_); !saved) {
    prompter_.ShowMessage("Save configuration file", saved.message(), MessageIcon::kError);
    return saved;
  }
  return FlowResult::Done();
}

FlowResult Workspace::ClearAllOptions() {
  if (!prompter_.AskYesNo(kInfoCaption, kClearAllQuestion)) return FlowResult::Cancelled();
  settings_.watermark.combination = CombinationOrder::kActive;
  settings_.watermark.logo.places.fill(false);
  Render();
  return FlowResult::Done();
}

FlowResult Workspace::LoadTextCommand() {
  const auto path =
      prompter_.ChooseFileToOpen({"Load a text file", kTextFilters, paths_.userDirectory, {}, {}});
  if (!path) return FlowResult::Cancelled();
  const TextFileRead read = ReadTextFileLines(path->string());
  if (read.outcome == TextFileRead::Outcome::kRead) {
    watermarkText_ = read.lines;
  } else {
    const std::string why =
        read.outcome == TextFileRead::Outcome::kMissing ? "cannot open " + path->string() : read.error;
    prompter_.ShowMessage("Load a text file", why, MessageIcon::kError);
    Render();
    return FlowResult::Failed(why);
  }
  Render();
  return FlowResult::Done();
}

FlowResult Workspace::SaveTextCommand() {
  const auto path =
      prompter_.ChooseFileToSave({"Save a text file", kTextFilters, paths_.userDirectory, {}, "txt"});
  if (!path) return FlowResult::Cancelled();
  const Status saved = WriteFileReplacing(path->string(), JoinLinesCrLf(watermarkText_));
  if (!saved) prompter_.ShowMessage("Save a text file", saved.message(), MessageIcon::kError);
  Render();
  return saved;
}

ShippedDocument Workspace::ReadShippedFile(std::string_view name) const {
  ShippedDocument document;
  document.path = paths_.programDirectory / name;
  const std::string extension = document.path.extension().string();
  document.html = extension == ".html" || extension == ".htm";
  std::string bytes;
  const WholeFileRead read = ReadWholeFile(document.path, kMaxTextFileBytes, bytes);
  if (!read.read()) {
    document.error = "cannot show " + document.path.string() + ": " + read.reason;
    return document;
  }
  document.text = DecodeTextBytes(bytes);
  return document;
}

FlowResult Workspace::OpenShippedFile(std::string_view name) {
  const std::filesystem::path path = paths_.programDirectory / name;
  if (!opener_.Open(path)) return FlowResult::Failed("no program of the desktop could open " + path.string());
  return FlowResult::Done();
}

FlowResult Workspace::Quit() {
  if (!prompter_.AskYesNo(kInfoCaption, kQuitQuestion)) return FlowResult::Cancelled();
  // Whatever failed is named once, and the program still ends.
  if (const FlowResult saved = QuitWithoutQuestion(); !saved)
    prompter_.ShowMessage("Save Error", saved.message(), MessageIcon::kWarning);
  return FlowResult::Done();
}

FlowResult Workspace::QuitWithoutQuestion() {
  closing_ = true;
  return SaveState();
}

FlowResult Workspace::SaveState() {
  // Every write is attempted, so one that fails costs only its own file.
  std::vector<std::string> failures;
  auto note = [&failures](const Status& status) {
    if (!status) failures.push_back(status.message());
  };
  if (!individualText_.path.empty()) note(SaveIndividualText(individualText_));
  std::error_code error;
  std::filesystem::create_directories(paths_.userDirectory, error);
  if (error) {
    note(Status::Error("cannot create " + paths_.userDirectory.string() + ": " + error.message()));
  } else {
    note(WriteConfiguration(UserFile(kDefaultConfigurationName), settings_));
    note(WriteFileReplacing(UserFile(kDefaultTextName).string(), JoinLinesCrLf(watermarkText_)));
    note(destinationHistory_.SaveToFile(UserFile(kDestinationHistoryFileName)));
    note(sourceHistory_.SaveToFile(UserFile(kSourceHistoryFileName)));
  }
  if (failures.empty()) return FlowResult::Done();
  return FlowResult::Failed("Some settings could not be saved:" + Join(failures));
}

}  // namespace quillstone
