// The six help and information screens: captions, sizes, key texts, the help
// menu, and how they open and close.
#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "screen_testing.h"
#include "screens/help_screens.h"
#include "screens/more_features_screen.h"

namespace glamora {
namespace {

using screen_test::library;
using screen_test::part;

struct ScreenFacts {
  HelpScreen which;
  const char* name;
  const char* caption;
  QSize client;
  Colour background;
  const char* okButton;
};

constexpr ScreenFacts kScreens[] = {
    {HelpScreen::OperationTable, "SousaForm", "Glamora Ver1.0 - 操作表", {418, 273}, kClBlack, "return1"},
    {HelpScreen::HowToPlay, "HelpForm", "Glamora Ver1.0 - 遊び方", {676, 451}, kClBlack, nullptr},
    {HelpScreen::VisualHelp, "VhelpForm", "Glamora Ver1.0 - ビジュアルヘルプ", {602, 425}, kClBlack, "return1"},
    {HelpScreen::Technique, "TekuForm", "Glamora Ver1.0 - テクニック", {690, 521}, kClBlack, "return1"},
    {HelpScreen::Characters, "ChForm", "Glamora Ver1.0 - キャラクター紹介", {506, 450}, kClBlack, "return1"},
    {HelpScreen::MoreFeatures, "MoreForm", "Glamora Ver1.0 - その他の機能", {676, 451}, kClBlack, nullptr},
    {HelpScreen::About, "AboutBox", "ﾊﾞｰｼﾞｮﾝ情報", {294, 214}, kClGreen, "OKButton"},
};

class HelpScreensTest : public ::testing::Test {
 protected:
  HelpScreens screens{library()};
};

TEST_F(HelpScreensTest, EachScreenHasItsCaptionSizeColourAndIcon) {
  for (const ScreenFacts& facts : kScreens) {
    SCOPED_TRACE(facts.name);
    ScreenDialog& screen = screens.screen(facts.which);
    EXPECT_EQ(screen.objectName(), facts.name);
    EXPECT_EQ(screen.windowTitle(), QString::fromUtf8(facts.caption));
    EXPECT_EQ(screen.size(), facts.client);
    EXPECT_EQ(screen.palette().color(QPalette::Window), windowsColour(facts.background));
    EXPECT_FALSE(screen.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(screen.windowFlags() & Qt::WindowMaximizeButtonHint);
    // The five help screens carry the program icon and a resizable border; the
    // version box has a dialog border and no icon of its own.
    const bool help = facts.which != HelpScreen::About;
    EXPECT_EQ(screen.testAttribute(Qt::WA_SetWindowIcon), help);
    EXPECT_EQ(screen.isSizeGripEnabled(), help);
    if (help) {
      EXPECT_LT(screen.minimumWidth(), facts.client.width());
      EXPECT_LT(screen.minimumHeight(), facts.client.height());
      EXPECT_GT(screen.maximumWidth(), facts.client.width());
      EXPECT_GT(screen.maximumHeight(), facts.client.height());
    } else {
      EXPECT_EQ(screen.minimumSize(), facts.client);
      EXPECT_EQ(screen.maximumSize(), facts.client);
    }
    if (facts.okButton) {
      auto* ok = part<QPushButton>(screen, facts.okButton);
      ASSERT_NE(ok, nullptr);
      EXPECT_EQ(ok->text(), "&OK");
      EXPECT_EQ(ok->toolTip(), "ゲームに戻ります");
    } else {
      EXPECT_EQ(screen.findChild<QPushButton*>(), nullptr);
    }
  }
}

TEST_F(HelpScreensTest, OperationTableSpellsTheKeysWithTheirSpacing) {
  const ScreenDialog& table = screens.screen(HelpScreen::OperationTable);
  struct Line {
    const char* name;
    QPoint at;
    int pixels;
    const char* text;
  };
  const Line lines[] = {
      {"Label1", {8, 8}, 24, "PLAYER1     PLAYER2"},
      {"Label2", {136, 40}, 12, "（二人で対戦モードのみ）"},
      {"Label3", {8, 64}, 27, "  'A','a'         '4'       \u2026 左へ移動 "},
      {"Label4", {7, 104}, 27, "  'D','d'         '6'       \u2026 右へ移動 "},
      {"Label5", {6, 144}, 27, "  'S','s'         '5'       \u2026 決定 "},
      {"Label7", {0, 192}, 12, "*KEYは「ポン、ポン」とたたくように入力して下さい（二人で対戦モードのみ）"},
      {"Label6", {0, 216}, 12, "*NUM LOCK をして下さい（二人で対戦モードのみ）"},
  };
  for (const Line& line : lines) {
    SCOPED_TRACE(line.name);
    QLabel* label = part(table, line.name);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromUtf8(line.text));
    EXPECT_EQ(label->pos(), line.at);
    EXPECT_EQ(label->font().pixelSize(), line.pixels);
    EXPECT_TRUE(label->font().bold());
    EXPECT_EQ(screen_test::textColour(label), windowsColour(kClWhite));
  }
  EXPECT_EQ(part<QPushButton>(table, "return1")->geometry(), QRect(168, 240, 75, 25));
}

TEST_F(HelpScreensTest, CharacterScreenShowsBothPortraitsAndTheTableHeadings) {
  const ScreenDialog& ch = screens.screen(HelpScreen::Characters);
  QLabel* left = part(ch, "Image1");
  QLabel* right = part(ch, "Image2");
  ASSERT_TRUE(left && right);
  EXPECT_EQ(left->geometry(), QRect(16, 8, 96, 96));
  EXPECT_EQ(right->geometry(), QRect(392, 8, 96, 96));
  EXPECT_TRUE(screen_test::showsPicture(left, PictureId::uface1a));
  EXPECT_TRUE(screen_test::showsPicture(right, PictureId::uface2a));

  const char* headings[] = {"氏名", "誕生日", "年齢", "血液型", "職業", "特技", "趣味", "好きな食べ物", "嫌いな食べ物"};
  for (int row = 0; row < 9; ++row) {
    QLabel* heading = part(ch, QString("heading%1").arg(row + 1));
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(heading->text(), QString::fromUtf8(headings[row]));
    EXPECT_EQ(heading->pos(), QPoint(208, 128 + 32 * row));
    EXPECT_EQ(screen_test::textColour(heading), windowsColour(kClLime));
    // Each character's value stands on the heading's row, in the character's colour.
    QLabel* a = part(ch, QString("valueA%1").arg(row + 1));
    QLabel* b = part(ch, QString("valueB%1").arg(row + 1));
    ASSERT_TRUE(a && b);
    EXPECT_EQ(a->pos(), QPoint(8, heading->y()));
    EXPECT_EQ(b->pos(), QPoint(368, heading->y()));
    EXPECT_EQ(screen_test::textColour(a), windowsColour(kClAqua));
    EXPECT_EQ(screen_test::textColour(b), windowsColour(kClFuchsia));
    EXPECT_FALSE(a->text().isEmpty() || b->text().isEmpty());
  }
  QLabel* caption = part(ch, "Label1");
  ASSERT_NE(caption, nullptr);
  EXPECT_EQ(caption->geometry(), QRect(184, 32, 128, 64));
  EXPECT_EQ(screen_test::textColour(caption), windowsColour(kClYellow));
}

TEST_F(HelpScreensTest, AboutBoxNamesTheGameAndFocusesItsDefaultButton) {
  ScreenDialog& about = screens.screen(HelpScreen::About);
  EXPECT_EQ(part(about, "ProductName")->text(), "Glamora");
  EXPECT_EQ(part(about, "Version")->text(), "Version 1.0");
  auto* panel = part<QWidget>(about, "Panel1");
  EXPECT_EQ(panel->geometry(), QRect(8, 8, 277, 158));
  EXPECT_EQ(panel->palette().color(QPalette::Window), windowsColour(kClLime));
  EXPECT_FALSE(part(about, "ProgramIcon")->pixmap().isNull());
  auto* ok = part<QPushButton>(about, "OKButton");
  EXPECT_EQ(ok->geometry(), QRect(118, 175, 64, 33));
  EXPECT_TRUE(ok->isDefault());
  about.show();
  EXPECT_EQ(about.focusWidget(), ok);
  ok->click();
  EXPECT_FALSE(about.isVisible());
  EXPECT_EQ(about.result(), QDialog::Accepted);
}

TEST_F(HelpScreensTest, OkCloseBoxAndEscapeHideTheScreenWithoutDestroyingIt) {
  for (const ScreenFacts& facts : kScreens) {
    SCOPED_TRACE(facts.name);
    QPointer<ScreenDialog> screen = &screens.screen(facts.which);
    if (facts.okButton) {
      screen->show();
      part<QPushButton>(*screen, facts.okButton)->click();
      EXPECT_FALSE(screen->isVisible());
    }
    screen->show();
    EXPECT_TRUE(screen->close());
    EXPECT_FALSE(screen->isVisible());
    screen->show();
    QTest::keyClick(screen->focusWidget() ? screen->focusWidget() : screen.data(), Qt::Key_Escape);
    EXPECT_FALSE(screen->isVisible());
    QApplication::processEvents();
    EXPECT_FALSE(screen.isNull());
  }
}

TEST_F(HelpScreensTest, MenuListsTheSevenItemsInOrderAndOpensEachModally) {
  QMenu menu;
  addHelpItems(&menu, screens);
  const QList<QAction*> actions = menu.actions();
  ASSERT_EQ(actions.size(), 8);
  const char* captions[] = {"操作表(&W)",     "遊び方(&P)",           "ビジュアルヘルプ(&V)",
                            "テクニック(&T)", "キャラクター紹介(&C)", "その他の機能(&O)"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(actions[i]->text(), QString::fromUtf8(captions[i]));
  EXPECT_TRUE(actions[6]->isSeparator());
  EXPECT_FALSE(actions[6]->isEnabled());
  EXPECT_EQ(actions[7]->text(), "バージョン情報(&A)");

  const QAction* items[] = {actions[0], actions[1], actions[2], actions[3], actions[4], actions[5], actions[7]};
  for (int i = 0; i < kHelpScreenCount; ++i) {
    const ScreenFacts& facts = kScreens[i];
    SCOPED_TRACE(facts.name);
    const_cast<QAction*>(items[i])->trigger();  // returns at once, the screen open
    QWidget* shown = QApplication::activeModalWidget();
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->objectName(), facts.name);
    EXPECT_EQ(shown->windowModality(), Qt::ApplicationModal);
    shown->close();
    EXPECT_FALSE(screens.screen(facts.which).isVisible());
  }
}

// Each thing a newcomer looks for beyond the rules has its section, and each
// section points at the menu item that does it.
TEST_F(HelpScreensTest, MoreFeaturesHasASectionForEachAndNamesTheirMenus) {
  auto& more = static_cast<MoreFeaturesScreen&>(screens.screen(HelpScreen::MoreFeatures));
  const std::pair<const char*, std::vector<const char*>> sections[] = {
      {"コンピュータと遊ぶ", {"プレイヤー1(1)", "やさしい"}},
      {"ネット対戦", {"ネット対戦(N)", "LAN", "アドレス", "部屋のコード", "あなた"}},
      {"リプレイ", {"リプレイを見る(P)"}},
      {"操作設定", {"操作設定(K)"}},
      {"表示の大きさ", {"表示の大きさ(Z)"}},
      {"音量", {"音量(V)"}},
      {"戦績と記録", {"オプション(O) → 戦績", "記録を消去"}},
  };
  QStringList headings;
  for (const auto& [heading, words] : sections) headings << QString::fromUtf8(heading);
  EXPECT_EQ(more.headings(), headings);
  const QString text = more.text();
  for (const auto& [heading, words] : sections) {
    const qsizetype at = text.indexOf(QString::fromUtf8(heading));
    ASSERT_GE(at, 0) << heading;
    for (const char* word : words) EXPECT_GT(text.indexOf(QString::fromUtf8(word), at), at) << heading << ": " << word;
  }
}

TEST_F(HelpScreensTest, OpeningRunsNoEventLoopOfItsOwn) {
  // A timer due at once would fire inside a nested event loop; with none it
  // waits for the program's own loop, and the clock it stands for is never stopped.
  int ticks = 0;
  QTimer::singleShot(0, [&] { ++ticks; });
  ScreenDialog& table = screens.screen(HelpScreen::OperationTable);
  screens.open(HelpScreen::OperationTable);
  EXPECT_EQ(ticks, 0);
  EXPECT_TRUE(table.isVisible());
  QApplication::processEvents();
  EXPECT_EQ(ticks, 1);
  part<QPushButton>(table, "return1")->click();
  EXPECT_FALSE(table.isVisible());
}

TEST_F(HelpScreensTest, TheOpeningWindowIsActiveAgainAfterTheScreenCloses) {
  QWidget game;
  game.show();
  game.activateWindow();
  QApplication::setActiveWindow(&game);
  ASSERT_EQ(QApplication::activeWindow(), &game);
  QTimer::singleShot(0, [&] { screens.screen(HelpScreen::Technique).close(); });
  screens.open(HelpScreen::Technique);
  QApplication::processEvents();  // activation arrives as a window-system event
  // Menu shortcuts of the game window work only while it is the active window.
  EXPECT_EQ(QApplication::activeWindow(), &game);
}

}  // namespace
}  // namespace glamora
