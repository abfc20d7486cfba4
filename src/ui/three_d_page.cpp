#include "ui/three_d_page.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "ui/color_swatch.h"
#include "workspace/text_tools.h"

namespace quillstone {
namespace {

// The directions in drawing order with their places in a 3 x 3 compass (row, column).
struct DirectionPlace {
  const char* caption;
  int row;
  int column;
};
constexpr DirectionPlace kDirections[kThreeDDirectionCount] = {
    {"Top/left corner", 0, 0},  {"Top side", 0, 1},
    {"Top/right corner", 0, 2}, {"Left side", 1, 0},
    {"Right side", 1, 2},       {"Bottom/left corner", 2, 0},
    {"Bottom side", 2, 1},      {"Bottom/right corner", 2, 2},
};

}  // namespace

ThreeDPage::ThreeDPage(TextSettings& settings, TextTools& tools, Prompter& prompter, RenderRequests requests,
                       QWidget* parent)
    : QWidget(parent),
      settings_(settings),
      tools_(tools),
      prompter_(prompter),
      requests_(requests),
      controls_(requests) {
  auto* use3d = controls_.Switch(
      "use3ddrawing_checkbox", "Use 3d drawing", settings_.threeD.enabled, this,
      [this](bool) { ShowEnabled(); }, Render::kLater);
  QWidget* directions = BuildDirectionsBox();
  QWidget* strength = BuildStrengthBox();
  QWidget* colors = BuildColorsBox();
  QWidget* shiny = BuildShinyBox();

  auto* row = new QHBoxLayout;
  row->addWidget(directions);
  row->addWidget(strength);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(use3d);
  layout->addLayout(row);
  layout->addWidget(colors);
  layout->addWidget(shiny);
  layout->addStretch(1);
  ShowSettings();
}

QWidget* ThreeDPage::BuildDirectionsBox() {
  auto* box = new QGroupBox("Directions", this);
  auto* grid = new QGridLayout(box);
  for (int i = 0; i < kThreeDDirectionCount; ++i) {
    const QString name = QStringLiteral("dreid%1").arg(i + 1);
    QCheckBox* direction = controls_.Switch(name.toLatin1().constData(), kDirections[i].caption,
                                            settings_.threeD.directions[i], box, {}, Render::kLater);
    grid->addWidget(direction, kDirections[i].row, kDirections[i].column);
  }
  auto* allOn = Named(new QPushButton("All on", box), "alldirectionson");
  auto* allOff = Named(new QPushButton("All off", box), "alldirectionsoff");
  for (auto [button, on] : {std::pair{allOn, true}, std::pair{allOff, false}}) {
    connect(button, &QPushButton::clicked, this, [this, on = on] {
      tools_.SetAllThreeDDirections(on);
      controls_.ShowAll();
      requests_.later();
    });
  }
  grid->addWidget(allOn, 3, 0);
  grid->addWidget(allOff, 3, 2);
  threeDControls_.push_back(box);
  return box;
}

QWidget* ThreeDPage::BuildStrengthBox() {
  auto* box = new QGroupBox("Strength", this);
  auto* strength =
      Named(new RadioGroup("Strength", {{"Single", "Double"}, "dreid_strength%1", 1}, box), "dreid_strength");
  controls_.Choice(
      strength, settings_.threeD.doubleStrength, [this](int) { ShowEnabled(); }, Render::kLater);
  auto* label = Named(new QLabel(box), "doublestrengthlabel");
  strengthBar_ = controls_.Slider({"doublestrengthbar", 2, 10, 1}, settings_.threeD.additionalStrength, box,
                                  LabelText(label, "Double additional strength: %1"));
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(strength);
  layout->addWidget(label);
  layout->addWidget(strengthBar_);
  layout->addStretch(1);
  threeDControls_.push_back(box);
  return box;
}

QWidget* ThreeDPage::BuildColorsBox() {
  auto* box = new QGroupBox("Colors", this);
  ColorSwatch* single = controls_.Swatch("singlecolor", settings_.threeD.singleColor, prompter_, box);
  single->SetCaption("Single color");
  ColorSwatch* twin = controls_.Swatch("Doublecolor", settings_.threeD.doubleColor, prompter_, box);
  twin->SetCaption("Double color");
  // The main window's font colour itself.
  ColorSwatch* font = controls_.Swatch("fontcolor", settings_.fontColor, prompter_, box);
  font->SetCaption("Font color");
  for (ColorSwatch* swatch : {single, twin, font}) swatch->setMinimumWidth(110);
  auto* layout = new QHBoxLayout(box);
  layout->addWidget(single);
  layout->addWidget(twin);
  layout->addWidget(font);
  layout->addStretch(1);
  threeDControls_.push_back(single);
  threeDControls_.push_back(twin);
  return box;
}

QWidget* ThreeDPage::BuildShinyBox() {
  auto* box = new QGroupBox("Shiny text", this);
  auto* use = controls_.Switch(
      "useshinytext", "Use shiny text (only working, if a true type font is selected (TT))",
      settings_.shiny.enabled, box, [this](bool) { ShowEnabled(); }, Render::kLater);
  auto* options = Named(
      new RadioGroup("Shiny options", {{"Original source", "Inverted source"}, "shinyoptions%1", 1}, box),
      "shinyoptions");
  controls_.Choice(options, settings_.shiny.invertedSource, {}, Render::kLater);
  shinyOptions_ = options;
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(use);
  layout->addWidget(options);
  layout->addWidget(new QLabel("(Original source makes only sense with 3d drawing)", box));
  return box;
}

void ThreeDPage::ShowSettings() {
  controls_.ShowAll();
  ShowEnabled();
}

void ThreeDPage::ShowEnabled() {
  const ThreeDSettings& threeD = settings_.threeD;
  for (QWidget* control : threeDControls_) control->setEnabled(threeD.enabled);
  strengthBar_->setEnabled(threeD.enabled && threeD.doubleStrength);
  shinyOptions_->setEnabled(settings_.shiny.enabled);
}

}  // namespace quillstone
