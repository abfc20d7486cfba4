#include "ui/help_window.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/qt_text.h"
#include "workspace/workspace.h"

namespace quillstone {

HelpWindow::HelpWindow(Workspace& workspace, QWidget* parent) : QDialog(parent), workspace_(workspace) {
  setObjectName("helpwindow");
  resize(720, 560);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName("helpbrowser");
  // Pictures and links of a help page are found beside it; web links go to the browser.
  browser_->setSearchPaths({ToQString(workspace_.paths().programDirectory.string())});
  browser_->setOpenExternalLinks(true);
  problem_ = new QLabel(this);
  problem_->setObjectName("helpproblem");
  problem_->setWordWrap(true);
  problem_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  problem_->hide();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  QPushButton* external = buttons->addButton("Open with default application", QDialogButtonBox::ActionRole);
  external->setObjectName("helpopenexternal");
  connect(external, &QPushButton::clicked, this, &HelpWindow::OpenWithDesktop);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_, 1);
  layout->addWidget(problem_);
  layout->addWidget(buttons);
}

void HelpWindow::ShowFile(const char* name) {
  name_ = name;
  const ShippedDocument document = workspace_.ReadShippedFile(name);
  setWindowTitle(QStringLiteral("%1 - Quillstone").arg(ToQString(document.path.filename().string())));
  problem_->setText(ToQString(document.error));
  problem_->setVisible(!document.error.empty());
  if (document.html) {
    browser_->setHtml(ToQString(document.text));
  } else {
    browser_->setPlainText(ToQString(document.text));
  }
  show();
  raise();
  activateWindow();
}

void HelpWindow::OpenWithDesktop() {
  const FlowResult opened = workspace_.OpenShippedFile(name_);
  problem_->setText(ToQString(opened.message()));
  problem_->setVisible(opened.failed());
}

}  // namespace quillstone
