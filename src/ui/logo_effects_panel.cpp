#include "ui/logo_effects_panel.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/color_swatch.h"
#include "ui/qt_text.h"
#include "workspace/logo_tools.h"
#include "workspace/workspace.h"

namespace quillstone {

LogoEffectsPanel::LogoEffectsPanel(Workspace& workspace, QWidget* parent)
    : QGroupBox("Logo effects", parent),
      workspace_(workspace),
      controls_({[this] { Turn(); }, [this] { Turn(); }}) {
  LogoToolSettings& tools = workspace_.settings().logoTools;
  auto* angleLabel = Named(new QLabel(this), "anglelabel");
  angleLabel->setMinimumWidth(angleLabel->fontMetrics().horizontalAdvance("359 deg.") + 4);
  angle_ = controls_.Slider({"anglebar", 0, 359, 10}, tools.angle, this,
                            [angleLabel](int angle) { angleLabel->setText(ToQString(AngleLabel(angle))); });
  angle_->setToolTip("Select angle for rotation / right mouseclick for popup menu");
  QMenu* presets = BuildPresetMenu();
  angle_->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(angle_, &QWidget::customContextMenuRequested, this,
          [this, presets](QPoint at) { presets->popup(angle_->mapToGlobal(at)); });
  auto* presetButton = Named(new QToolButton(this), "anglepresets");
  presetButton->setMenu(presets);
  presetButton->setPopupMode(QToolButton::InstantPopup);
  presetButton->setToolTip("Angle presets");
  auto* apply = Named(new QPushButton("Apply", this), "angleapply");
  apply->setToolTip("Apply angle value to the logo");
  connect(apply, &QPushButton::clicked, this, &LogoEffectsPanel::Turn);
  auto* reset = Named(new QPushButton("R", this), "resetangle");
  reset->setToolTip("Reset degrees to zero without applying rotation");
  reset->setMaximumWidth(reset->fontMetrics().horizontalAdvance("RR") + 16);
  connect(reset, &QPushButton::clicked, this, &LogoEffectsPanel::ResetAngle);

  ColorSwatch* fill = controls_.Swatch("fillcolor", tools.rotationFill, workspace_.prompter(), this);
  fill->setToolTip("Click here, for changing fill color");
  auto* useTransparent = Named(new QPushButton("Use transparent", this), "usetransparentfill");
  useTransparent->setToolTip("Fill with the logo's transparent color");
  connect(useTransparent, &QPushButton::clicked, this, [this] {
    const bool turned = static_cast<bool>(UseTransparentAsFill(workspace_));
    controls_.ShowAll();
    if (turned) {
      emit logoChanged();
      emit renderLater();
    }
  });
  auto* save = Named(new QPushButton("Save logo as bitmap", this), "savelogo");
  connect(save, &QPushButton::clicked, this,
          [this] { SaveLogoAsBitmap(workspace_, workspace_.logoImage()); });

  auto* autocrop = Named(new QPushButton("Autocrop logo", this), "autocroplogo");
  connect(autocrop, &QPushButton::clicked, this, [this] {
    AutocropLogoCommand(workspace_);
    emit logoChanged();
  });
  auto* corner = Named(new QComboBox(this), "cropcolorselection");
  corner->addItems({"Top left", "Bottom left", "Top right", "Bottom right"});
  corner->setToolTip("The corner whose color is cut away");
  controls_.Choice(corner, tools.cropCorner, {}, Render::kNever);
  auto* special = Named(new QPushButton("Logo special &window", this), "logospecialbutton");
  connect(special, &QPushButton::clicked, this, &LogoEffectsPanel::specialWindowRequested);

  auto* angleRow = new QHBoxLayout;
  angleRow->addWidget(angle_, 1);
  angleRow->addWidget(angleLabel);
  angleRow->addWidget(presetButton);
  angleRow->addWidget(reset);
  angleRow->addWidget(apply);
  auto* fillRow = new QHBoxLayout;
  fillRow->addWidget(new QLabel("Fill color", this));
  fillRow->addWidget(fill);
  fillRow->addWidget(useTransparent);
  fillRow->addStretch(1);
  fillRow->addWidget(save);
  auto* cropRow = new QHBoxLayout;
  cropRow->addWidget(autocrop);
  cropRow->addWidget(new QLabel("Crop color selection", this));
  cropRow->addWidget(corner);
  cropRow->addStretch(1);
  cropRow->addWidget(special);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(angleRow);
  layout->addLayout(fillRow);
  layout->addLayout(cropRow);
}

QMenu* LogoEffectsPanel::BuildPresetMenu() {
  auto* menu = Named(new QMenu(this), "anglepresetmenu");
  for (const int angle : {0, 45, 90, 180, 270}) {
    QAction* action = menu->addAction(QStringLiteral("%1 degrees").arg(angle));
    action->setObjectName(QStringLiteral("angle%1").arg(angle));
    connect(action, &QAction::triggered, this, [this, angle] { angle_->setValue(angle); });
  }
  return menu;
}

void LogoEffectsPanel::ShowSettings() {
  controls_.ShowAll();
}

void LogoEffectsPanel::Turn() {
  if (!TurnLogo(workspace_)) return;
  emit logoChanged();
  emit renderLater();
}

// The angle goes back to 0 with the bar's signals held, so the reset turns nothing.
void LogoEffectsPanel::ResetAngle() {
  if (ResetLogoAngle(workspace_)) controls_.ShowAll();
}

}  // namespace quillstone
