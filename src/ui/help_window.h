#pragma once

#include <QDialog>
#include <string>

class QLabel;
class QTextBrowser;

namespace quillstone {

class Workspace;

// The program's own window for the files shipped as help (quick help, readme, list of
// changes, licence): the file in a text browser, and a button that hands it to the
// desktop's default program instead. A file that cannot be shown, or that the desktop
// cannot open, is named in the window. Not modal: the help stays open beside the work.
class HelpWindow : public QDialog {
 public:
  HelpWindow(Workspace& workspace, QWidget* parent);

  // Shows the shipped file of that name and brings the window to the front.
  void ShowFile(const char* name);

 private:
  void OpenWithDesktop();

  Workspace& workspace_;
  std::string name_;
  QTextBrowser* browser_ = nullptr;
  QLabel* problem_ = nullptr;
};

}  // namespace quillstone
