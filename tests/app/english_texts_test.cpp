// The game in English: every screen, window and dialog, opened offscreen,
// shows no Japanese text, and each fixed-size text fits its place. Switching
// back shows the Japanese texts again, and a round in play goes on untouched.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "../engine/test_support.h"
#include "app/glamora_app.h"
#include "app/language.h"
#include "assets/media/silent_output.h"
#include "engine/journal.h"
#include "modes/battle_screen.h"
#include "modes/board_cover.h"
#include "netgame/host_window.h"
#include "netgame/join_window.h"
#include "netgame/lobby_setting_window.h"
#include "netgame/room_host_window.h"
#include "netgame/room_join_window.h"
#include "recorded_game.h"
#include "screens/help_screens.h"
#include "screens/result_dialogs.h"

namespace glamora {
namespace {

// Kana, kanji, CJK punctuation and the full- and half-width forms.
bool hasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x4E00 && u <= 0x9FFF) || (u >= 0xFF00 && u <= 0xFFEF)) return true;
  }
  return false;
}

// Texts that are Japanese in every language, and why.
const QStringList kAllowed = {
    "言語 / Language(&L)",  // the language menu names itself in both, so that either reader finds it
    "日本語(&J)",           // each language is named in its own words
};

// Every file the game reads, the English how-to-play text included.
void copyGameFiles(const QTemporaryDir& into) {
  for (const char* name : {"Glamora.mid", "ELNA1.wav", "ELNA2.wav", "ELNA3.wav", "MIRABE1.wav", "MIRABE2.wav",
                           "MIRABE3.wav", "Glamora.txt", "Glamora_en.txt"}) {
    EXPECT_TRUE(QFile::copy(QString(GLAMORA_DATA_DIR) + "/" + name, into.filePath(name)));
  }
}

struct Shown {
  QString where;
  QString text;
};

// Every text a player can see on the widgets alive now.
std::vector<Shown> shownTexts() {
  std::vector<Shown> texts;
  const auto add = [&](const QObject* from, const QString& text) {
    if (!text.isEmpty()) texts.push_back({from->objectName() + " (" + from->metaObject()->className() + ")", text});
  };
  for (QWidget* w : QApplication::allWidgets()) {
    if (w->isWindow()) add(w, w->windowTitle());
    add(w, w->toolTip());
    if (auto* label = qobject_cast<QLabel*>(w)) add(w, label->text());
    if (auto* button = qobject_cast<QAbstractButton*>(w)) add(w, button->text());
    if (auto* box = qobject_cast<QGroupBox*>(w)) add(w, box->title());
    if (auto* edit = qobject_cast<QLineEdit*>(w)) add(w, edit->placeholderText());
    if (auto* text = qobject_cast<QPlainTextEdit*>(w)) add(w, text->toPlainText());
    if (auto* text = qobject_cast<QTextBrowser*>(w)) add(w, text->toPlainText());
    if (auto* cover = qobject_cast<BoardCover*>(w)) add(w, cover->text());
    if (auto* tree = qobject_cast<QTreeWidget*>(w)) {
      for (int c = 0; c < tree->columnCount(); ++c) add(w, tree->headerItem()->text(c));
    }
    if (auto* menu = qobject_cast<QMenu*>(w)) {
      add(w, menu->title());
      for (const QAction* action : menu->actions()) {
        add(action, action->text());
        add(action, action->toolTip() == action->text().remove('&') ? QString() : action->toolTip());
      }
    }
  }
  return texts;
}

// A label laid out at a fixed place whose text is wider or taller than it.
QString overflow(const QLabel* label) {
  if (!label->isVisibleTo(label->window()) || label->text().isEmpty() || label->wordWrap() || !label->pixmap().isNull())
    return {};
  const QRect needed = label->fontMetrics().boundingRect(QRect(0, 0, 4000, 4000), int(label->alignment()),
                                                         QString(label->text()).remove('&'));
  const QRect room = label->contentsRect();
  // The layouts give a one-line label the font's pixel height, a little less
  // than its line spacing, in both languages: only the width is measured.
  if (needed.width() <= room.width() + 1) return {};
  return QString("%1 '%2' needs %3 pixels in %4")
      .arg(label->objectName(), label->text())
      .arg(needed.width())
      .arg(room.width());
}

