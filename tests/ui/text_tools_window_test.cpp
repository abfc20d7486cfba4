#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <functional>

#include "support/window_fixture.h"
#include "ui/big_text_editor.h"
#include "ui/character_grid.h"
#include "ui/command_window.h"
#include "ui/render_debounce.h"
#include "ui/special_character_picker.h"

namespace quillstone {
namespace {

using testing::Child;
using testing::WhenModal;

void PickCharacter(CharacterGrid* grid, int code) {
  const int half = CharacterGrid::kCellPixels / 2;
  QTest::mouseClick(grid, Qt::LeftButton, {},
                    {(code % CharacterGrid::kCells) * CharacterGrid::kCellPixels + half,
                     (code / CharacterGrid::kCells) * CharacterGrid::kCellPixels + half});
}

// The window over a 64 x 32 black picture with one white line of text drawn unblended, no
// box and no frames, and the logo action chosen, so the Text menu has something to switch.
class TextToolsWindowTest : public testing::WindowTest {
 protected:
  TextToolsWindowTest() {
    WatermarkSettings& s = workspace.settings().watermark;
    s.action = WatermarkAction::kPlaceLogo;
    s.text.font = {"DejaVu Sans", 14};
    s.text.fontColor = colors::kWhite;
    s.text.backgroundStyle = TextBoxStyle::kNone;
    s.text.textBlending = 100;
    workspace.watermarkText() = {"X"};
    ShowPlain(RasterImage(64, 32), -1);
  }

