#include "ui/widget_factory.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>

#include "support/window_fixture.h"
#include "ui/color_swatch.h"
#include "ui/render_debounce.h"
#include "workspace/scripted_prompter.h"

namespace quillstone {
namespace {

enum class Side { kLeft, kMiddle, kRight };

struct Fields {
  bool on = false;
  int percent = 50;
  Side side = Side::kLeft;
  Side listed = Side::kLeft;
  int row = 0;
  ColorValue color = colors::kBlack;
};

// One control of each kind bound to `fields`, the immediate renders counted and the
// later ones going through the window's debounce.
class WidgetFactoryTest : public ::testing::Test {
 protected:
  WidgetFactoryTest()
      : debounce([this] { ++debouncedRenders; }),
        controls({[this] { ++immediateRenders; }, [this] { debounce.Request(); }}) {
    label = new QLabel(&page);
    check = controls.Switch("check", "Check", fields.on, &page, [this](bool on) { label->setEnabled(on); });
    slider = controls.Slider({"slider", 0, 100, 10}, fields.percent, &page, LabelText(label, "%1% share"));
    radios =
        controls.Choice(new RadioGroup("Side", {{"Left", "Middle", "Right"}, "side%1"}, &page), fields.side);
    combo = new QComboBox(&page);
    combo->addItems({"Left", "Middle", "Right"});
    controls.Choice(combo, fields.listed);
    list = new QListWidget(&page);
    list->addItems({"a", "b", "c", "d"});
    controls.Choice(list, fields.row);
    swatch = controls.Swatch("swatch", fields.color, prompter, &page);
  }

  int Requests() const { return immediateRenders + (debounce.Pending() ? 1 : 0) + debouncedRenders; }

  Fields fields;
  testing::ScriptedPrompter prompter;
  int immediateRenders = 0;
  int debouncedRenders = 0;
  RenderDebounce debounce;
  WidgetFactory controls;
  QWidget page;
  QLabel* label;
  QCheckBox* check;
  QScrollBar* slider;
  RadioGroup* radios;
  QComboBox* combo;
  QListWidget* list;
  ColorSwatch* swatch;
};

TEST_F(WidgetFactoryTest, SliderMovesWriteTheFieldAndLabelAndEndInOneDebouncedRender) {
  for (const int value : {30, 40, 55}) slider->setValue(value);
  EXPECT_EQ(fields.percent, 55);
  EXPECT_EQ(label->text(), "55% share");
  EXPECT_EQ(immediateRenders, 0);
  EXPECT_TRUE(debounce.Pending());
  debounce.Flush();
  EXPECT_EQ(debouncedRenders, 1);
}

TEST_F(WidgetFactoryTest, ShowAllShowsLoadedValuesWithoutAskingForAnyRender) {
  fields = {true, 73, Side::kRight, Side::kMiddle, 3, colors::kRed};
  label->setEnabled(false);
  controls.ShowAll();
  EXPECT_TRUE(check->isChecked());
  EXPECT_TRUE(label->isEnabled()) << "what else shows a switch follows it";
  EXPECT_EQ(slider->value(), 73);
  EXPECT_EQ(label->text(), "73% share");
  EXPECT_TRUE(radios->button(2)->isChecked());
  EXPECT_EQ(combo->currentIndex(), 1);
  EXPECT_EQ(list->currentRow(), 3);
  EXPECT_EQ(swatch->color(), colors::kRed);
  EXPECT_EQ(Requests(), 0);
  EXPECT_EQ(fields.percent, 73) << "showing writes nothing back";
}

// Each change writes its field and asks for its render once; choosing the chosen entry
// again is no change.
TEST_F(WidgetFactoryTest, ChoicesAndSwitchesWriteTheirFieldAndRenderAsTheirKindSays) {
  radios->button(1)->click();
  EXPECT_EQ(fields.side, Side::kMiddle);
  EXPECT_EQ(immediateRenders, 1);
  radios->button(1)->click();
  EXPECT_EQ(immediateRenders, 1);
  check->click();
  EXPECT_TRUE(fields.on);
  EXPECT_EQ(immediateRenders, 2);
  combo->setCurrentIndex(2);
  list->setCurrentRow(1);
  EXPECT_EQ(fields.listed, Side::kRight);
  EXPECT_EQ(fields.row, 1);
  EXPECT_EQ(immediateRenders, 2) << "lists render later";
  debounce.Flush();
  EXPECT_EQ(debouncedRenders, 1);
}

// A control told never to render, and one of a page that gives no render requests (the
// batch page), only write their fields.
TEST_F(WidgetFactoryTest, ControlsThatDoNotRenderOnlyWriteTheirFields) {
  Side never = Side::kLeft;
  controls.Choice(new RadioGroup("Never", {{"a", "b"}, "never%1"}, &page), never, {}, Render::kNever)
      ->Choose(1);
  WidgetFactory silent;
  int value = 0;
  silent.Slider({"quiet", 0, 9, 1}, value, &page)->setValue(4);
  EXPECT_EQ(never, Side::kMiddle);
  EXPECT_EQ(value, 4);
  EXPECT_EQ(Requests(), 0);
}

TEST_F(WidgetFactoryTest, FieldWritesWhatIsTypedAndShowsItsFieldSilently) {
  std::string text = "470";
  QLineEdit* field = controls.Field("field", text, &page);
  controls.ShowAll();
  EXPECT_EQ(field->text(), "470");
  field->selectAll();
  QTest::keyClicks(field, "12");
  QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QStringLiteral("\u00e9"), {});
  EXPECT_EQ(text, "12\u00e9");
  EXPECT_EQ(immediateRenders, 0);
  EXPECT_TRUE(debounce.Pending()) << "typing renders later";
  debounce.Flush();
  text = "60";
  controls.ShowAll();
  EXPECT_EQ(field->text(), "60");
  EXPECT_FALSE(debounce.Pending()) << "showing asks for no render";
}

TEST_F(WidgetFactoryTest, SwatchWritesAChosenColourAndRendersOnCancelOnlyWhenAsked) {
  struct Case {
    WhenCancelled cancelled;
    int rendersAfterCancel;
  };
  for (const Case& c : {Case{WhenCancelled::kNothing, 0}, Case{WhenCancelled::kRenders, 1}}) {
    ColorValue color = colors::kWhite;
    int renders = 0;
    WidgetFactory factory({[&renders] { ++renders; }, {}});
    ColorSwatch* bound = factory.Swatch("bound", color, prompter, &page, c.cancelled);
    prompter.colors = {std::nullopt, colors::kBlue};
    QTest::mouseClick(bound, Qt::LeftButton);
    EXPECT_EQ(color, colors::kWhite);
    EXPECT_EQ(renders, c.rendersAfterCancel);
    QTest::mouseClick(bound, Qt::LeftButton);
    EXPECT_EQ(color, colors::kBlue);
    EXPECT_EQ(bound->color(), colors::kBlue);
    EXPECT_EQ(renders, c.rendersAfterCancel + 1);
  }
}

}  // namespace
}  // namespace quillstone