// Where a label's text or picture is drawn, in its window's coordinates.
QRect drawnRect(const QLabel* label) {
  const QRect room = label->contentsRect();
  QSize size = label->pixmap().isNull() ? label->fontMetrics()
                                              .boundingRect(QRect(0, 0, 4000, 4000), int(label->alignment()),
                                                            QString(label->text()).remove('&'))
                                              .size()
                                        : label->pixmap().deviceIndependentSize().toSize();
  size.setHeight(std::min(size.height(), room.height()));  // see overflow()
  const QRect drawn = QStyle::alignedRect(label->layoutDirection(), label->alignment(), size, room);
  return QRect(label->mapTo(label->window(), drawn.topLeft()), drawn.size());
}

// Texts of a window laid out by hand that leave the window or run into
// another text or picture.
QStringList collisions(QWidget* window) {
  std::vector<std::pair<const QLabel*, QRect>> drawn;
  for (const QLabel* label : window->findChildren<QLabel*>()) {
    if (label->window() != window || !label->isVisibleTo(window) ||
        (label->text().isEmpty() && label->pixmap().isNull()))
      continue;
    drawn.push_back({label, drawnRect(label)});
  }
  QStringList problems;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const auto& [label, rect] = drawn[i];
    // A layout may start a text a pixel outside the window, in Japanese too.
    if (label->pixmap().isNull() && !window->rect().adjusted(-2, -2, 2, 2).contains(rect))
      problems << QString("'%1' leaves the window").arg(label->text());
    for (std::size_t j = i + 1; j < drawn.size(); ++j) {
      const auto& [other, otherRect] = drawn[j];
      const bool texts = label->pixmap().isNull() || other->pixmap().isNull();
      if (texts && rect.intersects(otherRect))
        problems << QString("'%1' runs into '%2'")
                        .arg(label->text(), other->text().isEmpty() ? other->objectName() : other->text());
    }
  }
  return problems;
}

struct EnglishTextsTest : ::testing::Test {
  QTemporaryDir assets;
  std::unique_ptr<GlamoraApp> app;
  media::MediaLibrary media{std::make_unique<media::SilentOutput>([this] { return app ? app->clock().now() : 0; })};
  QStringList errors;

  void SetUp() override {
    copyGameFiles(assets);
    app = std::make_unique<GlamoraApp>(media, filesInDirectory(assets.path().toStdString()));
    app->effects().errorBox = [this](const QString& text) { errors << text; };
    app->title().show();
    app->clock().advance(600);
  }
  void TearDown() override {
    app.reset();
    dropTranslations();
  }
  void choose(const char* item) {
    QAction* action = app->title().popupMenu()->findChild<QAction*>(item);
    ASSERT_TRUE(action);
    action->trigger();
  }
};

TEST_F(EnglishTextsTest, EveryWindowShowsEnglishThatFitsItsPlace) {
  choose("languageEn");
  ASSERT_EQ(currentLanguage(), Language::English);
  // Every screen, window and dialog the game has, built and shown once.
  app->battle().show();
  app->training().show();
  app->editor().show();
  for (int i = 0; i < kHelpScreenCount; ++i) app->help().open(static_cast<HelpScreen>(i));
  for (const Dialog d : {Dialog::PlayerOneWins, Dialog::PlayerTwoWins, Dialog::TrainingWon, Dialog::TrainingLost})
    app->results().dialog(d).show();
  app->controls().openWindow();
  for (const char* item : {"volume1", "records1", "erase1"}) app->battle().findChild<QAction*>(item)->trigger();
  netgame::HostWindow host(nullptr, "elna-pc", {"192.0.2.7"}, 47291);
  netgame::JoinWindow join(nullptr, 47291);
  netgame::RoomHostWindow roomHost(nullptr, "elna-pc", "lobby.example.org:47292");
  netgame::RoomJoinWindow roomJoin(nullptr, "lobby.example.org:47292");
  netgame::LobbySettingWindow lobby(nullptr, "", true);
  for (QWidget* w : std::initializer_list<QWidget*>{&host, &join, &roomHost, &roomJoin, &lobby}) w->show();
  QApplication::processEvents();

  int checked = 0;
  for (const Shown& shown : shownTexts()) {
    ++checked;
    if (kAllowed.contains(shown.text)) continue;
    EXPECT_FALSE(hasJapanese(shown.text)) << shown.where.toStdString() << ": " << shown.text.toStdString();
  }
  EXPECT_GT(checked, 300);
  for (QWidget* window : QApplication::allWidgets()) {
    if (window->isWindow() && window->isVisible() && !window->layout()) {
      for (const QString& problem : collisions(window))
        ADD_FAILURE() << window->objectName().toStdString() << ": " << problem.toStdString();
    }
  }
  for (QWidget* w : QApplication::allWidgets()) {
    if (auto* button = qobject_cast<QAbstractButton*>(w); button && button->isVisible() && !button->text().isEmpty()) {
      const int needed = button->fontMetrics().horizontalAdvance(QString(button->text()).remove('&')) +
                         (button->icon().isNull() ? 0 : button->iconSize().width() + 4) + 8;
      EXPECT_LE(needed, button->width()) << button->objectName().toStdString() << " '" << button->text().toStdString()
                                         << "'";
    }
    if (auto* label = qobject_cast<QLabel*>(w); label && !label->window()->layout()) {
      const QString problem = overflow(label);
      EXPECT_TRUE(problem.isEmpty()) << label->window()->objectName().toStdString() << ": " << problem.toStdString();
    }
  }
  EXPECT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
  // GLAMORA_SHOTS=DIR keeps a picture of each window, to be looked at.
  if (const QString shots = qEnvironmentVariable("GLAMORA_SHOTS"); !shots.isEmpty()) {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (w->isVisible() && !w->objectName().isEmpty()) w->grab().save(shots + "/" + w->objectName() + ".png");
    }
  }
}

