#pragma once

#include <QWidget>

#include "workspace/source_browsing.h"

class QPushButton;

namespace quillstone {

// "&Previous", "&Next" and "Reload" of the main page, which step through the source file
// list of the batch page. They are enabled exactly while the list has entries.
class SourceStepButtons : public QWidget {
  Q_OBJECT

 public:
  explicit SourceStepButtons(QWidget* parent = nullptr);

  void SetListHasEntries(bool hasEntries);

 signals:
  void stepRequested(SourceStep step);

 private:
  QPushButton* previous_;
  QPushButton* next_;
  QPushButton* reload_;
  bool hasEntries_ = true;
};

}  // namespace quillstone
