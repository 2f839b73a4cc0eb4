// What a person reads in the game's windows: Qt's own texts in Japanese once
// the game has loaded Qt's translation (a text box's context menu, a message
// box's buttons), and error boxes that show what cannot be seen as escapes.
#include "app/qt_japanese.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

#include "screens/form_kit.h"

namespace glamora {
namespace {

TEST(QtJapanese, ATextBoxContextMenuAndStandardButtonsSpeakJapanese) {
  ASSERT_TRUE(installQtJapanese(*qApp)) << "Qt's Japanese translation (qt6-translations-l10n) is not installed";
  QLineEdit box;
  const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) texts << action->text();
  }
  ASSERT_GE(texts.size(), 6);
  const QString all = texts.join(' ');
  for (const char* english : {"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"})
    EXPECT_FALSE(all.contains(english)) << all.toStdString();
  EXPECT_TRUE(all.contains(QString::fromUtf8("元に戻す"))) << all.toStdString();
  EXPECT_TRUE(all.contains(QString::fromUtf8("貼り付け"))) << all.toStdString();

  QMessageBox question(QMessageBox::Question, "Glamora", "?", QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(question.button(QMessageBox::Yes)->text().remove('&').left(2), QString::fromUtf8("はい"));

  // Later tests see Qt's texts as they were.
  for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
}

// An editor box may hold anything pasted into it, and its error quotes it.
TEST(ErrorBox, CharactersThatCannotBeSeenAreShownAsEscapes) {
  showErrorBox(nullptr, QString::fromUtf8("'1\t\x01\u202E2' は整数ではありません."));
  QWidget* box = QApplication::activeModalWidget();
  ASSERT_TRUE(box);
  EXPECT_EQ(box->findChild<QLabel*>("qt_msgbox_label")->text(),
            QString::fromUtf8("'1\\t\\x01\\u202E2' は整数ではありません."));
  box->close();
}

}  // namespace
}  // namespace glamora