TEST_F(EnglishTextsTest, SwitchingDuringARoundChangesTheTextsAtOnceAndNothingOfTheRound) {
  app->openBattle();
  BattleScreen& screen = app->battle();
  screen.findChild<QAction*>("stage1")->trigger();
  app->clock().advance(5000);
  ASSERT_EQ(app->session().currentRound().number, 1);
  const auto state = [&] { return std::pair(app->session().battleView.model(), app->clock().now()); };
  const auto before = state();
  const QString japaneseTitle = screen.windowTitle();

  screen.findChild<QAction*>("languageEn")->trigger();
  EXPECT_EQ(state(), before);
  EXPECT_NE(screen.windowTitle(), japaneseTitle);
  EXPECT_FALSE(hasJapanese(screen.windowTitle()));
  EXPECT_FALSE(hasJapanese(screen.findChild<QMenu*>("game1")->title()));
  EXPECT_TRUE(app->title().popupMenu()->findChild<QAction*>("languageEn")->isChecked());

  screen.findChild<QAction*>("languageJa")->trigger();
  EXPECT_EQ(state(), before);
  EXPECT_EQ(screen.windowTitle(), japaneseTitle);
  EXPECT_EQ(screen.findChild<QMenu*>("game1")->title(), "ゲーム(&G)");
  app->clock().advance(3000);
  EXPECT_EQ(app->session().currentRound().number, 1);
}

// The journal of one battle played through the screens in `language`.
std::string journalPlayedIn(Language language) {
  QTemporaryDir assets;
  copyGameFiles(assets);
  std::unique_ptr<GlamoraApp> app;
  media::MediaLibrary media{std::make_unique<media::SilentOutput>([&app] { return app ? app->clock().now() : 0; })};
  app = std::make_unique<GlamoraApp>(media, filesInDirectory(assets.path().toStdString()));
  test::StringSink sink;
  JournalWriter writer{sink};
  writer.begin("1.0", "2026-12-10T16:00:00+09:00");
  app->session().setRecorder(&writer);
  app->title().show();
  app->clock().advance(600);
  app->title().popupMenu()->findChild<QAction*>(language == Language::English ? "languageEn" : "languageJa")->trigger();
  app->openBattle();
  BattleScreen& battle = app->battle();
  battle.menus().stages[1]->trigger();
  for (const char key : std::string("ds5sa6s5s5asd4")) {
    QTest::keyClicks(&battle, QString(QChar(key)));
    app->clock().advance(350);
  }
  app->clock().advance(30'000);
  battle.menus().title->trigger();
  app->session().setRecorder(nullptr);
  app.reset();
  dropTranslations();
  return sink.text;
}

TEST(EnglishJournal, AJournalPlayedInEnglishIsTheOnePlayedInJapanese) {
  const std::string english = journalPlayedIn(Language::English);
  EXPECT_NE(english.find("stage 2"), std::string::npos);
  EXPECT_EQ(english, journalPlayedIn(Language::Japanese));
}

}  // namespace
}  // namespace glamora
