#pragma once

#include <QString>

class QCheckBox;
class QScrollBar;
class QWidget;

namespace quillstone {

// Small makers for the controls every page builds. The object name is how tests, and
// anyone reading the layout, find a control.

// Gives `widget` its object name and returns it, so a control is made and named at once.
template <typename T>
T* Named(T* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

// A check box with its caption.
QCheckBox* Switch(const char* name, const QString& caption, QWidget* parent);

// A horizontal slider over minimum..maximum whose large step is `pageStep`.
QScrollBar* Slider(const QString& name, int minimum, int maximum, int pageStep, QWidget* parent);

}  // namespace quillstone
