#include "ui/widget_factory.h"

#include <QCheckBox>
#include <QScrollBar>

namespace quillstone {

QCheckBox* Switch(const char* name, const QString& caption, QWidget* parent) {
  return Named(new QCheckBox(caption, parent), name);
}

QScrollBar* Slider(const QString& name, int minimum, int maximum, int pageStep, QWidget* parent) {
  auto* bar = new QScrollBar(Qt::Horizontal, parent);
  bar->setObjectName(name);
  bar->setRange(minimum, maximum);
  bar->setPageStep(pageStep);
  return bar;
}

}  // namespace quillstone
