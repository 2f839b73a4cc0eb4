// The stage editor driven like a user: typing into its boxes, pressing OK,
// closing it, and what reaches the store the game screens read.
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include "assets/pictures/picture_library.h"
#include "engine/editor_values.h"
#include "modes/editor_screen.h"

namespace glamora {
namespace {

const QString kRangeError = "範囲ﾁｪｯｸｴﾗｰ.";
QString notAnInteger(const QString& text) { return "'" + text + "' は整数ではありません."; }

EditorBox boxNamed(const char* name) { return *EditorBox::fromName(name); }

class EditorScreenTest : public testing::Test {
 protected:
  EditorScreenTest() {
    screen.setErrorBox([this](const QString& text) { errors << text; });
    screen.setTrainingBoxesEnabled(true);
    screen.show();
  }

  static const PictureLibrary& library() {
    static const PictureLibrary pictures;
    return pictures;
  }

  QComboBox* combo(const char* name) { return screen.findChild<QComboBox*>(name); }

  // Selects the box's whole text and types over it, as after tabbing into it:
  // the box has the keyboard focus, as it has for a user.
  void typeInto(const char* name, const QString& text) {
    screen.activateWindow();
    QApplication::setActiveWindow(&screen);
    QLineEdit* edit = combo(name)->lineEdit();
    edit->setFocus();
    EXPECT_TRUE(edit->hasFocus());
    edit->selectAll();
    if (text.isEmpty()) QTest::keyClick(edit, Qt::Key_Backspace);
    else QTest::keyClicks(edit, text);
  }

  void pressOk() { QTest::mouseClick(screen.findChild<QPushButton*>("return1"), Qt::LeftButton); }

  // Presses OK and gives the message it showed, or "" when the form closed.
  QString okMessage() {
    errors.clear();
    pressOk();
    if (errors.isEmpty()) {
      EXPECT_FALSE(screen.isVisible());
      screen.show();
      return {};
    }
    EXPECT_EQ(errors.size(), 1);
    EXPECT_TRUE(screen.isVisible());
    return errors.last();
  }

