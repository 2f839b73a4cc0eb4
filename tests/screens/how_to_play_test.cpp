// The how-to-play box: shows the loaded text as it stands, wraps and scrolls,
// and keeps the user's edits for the rest of the run.
#include <QAbstractTextDocumentLayout>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>

#include "screen_testing.h"
#include "screens/help_screens.h"
#include "screens/how_to_play_screen.h"

namespace glamora {
namespace {

using screen_test::library;
using screen_test::part;

class HowToPlayTest : public ::testing::Test {
 protected:
  HelpScreens screens{library()};
  HowToPlayScreen& screen = screens.howToPlay();
  QPlainTextEdit* memo = part<QPlainTextEdit>(screen, "Memo1");
};

TEST_F(HowToPlayTest, BoxIsBlackWithWhiteBoldTextAndAVerticalScrollBar) {
  ASSERT_NE(memo, nullptr);
  EXPECT_EQ(memo->geometry(), QRect(0, 0, 673, 449));
  EXPECT_EQ(memo->palette().color(QPalette::Base), windowsColour(kClBlack));
  EXPECT_EQ(memo->palette().color(QPalette::Text), windowsColour(kClWhite));
  EXPECT_EQ(memo->font().pixelSize(), 16);
  EXPECT_TRUE(memo->font().bold());
  EXPECT_EQ(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
}

TEST_F(HowToPlayTest, BoxFollowsTheWindowSize) {
  screen.show();
  for (const QSize size : {QSize(900, 700), QSize(300, 200), QSize(676, 451)}) {
    screen.resize(size);
    EXPECT_EQ(screen.size(), size);
    EXPECT_EQ(memo->geometry(), QRect(0, 0, size.width() - 3, size.height() - 2));
  }
  screen.close();
}

TEST_F(HowToPlayTest, IsEmptyUntilTheTextIsLoadedAndEachLoadReplacesTheContent) {
  EXPECT_TRUE(screen.text().isEmpty());
  screen.setText("一行目\n二行目");
  screen.setText("遊び方\r\n  字下げ\t付き\n\n");
  // Shown as given: no appending, no trimming of blanks or empty lines.
  EXPECT_EQ(screen.text(), "遊び方\n  字下げ\t付き\n\n");
  screen.setText("");
  EXPECT_TRUE(screen.text().isEmpty());
}

TEST_F(HowToPlayTest, LongLinesWrapAtTheBoxWidthAndManyLinesScroll) {
  const QString longLine = QString("ファンデーション").repeated(60) + QString("x").repeated(400);
  QStringList many;
  for (int i = 0; i < 200; ++i) many << QString("行 %1").arg(i);
  screen.setText(longLine + "\n" + many.join('\n'));
  screen.show();
  (void)screen.grab();  // lays the text out
  const QTextLayout* layout = memo->document()->firstBlock().layout();
  EXPECT_GT(layout->lineCount(), 5);
  for (int i = 0; i < layout->lineCount(); ++i)
    EXPECT_LE(layout->lineAt(i).naturalTextWidth(), memo->viewport()->width());
  EXPECT_GT(memo->verticalScrollBar()->maximum(), 0);
  screen.close();
}

TEST_F(HowToPlayTest, TypedEditsLastAfterClosingAndReopening) {
  screen.setText("遊び方");
  EXPECT_FALSE(memo->isReadOnly());
  screen.show();
  memo->moveCursor(QTextCursor::End);
  QTest::keyClicks(memo, "!?");
  QTest::keyClick(memo, Qt::Key_Return);
  QTest::keyClicks(memo, "memo");
  screen.close();
  EXPECT_FALSE(screen.isVisible());
  screen.show();
  EXPECT_EQ(screen.text(), "遊び方!?\nmemo");
  // Escape in the box closes the screen like its close box, edits kept.
  QTest::keyClick(memo, Qt::Key_Escape);
  EXPECT_FALSE(screen.isVisible());
  EXPECT_EQ(screen.text(), "遊び方!?\nmemo");
}

}  // namespace
}  // namespace glamora
