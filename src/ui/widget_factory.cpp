#include "ui/widget_factory.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSignalBlocker>
#include <utility>

#include "ui/color_swatch.h"
#include "workspace/prompter.h"

namespace quillstone {
namespace {

// Runs a change's consequences in their order: what else shows the value, then the render.
template <typename T>
void Changed(const Shown<T>& shown, const std::function<void()>& request, T value) {
  if (shown) shown(value);
  if (request) request();
}

}  // namespace

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

Shown<int> LabelText(QLabel* label, const QString& format) {
  return [label, format](int value) { label->setText(format.arg(value)); };
}

WidgetFactory::WidgetFactory(RenderRequests requests) : requests_(std::move(requests)) {}

std::function<void()> WidgetFactory::Request(Render render) const {
  switch (render) {
    case Render::kNow:
      return requests_.now;
    case Render::kLater:
      return requests_.later;
    case Render::kNever:
      break;
  }
  return {};
}

QCheckBox* WidgetFactory::Switch(const char* name, const QString& caption, bool& field, QWidget* parent,
                                 Shown<bool> shown, Render render) {
  QCheckBox* box = quillstone::Switch(name, caption, parent);
  QObject::connect(box, &QCheckBox::toggled, box, [&field, shown, request = Request(render)](bool on) {
    field = on;
    Changed(shown, request, on);
  });
  shows_.push_back([box, &field, shown] {
    {
      const QSignalBlocker blocker(box);
      box->setChecked(field);
    }
    if (shown) shown(field);
  });
  return box;
}

QScrollBar* WidgetFactory::Slider(const SliderRange& range, int& field, QWidget* parent, Shown<int> shown,
                                  Render render) {
  QScrollBar* bar = quillstone::Slider(range.name, range.minimum, range.maximum, range.pageStep, parent);
  QObject::connect(bar, &QScrollBar::valueChanged, bar,
                   [&field, shown, request = Request(render)](int value) {
                     field = value;
                     Changed(shown, request, value);
                   });
  shows_.push_back([bar, &field, shown] {
    {
      const QSignalBlocker blocker(bar);
      bar->setValue(field);
    }
    if (shown) shown(field);
  });
  return bar;
}

QLineEdit* WidgetFactory::Field(const char* name, std::string& field, QWidget* parent, Render render) {
  QLineEdit* edit = Named(new QLineEdit(parent), name);
  QObject::connect(edit, &QLineEdit::textEdited, edit,
                   [&field, request = Request(render)](const QString& text) {
                     field = text.toStdString();
                     if (request) request();
                   });
  shows_.push_back([edit, &field] {
    const QSignalBlocker blocker(edit);
    edit->setText(QString::fromStdString(field));
  });
  return edit;
}

ColorSwatch* WidgetFactory::Swatch(const QString& name, ColorValue& field, Prompter& prompter,
                                   QWidget* parent, WhenCancelled cancelled) {
  auto* swatch = new ColorSwatch(name, parent);
  QObject::connect(swatch, &ColorSwatch::clicked, swatch,
                   [swatch, &field, &prompter, cancelled, request = Request(Render::kNow)] {
                     const std::optional<ColorValue> chosen = prompter.ChooseColor(field);
                     if (chosen) {
                       field = *chosen;
                       swatch->SetColor(*chosen);
                     }
                     if ((chosen || cancelled == WhenCancelled::kRenders) && request) request();
                   });
  shows_.push_back([swatch, &field] { swatch->SetColor(field); });
  return swatch;
}

RadioGroup* WidgetFactory::BindIndex(RadioGroup* group, IndexField field, Shown<int> shown, Render render) {
  QObject::connect(group, &RadioGroup::chosen, group,
                   [set = field.set, shown, request = Request(render)](int index) {
                     set(index);
                     Changed(shown, request, index);
                   });
  shows_.push_back([group, get = field.get, shown] {
    group->Show(get());
    if (shown) shown(get());
  });
  return group;
}

QComboBox* WidgetFactory::BindIndex(QComboBox* list, IndexField field, Shown<int> shown, Render render) {
  QObject::connect(list, &QComboBox::currentIndexChanged, list,
                   [set = field.set, shown, request = Request(render)](int index) {
                     if (index < 0) return;  // the list was emptied
                     set(index);
                     Changed(shown, request, index);
                   });
  shows_.push_back([list, get = field.get, shown] {
    {
      const QSignalBlocker blocker(list);
      list->setCurrentIndex(get());
    }
    if (shown) shown(get());
  });
  return list;
}

QListWidget* WidgetFactory::BindIndex(QListWidget* list, IndexField field, Shown<int> shown, Render render) {
  QObject::connect(list, &QListWidget::currentRowChanged, list,
                   [set = field.set, shown, request = Request(render)](int row) {
                     if (row < 0) return;  // the list was emptied
                     set(row);
                     Changed(shown, request, row);
                   });
  shows_.push_back([list, get = field.get, shown] {
    {
      const QSignalBlocker blocker(list);
      list->setCurrentRow(get());
    }
    if (shown) shown(get());
  });
  return list;
}

void WidgetFactory::ShowAll() const {
  for (const auto& show : shows_) show();
}

}  // namespace quillstone