  EditorValues values;
  EditorScreen screen{values, library()};
  QStringList errors;
};

TEST_F(EditorScreenTest, GridRunsFromSlotOneAtTheBottomOfColumnOne) {
  EXPECT_EQ(screen.windowTitle(), "Glamora Ver1.0 - オリジナルステージの設定");
  EXPECT_EQ(screen.size(), QSize(458, 427));
  EXPECT_EQ(combo("pa11")->geometry(), QRect(40, 200, 33, 20));
  EXPECT_EQ(combo("pa18")->geometry(), QRect(40, 32, 33, 20));
  EXPECT_EQ(combo("pa61")->geometry(), QRect(240, 200, 33, 20));
  EXPECT_EQ(combo("pa68")->geometry(), QRect(240, 32, 33, 20));
  EXPECT_EQ(combo("psc")->geometry(), QRect(112, 296, 57, 20));
  EXPECT_EQ(combo("ptm")->geometry(), QRect(120, 368, 41, 20));
  EXPECT_EQ(screen.findChild<QPushButton*>("return1")->geometry(), QRect(312, 384, 75, 25));
  EXPECT_EQ(combo("pa34")->count(), 9);
  EXPECT_EQ(combo("psc")->itemText(13), "5400");
  EXPECT_EQ(combo("ptm")->itemText(13), "30");
}

TEST_F(EditorScreenTest, TabRunsThroughTheGridColumnByColumnThenOkThenNormAndTime) {
  QStringList expected;
  for (int c = 1; c <= 6; ++c) {
    for (int s = 1; s <= 8; ++s) expected << QString("pa%1%2").arg(c).arg(s);
  }
  expected << "return1"
           << "psc"
           << "ptm";

  // The focus chain holds the combos' own line edits too; name each stop by
  // the component that owns it.
  QStringList order;
  QWidget* w = &screen;
  while ((w = w->nextInFocusChain()) != &screen) {
    if (!(w->focusPolicy() & Qt::TabFocus)) continue;
    const QString name =
        qobject_cast<QComboBox*>(w->parentWidget()) ? w->parentWidget()->objectName() : w->objectName();
    if (order.isEmpty() || order.last() != name) order << name;
  }
  EXPECT_EQ(order, expected);
}

TEST_F(EditorScreenTest, LegendShowsEachItemBesideItsCode) {
  // "=k" labels sit 40 pixels right of the picture of item k.
  for (int k = 1; k <= 9; ++k) {
    SCOPED_TRACE(k);
    QLabel* code = nullptr;
    for (QLabel* label : screen.findChildren<QLabel*>()) {
      if (label->text() == QString("=%1").arg(k)) code = label;
    }
    ASSERT_NE(code, nullptr);
    QLabel* image = nullptr;
    for (QLabel* label : screen.findChildren<QLabel*>()) {
      if (label->objectName().startsWith("Image") && label->pos() == code->pos() - QPoint(40, 0)) image = label;
    }
    ASSERT_NE(image, nullptr);
    const auto still = itemPicture(Code{k});
    EXPECT_EQ(image->pixmap().toImage(), library().pixmap(still, screen.devicePixelRatioF()).toImage());
  }
}

TEST_F(EditorScreenTest, EveryCaptionFitsItsLabelAndEveryListItemItsBox) {
  for (QLabel* label : screen.findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;  // the legend pictures
    EXPECT_LE(QFontMetrics(label->font()).horizontalAdvance(label->text()), label->width())
        << label->objectName().toStdString();
  }
  // The widest text a box takes, typed up to its limit, shows whole beside
  // the button (a line edit keeps 2 pixels clear at each side).
  for (QComboBox* box : screen.findChildren<QComboBox*>()) {
    const QString widest(box->lineEdit()->maxLength(), QChar('8'));
    EXPECT_LE(QFontMetrics(box->lineEdit()->font()).horizontalAdvance(widest), box->lineEdit()->width() - 4)
        << box->objectName().toStdString();
  }
  // A picture of the form for looking at by eye.
  if (const QString dir = qEnvironmentVariable("GLAMORA_SCREENSHOT_DIR"); !dir.isEmpty()) {
    EXPECT_TRUE(screen.grab().save(QDir(dir).filePath("editor_screen.png")));
  }
}

TEST_F(EditorScreenTest, FailedCheckShowsTheBadTextOrTheRangeError) {
  EXPECT_EQ(okMessage(), "");  // the texts at creation pass

  const std::pair<QString, QString> cases[] = {
      {"x", notAnInteger("x")}, {"0", kRangeError}, {"", notAnInteger("")}, {"-", notAnInteger("-")}};
  for (const auto& [typed, message] : cases) {
    SCOPED_TRACE(typed.toStdString());
    typeInto("pa11", typed);
    EXPECT_EQ(okMessage(), message);
    EXPECT_EQ(combo("pa11")->currentText(), typed);  // the check changes no box
  }
}

TEST_F(EditorScreenTest, OnlyTheFirstFailingBoxInCheckOrderIsReported) {
  struct Case {
    std::vector<std::pair<const char*, QString>> typed;
    QString message;
  };
  const Case cases[] = {
      {{{"pa21", "0"}, {"pa18", "a"}}, notAnInteger("a")},  // column 1 goes first, all its slots
      {{{"pa12", "0"}, {"pa11", "b"}}, notAnInteger("b")},
      {{{"psc", "0"}, {"pa68", "c"}}, notAnInteger("c")},  // the grid before the NORM
      {{{"ptm", "x"}, {"psc", "0"}}, kRangeError},         // the NORM before the time
      {{{"ptm", "0"}}, kRangeError},
  };
  for (const Case& c : cases) {
    values = EditorValues();
    values.trainingBoxesEnabled = true;
    screen.hide();
    screen.show();
    for (const auto& [name, text] : c.typed) typeInto(name, text);
    EXPECT_EQ(okMessage(), c.message) << c.typed.front().first;
  }
}

TEST_F(EditorScreenTest, NormAndTimeTakeAnyIntegerInTheirRangeTypedByHand) {
  const std::pair<QString, QString> norms[] = {{" 150", ""},
                                               {"$1F", ""},
                                               {"99999", ""},
                                               {"1", ""},
                                               {"+7", ""},
                                               {"0", kRangeError},
                                               {"-5", kRangeError},
                                               {"$", notAnInteger("$")},
                                               {"1 5", notAnInteger("1 5")}};
  for (const auto& [typed, message] : norms) {
    SCOPED_TRACE(typed.toStdString());
    typeInto("psc", typed);
    EXPECT_EQ(values.text(boxNamed("psc")), typed.toStdString());
    EXPECT_EQ(okMessage(), message);
  }
  typeInto("psc", "1500");

  const std::pair<QString, QString> times[] = {{"99", ""}, {"1", ""}, {"$A", ""}, {"0", kRangeError}};
  for (const auto& [typed, message] : times) {
    SCOPED_TRACE(typed.toStdString());
    typeInto("ptm", typed);
    EXPECT_EQ(okMessage(), message);
  }
}

TEST_F(EditorScreenTest, TypingStopsAtTheBoxLimitAndReachesTheStoreAtOnce) {
  typeInto("pa36", "57");
  typeInto("psc", "123456");
  typeInto("ptm", "123");
  EXPECT_EQ(combo("pa36")->currentText(), "5");
  EXPECT_EQ(combo("psc")->currentText(), "12345");
  EXPECT_EQ(combo("ptm")->currentText(), "12");
  EXPECT_EQ(values.text(boxNamed("pa36")), "5");
  EXPECT_EQ(values.text(boxNamed("psc")), "12345");
  EXPECT_EQ(values.text(boxNamed("ptm")), "12");
  EXPECT_EQ(values.text(boxNamed("pa35")), "1");

  // Choosing from the list is an edit too.
  combo("pa67")->setCurrentIndex(8);
  combo("ptm")->setCurrentIndex(13);
  EXPECT_EQ(values.text(boxNamed("pa67")), "9");
  EXPECT_EQ(values.text(boxNamed("ptm")), "30");
}

TEST_F(EditorScreenTest, TypedTextIsNeverCompletedToAListValue) {
  // Each text is the start of a list value ("1500", "3000", "95"): it must
  // stay as typed, also once the focus has moved on.
  const std::pair<const char*, QString> typed[] = {{"psc", "150"}, {"psc", "3"}, {"ptm", "9"}, {"ptm", "7"}};
  for (const auto& [name, text] : typed) {
    SCOPED_TRACE(text.toStdString());
    typeInto(name, text);
    EXPECT_EQ(combo(name)->currentText().toStdString(), text.toStdString());
    QTest::keyClick(combo(name)->lineEdit(), Qt::Key_Tab);
    EXPECT_FALSE(combo(name)->lineEdit()->hasFocus());
    EXPECT_EQ(combo(name)->currentText().toStdString(), text.toStdString());
    EXPECT_EQ(values.text(boxNamed(name)), text.toStdString());
  }
}

TEST_F(EditorScreenTest, ChoosingFromTheOpenedListSetsTheListValue) {
  typeInto("psc", "150");
  QComboBox* box = combo("psc");
  box->showPopup();
  QAbstractItemView* list = box->view();
  ASSERT_TRUE(list->isVisible());
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(2, 0)).center());
  EXPECT_FALSE(list->isVisible());
  EXPECT_EQ(box->currentText(), "2100");
  EXPECT_EQ(values.text(boxNamed("psc")), "2100");
}

