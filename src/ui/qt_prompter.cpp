#include "ui/qt_prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QStringList>

#include "ui/color_swatch.h"
#include "ui/jpeg_preview_window.h"
#include "ui/png_options_dialog.h"
#include "ui/qt_text.h"

namespace quillstone {
namespace {

// "Label (*.a *.b)" entries separated by ";;". A label that already ends in its patterns
// ("Jpg (*.jpg;*.jpe)") shows them once, separated by spaces as the dialog reads them.
QString FilterText(const std::vector<FileFilter>& filters) {
  QStringList entries;
  for (const FileFilter& filter : filters) {
    const QString patterns = ToQString(filter.patterns).split(QLatin1Char(';'), Qt::SkipEmptyParts).join(' ');
    QString label = ToQString(filter.label);
    if (const qsizetype open = label.lastIndexOf(QStringLiteral(" (")); open > 0 && label.endsWith(')'))
      label.truncate(open);
    entries << QStringLiteral("%1 (%2)").arg(label, patterns);
  }
  return entries.join(";;");
}

QString StartPath(const FileDialogRequest& request) {
  const QString name = ToQString(request.fileName);
  if (!name.isEmpty() && QFileInfo(name).isAbsolute()) return name;
  const QString directory = ToQString(request.directory.string());
  return name.isEmpty() ? directory : directory + "/" + name;
}

}  // namespace

QtPrompter::QtPrompter() = default;
QtPrompter::~QtPrompter() {
  // Windows made before a parent was set have none to delete them.
  if (pngOptions_ && pngOptions_->parent() == nullptr) delete pngOptions_.data();
  if (jpegPreview_ && jpegPreview_->parent() == nullptr) delete jpegPreview_.data();
}

bool QtPrompter::AskYesNo(std::string_view caption, std::string_view question) {
  return QMessageBox::question(parent_, ToQString(caption), ToQString(question),
                               QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

void QtPrompter::ShowMessage(std::string_view caption, std::string_view message, MessageIcon icon) {
  QMessageBox::Icon boxIcon = QMessageBox::NoIcon;
  switch (icon) {
    case MessageIcon::kNone:
      break;
    case MessageIcon::kInformation:
      boxIcon = QMessageBox::Information;
      break;
    case MessageIcon::kWarning:
      boxIcon = QMessageBox::Warning;
      break;
    case MessageIcon::kError:
      boxIcon = QMessageBox::Critical;
      break;
  }
  QMessageBox box(boxIcon, ToQString(caption), ToQString(message), QMessageBox::Ok, parent_);
  box.exec();
}

std::optional<std::filesystem::path> QtPrompter::ChooseFileToOpen(const FileDialogRequest& request) {
  const QString path = QFileDialog::getOpenFileName(parent_, ToQString(request.title), StartPath(request),
                                                    FilterText(request.filters));
  if (path.isEmpty()) return std::nullopt;
  return std::filesystem::path(ToStdString(path));
}

std::optional<std::filesystem::path> QtPrompter::ChooseFileToSave(const FileDialogRequest& request) {
  QFileDialog dialog(parent_, ToQString(request.title), StartPath(request), FilterText(request.filters));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(ToQString(request.defaultExtension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(ToStdString(dialog.selectedFiles().front()));
}

std::optional<SaveFileChoice> QtPrompter::ChooseFileToSaveWithType(const FileDialogRequest& request) {
  QFileDialog dialog(parent_, ToQString(request.title), StartPath(request), FilterText(request.filters));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(ToQString(request.defaultExtension));
  const QStringList types = dialog.nameFilters();
  if (request.initialFilter >= 0 && request.initialFilter < types.size())
    dialog.selectNameFilter(types[request.initialFilter]);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  const int chosen = static_cast<int>(types.indexOf(dialog.selectedNameFilter()));
  return SaveFileChoice{std::filesystem::path(ToStdString(dialog.selectedFiles().front())),
                        chosen >= 0 ? chosen : request.initialFilter};
}

std::optional<PngOptions> QtPrompter::ChoosePngOptions() {
  if (!pngOptions_) pngOptions_ = new PngOptionsDialog(parent_);
  return pngOptions_->Run();
}

std::optional<JpegOptions> QtPrompter::ChooseJpegOptions(const JpegPreviewRequest& request) {
  if (!jpegPreview_) jpegPreview_ = new JpegPreviewWindow(parent_);
  return jpegPreview_->Run(request);
}

std::optional<ColorValue> QtPrompter::ChooseColor(ColorValue initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent_);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

std::optional<FontChoice> QtPrompter::ChooseFont(const FontChoice& initial) {
  QFont font(ToQString(initial.font.face), initial.font.points);
  font.setBold(initial.font.bold);
  font.setItalic(initial.font.italic);
  font.setUnderline(initial.font.underline);
  font.setStrikeOut(initial.font.strikeout);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, font, parent_);
  if (!ok) return std::nullopt;
  FontChoice choice = initial;
  choice.font.face = ToStdString(chosen.family());
  choice.font.points = chosen.pointSize() > 0 ? chosen.pointSize() : initial.font.points;
  choice.font.bold = chosen.bold();
  choice.font.italic = chosen.italic();
  choice.font.underline = chosen.underline();
  choice.font.strikeout = chosen.strikeOut();
  return choice;
}

std::optional<std::filesystem::path> QtPrompter::ChooseDirectory(std::string_view title,
                                                                 const std::filesystem::path& start) {
  const QString path =
      QFileDialog::getExistingDirectory(parent_, ToQString(title), ToQString(start.string()));
  if (path.isEmpty()) return std::nullopt;
  return std::filesystem::path(ToStdString(path));
}

}  // namespace quillstone
