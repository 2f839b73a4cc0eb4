// A session played through the real screens is kept as a journal; running the
// journal headless gives the same result dialogs and the same final state.
// Also the journal files, the replay list and the replay window.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "../engine/test_support.h"
#include "app/glamora_app.h"
#include "assets/media/silent_output.h"
#include "engine/journal.h"
#include "engine/replay.h"
#include "modes/replay_list.h"
#include "modes/replay_window.h"
#include "recorded_game.h"
#include "sessions/session_files.h"

namespace glamora {
namespace {

using test::StringSink;

struct JournalReplayTest : test::RecordedGame {
  void type(QWidget* screen, const char* keys, int gapMs) {
    for (const char* k = keys; *k; ++k) {
      QTest::keyClicks(screen, QString(QChar(*k)));
      wait(gapMs);
    }
  }
  QWidget* modal() { return QApplication::activeModalWidget(); }
  void clickOk(QWidget* dialog) {
    auto* ok = dialog->findChild<QPushButton*>("return1");
    ASSERT_TRUE(ok);
    ok->click();
  }
};

TEST_F(JournalReplayTest, APlayedSessionReplaysToTheSameDialogsAndState) {
  // A battle: both play through the keys, a help screen opens and closes
  // mid-round, and the round ends on a countdown.
  app->openBattle();
  BattleScreen& battle = app->battle();
  battle.menus().stages[2]->trigger();
  type(&battle, "ds5sa6s5", 300);
  app->battle().menus().help->actions().at(0)->trigger();
  ASSERT_TRUE(modal());
  EXPECT_EQ(modal()->objectName(), "SousaForm");
  wait(2000);  // the round goes on under the help screen
  modal()->close();
  type(&battle, "s5as", 400);
  wait(30'000);
  ASSERT_EQ(results.size(), 1u);
  QWidget* result = modal();
  ASSERT_TRUE(result);
  wait(3000);  // the clock keeps running while the dialog shows
  clickOk(result);
  EXPECT_FALSE(result->isVisible());
  battle.menus().title->trigger();

  // Training: a round played a little, then left alone until it is lost.
  app->openTraining();
  TrainingScreen& training = app->training();
  training.menus().stages[0]->trigger();
  type(&training, "sdsasdds", 350);
  wait(120'000);
  ASSERT_EQ(results.size(), 2u);
  wait(2500);
  ASSERT_TRUE(modal());
  clickOk(modal());
  training.close();
  writer.finish(app->clock().now());

  EXPECT_EQ(test::replayToTheSameState(sink.text, app->session()), results);
  EXPECT_EQ(readSessionNotes(sink.text).rounds.size(), 2u);
}

TEST_F(JournalReplayTest, AReplayPlaysInItsOwnWindowAndLeavesTheLiveGameAlone) {
  app->openBattle();
  app->battle().menus().stages[0]->trigger();
  type(&app->battle(), "dsds", 400);
  wait(15'000);
  ASSERT_EQ(results.size(), 1u);
  clickOk(modal());
  const PlayerState liveA = app->session().battle.player(0).state;
  const int wins = liveA.wins + app->session().battle.player(1).state.wins;

  const RoundRecord round = readSessionNotes(sink.text).rounds.at(0);
  ReplayWindow window(splitLines(sink.text), round, app->pictures());
  while (window.searchStep()) {
  }
  EXPECT_TRUE(window.isVisible());
  Session& shown = window.session();
  EXPECT_EQ(shown.clock.now(), round.start);
  EXPECT_EQ(window.screen().signCaption(Label::Stage), "1");
  window.step();
  EXPECT_EQ(shown.clock.now(), round.start + 100);
  QTest::keyClick(&window, Qt::Key_4);
  window.step();
  EXPECT_EQ(shown.clock.now(), round.start + 500);
  QTest::keyClick(&window, Qt::Key_Space);
  window.step();
  EXPECT_EQ(shown.clock.now(), round.start + 500);
  EXPECT_TRUE(window.statusText().contains("一時停止中"));
  QTest::keyClick(&window, Qt::Key_Space);
  QTest::keyClick(&window, Qt::Key_D);  // not a game key here
  while (!window.ended()) window.step();
  EXPECT_EQ(shown.clock.now(), round.end);
  EXPECT_EQ(shown.battle.player(0).state, liveA);
  EXPECT_TRUE(window.statusText().contains("終了")) << window.statusText().toStdString();

  // The live game and its counters are as they were.
  EXPECT_EQ(app->session().battle.player(0).state, liveA);
  EXPECT_EQ(app->session().battle.player(0).state.wins + app->session().battle.player(1).state.wins, wins);
  EXPECT_EQ(app->session().battle.state.stageNo, 1);
}

TEST(SessionFilesTest, NewestHundredAreKeptAndNewestComesFirst) {
  QTemporaryDir dir;
  const std::filesystem::path root = dir.path().toStdString();
  const auto dayAgo = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
  for (int n = 0; n < 105; ++n) {
    std::string error;
    auto file = JournalFile::create(root, "20261201-" + std::to_string(100000 + n), error);
    ASSERT_TRUE(file) << error;
    ASSERT_TRUE(file->write("# Glamora 1.0 session x\n"));
    std::filesystem::last_write_time(file->path(), dayAgo + std::chrono::seconds(n));
  }
  std::string error;
  auto newest = JournalFile::create(root, "20261231-235959", error);
  ASSERT_TRUE(newest);
  auto sameSecond = JournalFile::create(root, "20261231-235959", error);
  ASSERT_TRUE(sameSecond);
  const auto kept = keptSessions(root);
  EXPECT_EQ(kept.size(), static_cast<std::size_t>(kKeptSessions));
  EXPECT_EQ(kept.front().filename(), "20261231-235959_2.session");
  EXPECT_EQ(kept[1].filename(), "20261231-235959.session");
  EXPECT_FALSE(std::filesystem::exists(root / "20261201-100000.session"));
}

TEST(SessionFilesTest, AnUnwritableDirectoryIsReportedNotThrown) {
  QTemporaryDir dir;
  QFile blocker(dir.filePath("file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  std::string error;
  EXPECT_EQ(JournalFile::create(dir.filePath("file/sessions").toStdString(), "x", error), nullptr);
  EXPECT_NE(error.find("sessions"), std::string::npos) << error;
}

TEST(ReplayListTest, RoundsOfEveryKeptSessionNewestFirst) {
  QTemporaryDir dir;
  const auto now = std::filesystem::file_time_type::clock::now();
  const auto put = [&](const char* name, const char* text, int hoursAgo) {
    QFile f(dir.filePath(name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
    f.close();
    std::filesystem::last_write_time(dir.filePath(name).toStdString(), now - std::chrono::hours(hoursAgo));
  };
  // Named the other way round from their times: the times decide. The notes
  // are for people; the rounds come from the scripts.
  put("20261202-100000.session",
      "# Glamora 1.0 session 2026-12-01T10:00:00+09:00\n# round 1: battle stage 9, t 1..2, Mw1Form\n"
      "wait 5000\nstage 3\nwait 12000\n",
      48);
  put("20261201-100000.session",
      "# Glamora 1.0 session 2026-12-02T10:00:00+09:00\nscreen training\nwait 1000\nstage 1\nwait 1000\ntitle\n"
      "screen battle\nwait 59000\nstage 15\nwait 9000\nti",
      24);
  put("notes.txt", "stage 1\n", 1);
  put("broken.session", "stage 1\nwait 100\nstage 0\n", 1);
  ASSERT_EQ(::mkfifo(dir.filePath("fifo.session").toLocal8Bit().constData(), 0600), 0);
  put("huge.session", "", 1);
  std::filesystem::resize_file(dir.filePath("huge.session").toStdString(), kMaxSessionFileBytes + 1);
  const std::vector<KeptRound> rounds = keptRounds(dir.path().toStdString());
  ASSERT_EQ(rounds.size(), 3u);
  EXPECT_EQ(rounds[0].date, "2026-12-02 10:01:01");
  EXPECT_EQ(rounds[0].round.result, "unfinished");
  EXPECT_EQ(rounds[0].round.end, 70'000);
  EXPECT_EQ(rounds[1].round.mode, Mode::Training);
  EXPECT_EQ(rounds[1].round.result, "abandoned");
  EXPECT_EQ(rounds[2].date, "2026-12-01 10:00:05");
  EXPECT_EQ(rounds[2].round.stage, 3);

  PictureLibrary pictures;
  ReplayList list(rounds, pictures);
  QTreeWidgetItem* first = list.table()->topLevelItem(0);
  EXPECT_EQ(first->text(1), "二人で対戦");
  EXPECT_EQ(first->text(2), "ORIGINAL");
  EXPECT_EQ(first->text(3), "未完了");
  EXPECT_EQ(list.table()->topLevelItem(1)->text(3), "中断");
  EXPECT_EQ(list.table()->topLevelItem(2)->text(3), "プレイヤー2の勝ち");
}

TEST(ReplayListTest, ABadFileGetsAnErrorBoxNamingTheLineAndOpensNothing) {
  QTemporaryDir dir;
  QFile f(dir.filePath("bad.session"));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write("# round 1: battle stage 1, t 0..1, Mw1Form\nwait 10\nstage 0\n");
  f.close();
  PictureLibrary pictures;
  EXPECT_EQ(openReplayNow(f.fileName().toStdString(), 1, pictures, nullptr), nullptr);
  QWidget* box = QApplication::activeModalWidget();
  ASSERT_TRUE(box);
  const QString text = box->findChild<QLabel*>("qt_msgbox_label")->text();
  EXPECT_TRUE(text.contains("bad.session")) << text.toStdString();
  EXPECT_TRUE(text.contains("3 行目")) << text.toStdString();
  box->close();
}

}  // namespace
}  // namespace glamora
