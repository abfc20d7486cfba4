#pragma once

#include <QDialog>

namespace quillstone {

class RadioGroup;

// "Select a combination of the watermarking effects": thirteen items and an "OK" that is
// the only way out (no close box; Escape does nothing). Clicking an item reports it at
// once, so the main window's selector follows while the dialog is open.
class CombinationDialog : public QDialog {
  Q_OBJECT

 public:
  explicit CombinationDialog(QWidget* parent = nullptr);

  // Shows the dialog modally, preset to `index`; returns the index chosen at "OK".
  int Run(int index);
  int index() const;
  // Follows the main window's selector without reporting it.
  void ShowIndex(int index);

 signals:
  void itemClicked(int index);

 public slots:
  void reject() override {}

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  RadioGroup* items_;
};

}  // namespace quillstone
