#include "ui/texture_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <array>

#include "ui/color_swatch.h"
#include "ui/image_view.h"
#include "workspace/texture_flow.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

// What each side's row shows and how its controls are named.
struct SideNames {
  const char* caption;
  const char* bar;
  const char* prefix;  // of the other controls' names: "top" gives "topcolor", "resettop" ...
  const char* alignment;
  QStringList alignments;
};

const SideNames& NamesOf(MarginSide side) {
  static const std::array<SideNames, 4> names = {{
      {"Top", "scroll_top", "top", "Top_alignment", {"Stretch", "Left", "Right", "Center"}},
      {"Bottom", "Scroll_bottom", "bottom", "Bottom_alignment", {"Stretch", "Left", "Right", "Center"}},
      {"Left", "Scroll_left", "left", "Left_alignment", {"Stretch", "Top", "Bottom", "Center"}},
      {"Right", "Scroll_right", "right", "Right_alignment", {"Stretch", "Top", "Bottom", "Center"}},
  }};
  return names[static_cast<int>(side)];
}

constexpr std::array<MarginSide, 4> kSides = {MarginSide::kTop, MarginSide::kBottom, MarginSide::kLeft,
                                              MarginSide::kRight};

}  // namespace

TextureDialog::TextureDialog(Workspace& workspace, Prompter& prompter, QWidget* parent)
    : QDialog(parent),
      workspace_(workspace),
      settings_(workspace.settings().watermark.texture),
      prompter_(prompter),
      controls_({[this] { emit renderLater(); }, [this] { emit renderLater(); }}) {
  setObjectName("TextureWindow");
  setWindowTitle("Expand image with colors and a texture");
  setModal(true);
  auto* back = Named(new QPushButton("Back", this), "textureback");
  back->setDefault(true);
  connect(back, &QPushButton::clicked, this, &QDialog::accept);
  auto* left = new QVBoxLayout;
  left->addWidget(BuildExpandBox());
  left->addWidget(BuildMarginBox(), 1);
  auto* right = new QVBoxLayout;
  right->addWidget(BuildTextureBox(), 1);
  right->addWidget(back, 0, Qt::AlignRight);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addLayout(right);
  ShowSettings();
}

QWidget* TextureDialog::BuildExpandBox() {
  auto* box = new QGroupBox("Expand", this);
  mode_ = Named(
      new RadioGroup("Mode", {{"... before watermarking", "... after watermarking"}, "texture_options%1"},
                     box, Qt::Horizontal, 2),
      "texture_options");
  controls_.Choice(mode_, settings_.mode);
  QCheckBox* expand = controls_.Switch("expand_checkbox", "Expand image", settings_.enabled, box,
                                       [this](bool on) { mode_->setEnabled(on); });
  expand->setToolTip("Activate/deactivate image expand");
  auto* layout = new QHBoxLayout(box);
  layout->addWidget(expand);
  layout->addWidget(mode_, 1);
  return box;
}

QWidget* TextureDialog::BuildMarginBox() {
  auto* box = new QGroupBox("Margins", this);
  auto* layout = new QGridLayout(box);
  int row = 0;
  for (const MarginSide side : kSides) AddSideRow(layout, row++, side, box);
  allColors_ = new ColorSwatch("allsidescolor", box);
  allColors_->setToolTip("Select a color for all sides");
  connect(allColors_, &ColorSwatch::clicked, this, &TextureDialog::ChooseAllColors);
  layout->addWidget(new QLabel("All sides", box), row, 0);
  layout->addWidget(allColors_, row, 5);
  layout->setColumnStretch(1, 1);
  return box;
}