  // Opens the command window with the Text page's tools button, runs `steps` in it and
  // closes it with "OK".
  void InCommandWindow(const std::function<void()>& steps) {
    WhenModal([this, steps] {
      steps();
      Get<QPushButton>("commandok")->click();
    });
    Get<QPushButton>("texttoolsbutton")->click();
  }
};

TEST_F(TextToolsWindowTest, TextMenuEntriesOpenTheCommandWindowOnTheirPageAfterOneRenderOfTheText) {
  const std::pair<const char*, CommandWindow::Page> entries[] = {
      {"menutextcommands", CommandWindow::Page::kTextCommands},
      {"menuspecialcharacters", CommandWindow::Page::kSpecialCharacters},
      {"menu3dtext", CommandWindow::Page::kThreeD},
  };
  for (const auto& [entry, page] : entries) {
    Get<QTabWidget>("settingspages")->setCurrentIndex(0);
    ASSERT_EQ(workspace.settings().watermark.action, WatermarkAction::kPlaceLogo);
    Settle();
    bool opened = false;
    WhenModal([&, page = page] {
      auto* commandWindow = Get<CommandWindow>("CommandWindow");
      opened = commandWindow->isVisible();
      EXPECT_EQ(renders, 1) << "one render before the window opens";
      EXPECT_EQ(workspace.settings().watermark.action, WatermarkAction::kUseText);
      EXPECT_EQ(Get<QTabWidget>("commandpages")->currentIndex(), static_cast<int>(page));
      Get<QPushButton>("commandok")->click();
    });
    Get<QAction>(entry)->trigger();
    EXPECT_TRUE(opened) << entry;
    EXPECT_EQ(Get<QTabWidget>("settingspages")->currentIndex(), 2) << "the Text page";
    EXPECT_EQ(renders, 2) << "closing renders once more";
  }
}

// An insert renders at once; the typing render the edit asked for is then not needed.
TEST_F(TextToolsWindowTest, InsertButtonRendersOnceAndAtOnce) {
  InCommandWindow([&] {
    Get<QPushButton>("insertwidth")->click();
    EXPECT_EQ(renders, 1);
    QTest::qWait(RenderDebounce::kDelayMilliseconds + 200);
    EXPECT_EQ(renders, 1);
  });
  EXPECT_EQ(workspace.watermarkText(), std::vector<std::string>{"$width$X"});
}

TEST_F(TextToolsWindowTest, DateFormatPickedInTheListIsUsedByTheNextRender) {
  InCommandWindow([&] {
    Get<QListWidget>("dateformatlist")->setCurrentRow(6);
    EXPECT_EQ(renders, 0) << "through the debounce";
    WaitForRender(1);
    EXPECT_EQ(renders, 1);
  });
  EXPECT_EQ(workspace.settings().watermark.text.dateFormat, "yyyy-mm-dd");
}

TEST_F(TextToolsWindowTest, AppliedCharactersReplaceTheSelectionAndCancelInsertsNothing) {
  for (const bool apply : {true, false}) {
    // The Text page's edit holding "Hello world" with "world" selected.
    auto* edit = Get<QPlainTextEdit>("textmemo");
    edit->setPlainText("Hello world");
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(6);
    cursor.setPosition(11, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    InCommandWindow([&] {
      WhenModal([&] {
        auto* picker = Get<SpecialCharacterPicker>("SpecialCharacterWindow");
        auto* grid = picker->findChild<CharacterGrid*>("charactergrid");
        for (const int code : {0xE9, 0xA9, 10, 0xDF}) PickCharacter(grid, code);
        EXPECT_EQ(picker->findChild<QLineEdit*>("selectedchars")->text(), QString::fromUtf8("é©ß"))
            << "a control code is never picked";
        picker->findChild<QPushButton*>(apply ? "applyselectedchars" : "cancelselectedchars")->click();
      });
      Get<QPushButton>("insertspecialchars")->click();
    });
    const char* expected = apply ? "Hello é©ß" : "Hello world";
    EXPECT_EQ(edit->toPlainText().toStdString(), expected);
    EXPECT_EQ(workspace.watermarkText(), std::vector<std::string>{expected});
  }
}

TEST_F(TextToolsWindowTest, TypingInTheBigEditorRendersWithinTheDebounceWhileItStaysOpen) {
  Get<QTabWidget>("settingspages")->setCurrentIndex(2);  // the Text page, and the text action
  window.renderDebounce().Flush();
  const RasterImage before = Marked();
  WhenModal([&] {
    auto* editor = Get<BigTextEditor>("BigTextEditor");
    auto* edit = editor->findChild<QPlainTextEdit*>("bigtextedit");
    edit->moveCursor(QTextCursor::End);
    renders = 0;
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, "MM");
    EXPECT_EQ(renders, 0);
    WaitForRender(1);
    EXPECT_EQ(renders, 1);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_NE(Marked(), before);
    EXPECT_EQ(editor->findChild<QLabel*>("bigtextlinecount")->text(), "2 lines");

    // The command window opened from the editor inserts into the editor.
    WhenModal([this] {
      Get<QPushButton>("insertbold")->click();
      Get<QPushButton>("commandok")->click();
    });
    editor->findChild<QAction*>("bigtexttools")->trigger();
    editor->findChild<QAction*>("bigtextback")->trigger();
  });
  Get<QPushButton>("bigeditorbutton")->click();
  EXPECT_EQ(workspace.watermarkText(), (std::vector<std::string>{"X", "MM$bold$"}));
  EXPECT_EQ(Get<QPlainTextEdit>("textmemo")->toPlainText(), "X\nMM$bold$");
}

TEST_F(TextToolsWindowTest, BigEditorDropsWhatAChangeAddsBeyondTheLimit) {
  WhenModal([&] {
    auto* edit = Get<QPlainTextEdit>("bigtextedit");
    // 2000 lines of 99 letters and a line break, less the last three characters: three
    // short of the limit.
    QString text = QString(99, QLatin1Char('a')).append(QLatin1Char('\n')).repeated(2000);
    text.chop(3);
    edit->setPlainText(text);
    edit->moveCursor(QTextCursor::Start);
    edit->insertPlainText("bcdef");
    Get<QAction>("bigtextback")->trigger();
  });
  Get<QAction>("menubigtexteditor")->trigger();
  const std::vector<std::string>& lines = workspace.watermarkText();
  ASSERT_EQ(lines.size(), 2000u);
  EXPECT_EQ(lines.front(), "bcd" + std::string(99, 'a'));
  EXPECT_EQ(lines.back().size(), 97u);
}

TEST_F(TextToolsWindowTest, ThreeDPageSwitchesReachTheSettings) {
  const ThreeDSettings& threeD = workspace.settings().watermark.text.threeD;
  InCommandWindow([&] {
    Get<QCheckBox>("use3ddrawing_checkbox")->click();
    Get<QRadioButton>("dreid_strength1")->click();  // "Single"
    Get<QPushButton>("alldirectionsoff")->click();
    EXPECT_FALSE(Get<QCheckBox>("dreid5")->isChecked());
  });
  EXPECT_TRUE(threeD.enabled);
  EXPECT_FALSE(threeD.doubleStrength);
  for (const bool on : threeD.directions) EXPECT_FALSE(on);
}

}  // namespace
}  // namespace quillstone
