// What a person reads in the game's windows: Qt's own texts in Japanese once
// the game has loaded Qt's translation (a text box's context menu, a message
// box's buttons), and error boxes that show what cannot be seen as escapes.
#include "app/language.h"

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

// The words of a text box's context menu in the language in use.
QString contextMenuWords() {
  QLineEdit box;
  const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
  QStringList texts;
  for (const QAction* action : menu->actions()) {
    if (!action->isSeparator()) texts << action->text();
  }
  return texts.join(' ');
}

TEST(QtJapanese, ATextBoxContextMenuAndStandardButtonsFollowTheLanguage) {
  ASSERT_TRUE(useLanguage(Language::Japanese));
  const QString all = contextMenuWords();
  for (const char* english : {"Undo", "Redo", "Cut", "Copy", "Paste", "Delete", "Select All"})
    EXPECT_FALSE(all.contains(english)) << all.toStdString();
  EXPECT_TRUE(all.contains(QString::fromUtf8("元に戻す"))) << all.toStdString();
  EXPECT_TRUE(all.contains(QString::fromUtf8("貼り付け"))) << all.toStdString();

  ASSERT_TRUE(all.contains(QString::fromUtf8("元に戻す")))
      << "Qt's Japanese translation (qt6-translations-l10n) is not installed";
  QMessageBox question(QMessageBox::Question, "Glamora", "?", QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(question.button(QMessageBox::Yes)->text().remove('&').left(2), QString::fromUtf8("はい"));

  // English is Qt's own; later tests see Qt's texts as they were.
  ASSERT_TRUE(useLanguage(Language::English));
  EXPECT_TRUE(contextMenuWords().contains("Paste"));
  ASSERT_TRUE(useLanguage(Language::Japanese));
  EXPECT_TRUE(contextMenuWords().contains(QString::fromUtf8("貼り付け")));
  dropTranslations();
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