// One side: caption, margin bar with its value and "R", colour, "Use texture", alignment.
void TextureDialog::AddSideRow(QGridLayout* layout, int row, MarginSide side, QWidget* box) {
  const SideNames& names = NamesOf(side);
  TextureSide& fields = settings_.side(side);
  const QString prefix = names.prefix;
  auto* value = Named(new QLabel(box), qPrintable(prefix + "marginlabel"));
  value->setMinimumWidth(value->fontMetrics().horizontalAdvance("1000 pixel"));
  QScrollBar* bar = controls_.Slider({names.bar, 0, kMaxTextureMargin, 10}, fields.margin, box,
                                     LabelText(value, "%1 pixel"));
  bar->setToolTip("Max: 1000 pixels");
  bar->setMinimumWidth(200);
  auto* reset = Named(new QPushButton("R", box), qPrintable("reset" + prefix));
  reset->setToolTip("Reset pixel value to zero !");
  reset->setFixedWidth(reset->fontMetrics().horizontalAdvance("RR") + 16);
  connect(reset, &QPushButton::clicked, bar, [bar] { bar->setValue(0); });
  ColorSwatch* color =
      controls_.Swatch(prefix + "color", fields.color, prompter_, box, WhenCancelled::kRenders);
  color->setToolTip("Select a color");
  QCheckBox* use = controls_.Switch(qPrintable(prefix + "usetexture"), "Use texture", fields.useTexture, box);
  auto* alignment = Named(new QComboBox(box), names.alignment);
  alignment->addItems(names.alignments);
  controls_.Choice(alignment, fields.align);

  layout->addWidget(new QLabel(names.caption, box), row, 0);
  layout->addWidget(bar, row, 1);
  layout->addWidget(value, row, 2);
  layout->addWidget(reset, row, 3);
  layout->addWidget(use, row, 4);
  layout->addWidget(color, row, 5);
  layout->addWidget(alignment, row, 6);
}

QWidget* TextureDialog::BuildTextureBox() {
  auto* box = new QGroupBox("Texture", this);
  texture_ = Named(new ImageView(ImageView::Placement::kFitInside, box), "textureimage");
  texture_->setMinimumSize(160, 120);
  textureSize_ = Named(new QLabel(box), "texturesizelabel");
  auto* load = Named(new QPushButton("Load a texture", box), "loadtexture");
  connect(load, &QPushButton::clicked, this, [this] {
    if (LoadTextureCommand(workspace_)) ShowTexture();
  });
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(texture_, 1);
  layout->addWidget(textureSize_);
  layout->addWidget(load);
  const std::pair<MarginSide, const char*> sizeButtons[] = {
      {MarginSide::kLeft, "Width of the texture -> Left"},
      {MarginSide::kRight, "Width of the texture -> Right"},
      {MarginSide::kTop, "Height of the texture -> Top"},
      {MarginSide::kBottom, "Height of the texture -> Bottom"},
  };
  for (const auto& [side, caption] : sizeButtons) {
    auto* button =
        Named(new QPushButton(caption, box), qPrintable(QString("texturesize") + NamesOf(side).prefix));
    connect(button, &QPushButton::clicked, this, [this, side = side] { SizeToMargin(side); });
    layout->addWidget(button);
  }
  return box;
}

void TextureDialog::ChooseAllColors() {
  const std::optional<ColorValue> chosen = prompter_.ChooseColor(allColors_->color());
  if (!chosen) return;
  allColors_->SetColor(*chosen);
  SetAllMarginColors(settings_, *chosen);
  controls_.ShowAll();
  emit renderLater();
}

void TextureDialog::SizeToMargin(MarginSide side) {
  if (!TextureSizeToMargin(workspace_, side)) return;
  controls_.ShowAll();
  emit renderLater();
}

void TextureDialog::ShowTexture() {
  const RasterImage& texture = workspace_.textureImage();
  texture_->SetImage(&texture);
  textureSize_->setText(texture.Empty()
                            ? QString("No texture loaded")
                            : QStringLiteral("%1 x %2 pixel").arg(texture.Width()).arg(texture.Height()));
}

void TextureDialog::ShowSettings() {
  controls_.ShowAll();
  ShowTexture();
}

}  // namespace quillstone