TEST_F(EditorScreenTest, OpeningShowsTheTextsAsTheStoreHoldsThem) {
  screen.hide();
  values.setText(boxNamed("pa23"), "7");
  values.setText(boxNamed("psc"), "3000");
  values.setText(boxNamed("ptm"), "");
  screen.show();
  EXPECT_EQ(combo("pa23")->currentText(), "7");
  EXPECT_EQ(combo("psc")->currentText(), "3000");
  EXPECT_EQ(combo("ptm")->currentText(), "");
  EXPECT_EQ(combo("pa24")->currentText(), "1");
}

TEST_F(EditorScreenTest, EveryWayOfClosingIsRefusedWhileABoxFails) {
  typeInto("pa42", "z");
  const std::pair<const char*, std::function<void()>> closes[] = {
      {"OK", [&] { pressOk(); }},
      {"close box", [&] { EXPECT_FALSE(screen.close()); }},
      {"Escape", [&] { QTest::keyClick(&screen, Qt::Key_Escape); }},
      {"reject", [&] { screen.reject(); }},
      {"accept", [&] { screen.accept(); }},
  };
  for (const auto& [way, close] : closes) {
    SCOPED_TRACE(way);
    errors.clear();
    close();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(errors, QStringList{notAnInteger("z")});  // shown once, never twice
  }

  typeInto("pa42", "4");
  errors.clear();
  QPointer<EditorScreen> alive(&screen);
  EXPECT_TRUE(screen.close());
  EXPECT_FALSE(screen.isVisible());
  EXPECT_TRUE(errors.isEmpty());
  ASSERT_TRUE(alive);  // only hidden
  screen.show();
  EXPECT_EQ(combo("pa42")->currentText(), "4");
}

TEST_F(EditorScreenTest, ModalEditorReturnsOnlyOnceTheBoxesPass) {
  screen.hide();
  QTimer::singleShot(0, &screen, [&] {
    typeInto("pa15", "9");
    typeInto("pa16", "#");
    pressOk();
    EXPECT_TRUE(screen.isVisible());
    EXPECT_EQ(errors, QStringList{notAnInteger("#")});
    typeInto("pa16", "6");
    pressOk();
    if (screen.isVisible()) {
      ADD_FAILURE() << "OK did not close the form";
      screen.hide();  // ends exec() all the same
    }
  });
  EXPECT_EQ(screen.exec(), QDialog::Accepted);
  EXPECT_EQ(errors.size(), 1);
  EXPECT_EQ(values.text(boxNamed("pa15")), "9");
  EXPECT_EQ(values.text(boxNamed("pa16")), "6");
}

TEST_F(EditorScreenTest, TrainingBoxesWhenDisabledKeepTheirTextsAndAreStillChecked) {
  typeInto("psc", "2400");
  typeInto("ptm", "45");
  screen.setTrainingBoxesEnabled(false);
  EXPECT_FALSE(values.trainingBoxesEnabled);
  EXPECT_FALSE(combo("psc")->isEnabled());
  EXPECT_FALSE(combo("ptm")->isEnabled());
  EXPECT_TRUE(combo("pa11")->isEnabled());
  EXPECT_EQ(combo("psc")->currentText(), "2400");
  EXPECT_EQ(values.text(boxNamed("ptm")), "45");

  screen.hide();
  values.setText(boxNamed("ptm"), "0");
  screen.show();
  EXPECT_FALSE(combo("ptm")->isEnabled());
  EXPECT_EQ(okMessage(), kRangeError);

  screen.setTrainingBoxesEnabled(true);
  EXPECT_TRUE(values.trainingBoxesEnabled);
  EXPECT_TRUE(combo("ptm")->isEnabled());
}

}  // namespace
}  // namespace glamora
