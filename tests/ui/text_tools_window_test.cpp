#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>
#include <functional>

#include "platform/date_time.h"
#include "platform/locale_info.h"
#include "support/test_support.h"
#include "text/date_time_format.h"
#include "ui/big_text_editor.h"
#include "ui/character_grid.h"
#include "ui/command_window.h"
#include "ui/main_window.h"
#include "ui/render_debounce.h"
#include "ui/special_character_picker.h"
#include "workspace/scripted_prompter.h"
#include "workspace/workspace.h"

namespace quillstone {
namespace {

using testing::TempDir;

void Wait(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

void PressAt(QWidget* widget, QPoint at) {
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(widget, &press);
}

void PickCharacter(CharacterGrid* grid, int code) {
  const int half = CharacterGrid::kCellPixels / 2;
  PressAt(grid, {(code % CharacterGrid::kCells) * CharacterGrid::kCellPixels + half,
                 (code / CharacterGrid::kCells) * CharacterGrid::kCellPixels + half});
}

// Types the text as keys; a line break is the Return key.
void Type(QWidget* widget, const QString& text) {
  for (const QChar c : text) {
    const bool newLine = c == QLatin1Char('\n');
    QKeyEvent press(QEvent::KeyPress, newLine ? Qt::Key_Return : 0, Qt::NoModifier,
                    newLine ? QString() : QString(c));
    QApplication::sendEvent(widget, &press);
  }
}

// Runs `step` once the next modal window's event loop is running.
void WhenModal(std::function<void()> step) {
  QTimer::singleShot(0, std::move(step));
}

// The window over a 64 x 32 black picture with one white line of text drawn unblended, no
// box and no frames, and the logo action chosen, so the Text menu has something to switch.
class TextToolsWindowTest : public ::testing::Test {
 protected:
  TextToolsWindowTest()
      : workspace(prompter, opener, {testing::SourceDir() / "data", home.path()}),
        window(workspace, prompter) {
    QObject::connect(&window, &MainWindow::rendered, [this] { ++renders; });
    WatermarkSettings& s = workspace.settings().watermark;
    s.frame.outerOn = false;
    s.frame.innerOn = false;
    s.logo.places.fill(false);
    s.action = WatermarkAction::kPlaceLogo;
    s.text.font = {"DejaVu Sans", 14};
    s.text.fontColor = colors::kWhite;
    s.text.backgroundStyle = TextBoxStyle::kNone;
    s.text.textBlending = 100;
    workspace.SetSourceImage(RasterImage(64, 32), "black.bmp", home.path().string());
    workspace.watermarkText() = {"X"};
    window.ShowSettings();
    window.renderDebounce().Flush();
    renders = 0;
  }

  template <typename T>
  T* Find(const char* name) {
    T* widget = window.findChild<T*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  void WaitForRender(int count) {
    QElapsedTimer waited;
    waited.start();
    while (renders < count && waited.elapsed() < 2000) Wait(5);
  }

  // Opens the command window with the Text page's tools button, runs `steps` in it and
  // closes it with "OK".
  void InCommandWindow(const std::function<void()>& steps) {
    WhenModal([this, steps] {
      steps();
      Find<QPushButton>("commandok")->click();
    });
    Find<QPushButton>("texttoolsbutton")->click();
  }

  // The Text page's edit holding "Hello world" with "world" selected.
  QPlainTextEdit* SelectWorld() {
    auto* edit = Find<QPlainTextEdit>("textmemo");
    edit->setPlainText("Hello world");
    QTextCursor cursor = edit->textCursor();
    cursor.setPosition(6);
    cursor.setPosition(11, QTextCursor::KeepAnchor);
    edit->setTextCursor(cursor);
    return edit;
  }

  const RasterImage& Marked() const { return workspace.watermarkedImage(); }

  TempDir home;
  testing::ScriptedPrompter prompter;
  testing::RecordingOpener opener;
  Workspace workspace;
  MainWindow window;
  int renders = 0;
};

TEST_F(TextToolsWindowTest, TextMenuEntriesOpenTheCommandWindowOnTheirPageAfterOneRenderOfTheText) {
  const std::pair<const char*, CommandWindow::Page> entries[] = {
      {"menutextcommands", CommandWindow::Page::kTextCommands},
      {"menuspecialcharacters", CommandWindow::Page::kSpecialCharacters},
      {"menu3dtext", CommandWindow::Page::kThreeD},
  };
  for (const auto& [entry, page] : entries) {
    Find<QTabWidget>("settingspages")->setCurrentIndex(0);
    ASSERT_EQ(workspace.settings().watermark.action, WatermarkAction::kPlaceLogo);
    window.renderDebounce().Flush();
    renders = 0;
    bool opened = false;
    WhenModal([&, page = page] {
      auto* commandWindow = Find<CommandWindow>("CommandWindow");
      opened = commandWindow->isVisible();
      EXPECT_EQ(renders, 1) << "one render before the window opens";
      EXPECT_EQ(workspace.settings().watermark.action, WatermarkAction::kUseText);
      EXPECT_EQ(Find<QTabWidget>("commandpages")->currentIndex(), static_cast<int>(page));
      Find<QPushButton>("commandok")->click();
    });
    Find<QAction>(entry)->trigger();
    EXPECT_TRUE(opened) << entry;
    EXPECT_EQ(Find<QTabWidget>("settingspages")->currentIndex(), 2) << "the Text page";
    EXPECT_EQ(renders, 2) << "closing renders once more";
  }
}

// An insert renders at once; the typing render the edit asked for is then not needed.
TEST_F(TextToolsWindowTest, InsertButtonRendersOnceAndAtOnce) {
  InCommandWindow([&] {
    Find<QPushButton>("insertwidth")->click();
    EXPECT_EQ(renders, 1);
    Wait(RenderDebounce::kDelayMilliseconds + 200);
    EXPECT_EQ(renders, 1);
  });
  EXPECT_EQ(workspace.watermarkText(), std::vector<std::string>{"$width$X"});
}

TEST_F(TextToolsWindowTest, DateFormatPickedInTheListShowsInTheNextRender) {
  workspace.watermarkText() = {"$date$"};
  window.ShowSettings();
  RasterImage picked;
  InCommandWindow([&] {
    Find<QListWidget>("dateformatlist")->setCurrentRow(6);
    EXPECT_EQ(renders, 0) << "through the debounce";
    WaitForRender(1);
    EXPECT_EQ(renders, 1);
    picked = Marked();
  });
  EXPECT_EQ(workspace.settings().watermark.text.dateFormat, "yyyy-mm-dd");

  const std::string today = FormatDateTime("yyyy-mm-dd", CurrentLocalDateTime(), SystemLocaleInfo());
  workspace.watermarkText() = {today};
  workspace.Render();
  EXPECT_EQ(picked, Marked()) << today;
}

TEST_F(TextToolsWindowTest, AppliedCharactersReplaceTheSelectionAndCancelInsertsNothing) {
  for (const bool apply : {true, false}) {
    QPlainTextEdit* edit = SelectWorld();
    InCommandWindow([&] {
      WhenModal([&] {
        auto* picker = Find<SpecialCharacterPicker>("SpecialCharacterWindow");
        auto* grid = picker->findChild<CharacterGrid*>("charactergrid");
        for (const int code : {0xE9, 0xA9, 10, 0xDF}) PickCharacter(grid, code);
        EXPECT_EQ(picker->findChild<QLineEdit*>("selectedchars")->text(), QString::fromUtf8("é©ß"))
            << "a control code is never picked";
        picker->findChild<QPushButton*>(apply ? "applyselectedchars" : "cancelselectedchars")->click();
      });
      Find<QPushButton>("insertspecialchars")->click();
    });
    const char* expected = apply ? "Hello é©ß" : "Hello world";
    EXPECT_EQ(edit->toPlainText().toStdString(), expected);
    EXPECT_EQ(workspace.watermarkText(), std::vector<std::string>{expected});
  }
}

TEST_F(TextToolsWindowTest, TypingInTheBigEditorRendersWithinTheDebounceWhileItStaysOpen) {
  Find<QTabWidget>("settingspages")->setCurrentIndex(2);  // the Text page, and the text action
  window.renderDebounce().Flush();
  const RasterImage before = Marked();
  WhenModal([&] {
    auto* editor = Find<BigTextEditor>("BigTextEditor");
    auto* edit = editor->findChild<QPlainTextEdit*>("bigtextedit");
    edit->moveCursor(QTextCursor::End);
    renders = 0;
    Type(edit, "\nMM");
    EXPECT_EQ(renders, 0);
    WaitForRender(1);
    EXPECT_EQ(renders, 1);
    EXPECT_TRUE(editor->isVisible());
    EXPECT_NE(Marked(), before);
    EXPECT_EQ(editor->findChild<QLabel*>("bigtextlinecount")->text(), "2 lines");

    // The command window opened from the editor inserts into the editor.
    WhenModal([this] {
      Find<QPushButton>("insertbold")->click();
      Find<QPushButton>("commandok")->click();
    });
    editor->findChild<QAction*>("bigtexttools")->trigger();
    editor->findChild<QAction*>("bigtextback")->trigger();
  });
  Find<QPushButton>("bigeditorbutton")->click();
  EXPECT_EQ(workspace.watermarkText(), (std::vector<std::string>{"X", "MM$bold$"}));
  EXPECT_EQ(Find<QPlainTextEdit>("textmemo")->toPlainText(), "X\nMM$bold$");
}

TEST_F(TextToolsWindowTest, BigEditorDropsWhatAChangeAddsBeyondTheLimit) {
  WhenModal([&] {
    auto* edit = Find<QPlainTextEdit>("bigtextedit");
    // 2000 lines of 99 letters and a line break, less the last three characters: three
    // short of the limit.
    QString text = QString(99, QLatin1Char('a')).append(QLatin1Char('\n')).repeated(2000);
    text.chop(3);
    edit->setPlainText(text);
    edit->moveCursor(QTextCursor::Start);
    edit->insertPlainText("bcdef");
    Find<QAction>("bigtextback")->trigger();
  });
  Find<QAction>("menubigtexteditor")->trigger();
  const std::vector<std::string>& lines = workspace.watermarkText();
  ASSERT_EQ(lines.size(), 2000u);
  EXPECT_EQ(lines.front().substr(0, 4), "bcda");
  EXPECT_EQ(lines.front().size(), 102u);
  EXPECT_EQ(lines.back().size(), 97u);
}

TEST_F(TextToolsWindowTest, AllOffOnTheThreeDPageGivesThePlainText) {
  workspace.settings().watermark.action = WatermarkAction::kUseText;
  window.ShowSettings();
  workspace.Render();
  const RasterImage plain = Marked();
  InCommandWindow([&] {
    Find<QCheckBox>("use3ddrawing_checkbox")->click();
    Find<QRadioButton>("dreid_strength1")->click();  // "Single"
    window.renderDebounce().Flush();
    EXPECT_NE(Marked(), plain) << "outlines in all eight directions";
    Find<QPushButton>("alldirectionsoff")->click();
    EXPECT_FALSE(Find<QCheckBox>("dreid5")->isChecked());
    window.renderDebounce().Flush();
    EXPECT_EQ(Marked(), plain);
  });
}

}  // namespace
}  // namespace quillstone
