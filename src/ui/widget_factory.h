#pragma once

#include <QString>
#include <functional>
#include <string>
#include <type_traits>
#include <vector>

#include "imaging/color_value.h"
#include "ui/radio_group.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QScrollBar;
class QWidget;

namespace quillstone {

class ColorSwatch;
class Prompter;

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

// What a change of a bound control asks for once it has written its field: a render at
// once (switches, choices, colours), the debounced render (sliders, lists), or nothing
// (fields that only a later command reads).
enum class Render { kNow, kLater, kNever };

// Whether a colour dialog that is cancelled still asks for a render.
enum class WhenCancelled { kNothing, kRenders };

// The two ways a page asks for a render; the window points `later` at its debounce.
struct RenderRequests {
  std::function<void()> now;
  std::function<void()> later;
};

// A slider's object name, range and large step.
struct SliderRange {
  QString name;
  int minimum = 0;
  int maximum = 100;
  int pageStep = 10;
};

// What else shows a bound value (a label, a caption, a control it enables); called after
// every change and whenever the control is shown again from its field.
template <typename T>
using Shown = std::function<void(T)>;

// Shows the value in `label`, "%1" in `format` standing for it.
Shown<int> LabelText(QLabel* label, const QString& format);

// Makes controls bound to fields of a settings struct, one line each. A bound control
// writes its field the moment the user changes it and then asks for a render as its
// `Render` says; `ShowAll` sets every control from its field again (after a load, a
// command or another control changed the fields) without asking for any render. The
// fields must outlive the controls; each page keeps one factory beside its controls.
class WidgetFactory {
 public:
  explicit WidgetFactory(RenderRequests requests = {});
  WidgetFactory(const WidgetFactory&) = delete;
  WidgetFactory& operator=(const WidgetFactory&) = delete;

  QCheckBox* Switch(const char* name, const QString& caption, bool& field, QWidget* parent,
                    Shown<bool> shown = {}, Render render = Render::kNow);
  QScrollBar* Slider(const SliderRange& range, int& field, QWidget* parent, Shown<int> shown = {},
                     Render render = Render::kLater);
  // A one-line text field; typing writes the field (UTF-8) and asks for a render as
  // `render` says, like a slider through the debounce by default.
  QLineEdit* Field(const char* name, std::string& field, QWidget* parent, Render render = Render::kLater);
  // A colour swatch whose click opens the colour dialog on the field's colour; a chosen
  // colour is written, shown and rendered at once.
  ColorSwatch* Swatch(const QString& name, ColorValue& field, Prompter& prompter, QWidget* parent,
                      WhenCancelled cancelled = WhenCancelled::kNothing);

  // Binds a radio group, a drop-down list or a list to an enumeration (or integer) field
  // whose values are the indexes of the entries.
  template <typename T>
  RadioGroup* Choice(RadioGroup* group, T& field, Shown<int> shown = {}, Render render = Render::kNow) {
    return BindIndex(group, Access(field), std::move(shown), render);
  }
  template <typename T>
  QComboBox* Choice(QComboBox* list, T& field, Shown<int> shown = {}, Render render = Render::kLater) {
    return BindIndex(list, Access(field), std::move(shown), render);
  }
  template <typename T>
  QListWidget* Choice(QListWidget* list, T& field, Shown<int> shown = {}, Render render = Render::kLater) {
    return BindIndex(list, Access(field), std::move(shown), render);
  }

  void ShowAll() const;

 private:
  struct IndexField {
    std::function<int()> get;
    std::function<void(int)> set;
  };

  template <typename T>
  static IndexField Access(T& field) {
    static_assert(std::is_enum_v<T> || std::is_integral_v<T>, "an index field is an enumeration or integer");
    return {[&field] { return static_cast<int>(field); },
            [&field](int index) { field = static_cast<T>(index); }};
  }

  RadioGroup* BindIndex(RadioGroup* group, IndexField field, Shown<int> shown, Render render);
  QComboBox* BindIndex(QComboBox* list, IndexField field, Shown<int> shown, Render render);
  QListWidget* BindIndex(QListWidget* list, IndexField field, Shown<int> shown, Render render);
  // The request a change makes; empty for kNever or when the page gave none.
  std::function<void()> Request(Render render) const;

  RenderRequests requests_;
  std::vector<std::function<void()>> shows_;
};

}  // namespace quillstone
