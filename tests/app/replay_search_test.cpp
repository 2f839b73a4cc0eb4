// Opening a kept round: the script runs to the round's start in bounded steps
// (the event loop runs between them), a long search can be stopped, notes
// that say anything show sane times, and files that are no scripts get a
// short error box at once.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <climits>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "assets/pictures/picture_library.h"
#include "engine/replay.h"
#include "modes/replay_window.h"

namespace glamora {
namespace {

// The text of the error box on view, which is closed; empty when none shows.
QString takeErrorBox() {
  QWidget* box = QApplication::activeModalWidget();
  if (!box || box->objectName() != "errorBox") return {};
  const QString text = box->findChild<QLabel*>("qt_msgbox_label")->text();
  box->close();
  return text;
}

std::string repeated(const std::string& text, int times) {
  std::string all;
  for (int i = 0; i < times; ++i) all += text;
  return all;
}

RoundRecord note(int number, Mode mode, std::int64_t start, std::int64_t end, int stage = 1) {
  return {number, mode, stage, start, end, "abandoned"};
}

struct ReplaySearchTest : ::testing::Test {
  PictureLibrary pictures;
};

TEST_F(ReplaySearchTest, TheSearchGoesInBoundedStepsAndShowsTheRoundWhenThere) {
  struct Case {
    const char* name;
    std::string script;
    RoundRecord round;
    std::size_t lines;
    std::int64_t ms;
    int mostSteps;
    const char* missing;  // the error box's words when the round is not there
  };
  const std::string round = "stage 2\nwait 3000\ntitle\n";
  const Case cases[] = {
      {"an idle hour", "wait 3600000\n" + round, note(1, Mode::Battle, 3'600'000, 3'603'000), 200, 60'000, 60, nullptr},
      {"four thousand lines", repeated("key s\nwait 10\n", 2000) + round, note(1, Mode::Battle, 20'000, 23'000), 200,
       60'000, 21, nullptr},
      {"a day's wait", "wait 86400000\n" + round, note(1, Mode::Battle, 86'400'000, 86'403'000), 200, 21'600'000, 4,
       nullptr},
      {"the round is not there", "wait 5000\n" + round, note(2, Mode::Battle, 5000, 8000), 200, 60'000, 2,
       "ラウンド 2がありません"},
      {"the note names the other screen", round, note(1, Mode::Training, 0, 3000), 200, 60'000, 1,
       "ラウンド 1がありません"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    ReplayWindow window(splitLines(c.script), c.round, pictures, nullptr, "kept.session");
    int steps = 0;
    for (;;) {
      const std::int64_t t = window.session().clock.now();
      const bool going = window.searchStep(c.lines, c.ms);
      ++steps;
      ASSERT_LE(window.session().clock.now() - t, c.ms);
      ASSERT_LE(steps, c.mostSteps);
      if (!going) break;
      EXPECT_FALSE(window.isVisible());
    }
    EXPECT_FALSE(window.searching());
    if (c.missing) {
      EXPECT_FALSE(window.isVisible());
      const QString box = takeErrorBox();
      EXPECT_TRUE(box.contains("kept.session") && box.contains(c.missing)) << box.toStdString();
      continue;
    }
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.session().clock.now(), c.round.start);
    EXPECT_TRUE(window.windowTitle().contains("ステージ2")) << window.windowTitle().toStdString();
    EXPECT_TRUE(window.statusText().contains("0.0 / 3.0 秒")) << window.statusText().toStdString();
    window.close();
  }
}

TEST_F(ReplaySearchTest, StopPutsAnEndToALongSearch) {
  ReplayWindow window(splitLines("wait 100000000\nstage 1\n"), note(1, Mode::Battle, 100'000'000, 0), pictures);
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(window.searchStep(200, 100'000));
  EXPECT_EQ(window.progressPermille(), 3);
  const std::int64_t stoppedAt = window.session().clock.now();
  window.progressWindow().show();
  window.progressWindow().findChild<QPushButton*>("cancel")->click();
  EXPECT_FALSE(window.searching());
  EXPECT_FALSE(window.progressWindow().isVisible());
  EXPECT_FALSE(window.searchStep());
  EXPECT_EQ(window.session().clock.now(), stoppedAt);
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(takeErrorBox(), "");
}

// Times in a note come from a file and may be anything: the window trusts
// them only where they agree with the replay, and shows the real length once
// the round has ended.
TEST_F(ReplaySearchTest, NotesAtTheLimitsOfTheirNumbersShowSaneTimes) {
  struct Case {
    RoundRecord round;
    const char* length;  // as shown at the start; null: the round is not found
  };
  const Case cases[] = {
      {note(1, Mode::Battle, INT64_MIN, INT64_MAX), "?"},
      {note(1, Mode::Battle, INT64_MAX, INT64_MIN), "?"},
      {note(1, Mode::Battle, 1000, INT64_MIN), "?"},
      {note(1, Mode::Battle, 1000, INT64_MAX, INT_MAX), "92233720368547"},
      {note(1, Mode::Battle, 1000, 4000, INT_MIN), "3.0"},
      {note(INT_MAX, Mode::Battle, 1000, 4000), nullptr},
      {note(INT_MIN, Mode::Battle, INT64_MIN, INT64_MIN), nullptr},
      {note(0, Mode::Battle, 0, 0), nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.round.number << " " << c.round.stage << " " << c.round.start << ".."
                                    << c.round.end);
    ReplayWindow window(splitLines("wait 1000\nstage 1\nwait 3000\ntitle\n"), c.round, pictures);
    while (window.searchStep()) {
    }
    if (!c.length) {
      EXPECT_FALSE(window.isVisible());
      EXPECT_TRUE(takeErrorBox().contains("がありません"));
      continue;
    }
    EXPECT_TRUE(window.windowTitle().endsWith("ステージ1)")) << window.windowTitle().toStdString();
    EXPECT_TRUE(window.statusText().startsWith(QString("リプレイ  0.0 / ") + c.length))
        << window.statusText().toStdString();
    while (!window.ended()) window.step();
    EXPECT_TRUE(window.statusText().startsWith("リプレイ  3.0 / 3.0 秒")) << window.statusText().toStdString();
    window.close();
  }
}

// The window is as large at the end of a round as at its start, on either
// screen, with every line of its status readable, and offers no menus: the
// screen's would act on the replay's own session.
TEST_F(ReplaySearchTest, TheWindowKeepsItsSizeToTheEndAndShowsNoMenus) {
  const struct {
    const char* script;
    Mode mode;
  } cases[] = {{"stage 1\nwait 12000\n", Mode::Battle}, {"screen training\nstage 1\nwait 12000\n", Mode::Training}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.script);
    ReplayWindow window(splitLines(c.script), note(1, c.mode, 0, 10'000), pictures);
    while (window.searchStep()) {
    }
    ASSERT_TRUE(window.isVisible());
    const QSize size = window.size();
    EXPECT_TRUE(window.screen().findChild<QMenuBar*>()->isHidden());
    QTest::keyClick(&window, Qt::Key_4);
    while (!window.ended()) window.step();
    QApplication::processEvents();
    EXPECT_EQ(window.size(), size);
    const QLabel* status = window.findChild<QLabel*>("status");
    EXPECT_TRUE(status->text().contains("終了")) << status->text().toStdString();
    EXPECT_TRUE(status->text().contains("10.0 / 10.0 秒")) << status->text().toStdString();
    for (const QString& line : status->text().split('\n'))
      EXPECT_LE(status->fontMetrics().horizontalAdvance(line) + 2 * status->margin(), status->width())
          << line.toStdString();
    window.close();
  }
}

TEST_F(ReplaySearchTest, WhatIsNoScriptGetsAShortErrorBoxAtOnce) {
  QTemporaryDir dir;
  const auto put = [&](const char* name, const std::string& text) {
    QFile f(dir.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
    return f.fileName();
  };
  const QString fifo = dir.filePath("fifo.session");
  ASSERT_EQ(::mkfifo(fifo.toLocal8Bit().constData(), 0600), 0);
  const QString bigFile = dir.filePath("big.session");
  {
    QFile big(bigFile);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(qint64{65} << 20));
  }
  const struct {
    QString path;
    std::vector<const char*> words;
  } cases[] = {
      {dir.filePath("none.session"), {"開けません", "none.session"}},
      {fifo, {"開けません", "fifo.session"}},
      {"/dev/zero", {"開けません", "/dev/zero"}},
      {bigFile, {"開けません", "big.session"}},
      {dir.path(), {"開けません"}},
      {put("long.session", "stage 1\nkey " + std::string(1 << 20, 'x') + "\n"),
       {"long.session", "2 行目: key xxx", "…"}},
      // Bytes that are no printable text are escaped, in the line and in the file's name.
      {put("garbage.session", std::string("\x01\xFF\xFE\0bin\x1B[31m\xE3\x81\n", 15)),
       {"garbage.session", "1 行目", "\\x01\\xFF\\xFE\\x00bin\\x1B[31m\\xE3\\x81"}},
      {put("ctl\x01name\xE2\x80\xAE.session", "stage 1\njump\n"), {"ctl\\x01name\\u202E.session", "2 行目: jump"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    EXPECT_EQ(openReplayNow(c.path.toStdString(), 1, pictures, nullptr), nullptr);
    const QString text = takeErrorBox();
    for (const char* word : c.words) EXPECT_TRUE(text.contains(QString::fromUtf8(word))) << text.toStdString();
    EXPECT_LT(text.size(), 400);
    // Said in Japanese, with no control character left in it.
    for (const char* english : {"line ", "unknown", "No such", "regular file", "larger than", "Is a directory"})
      EXPECT_FALSE(text.contains(english)) << text.toStdString();
    for (const QChar ch : text) EXPECT_NE(ch.category(), QChar::Other_Control) << text.toStdString();
  }
  // A name that is no UTF-8 opens all the same, quoted with its bytes escaped.
  const std::string odd = dir.path().toStdString() + "/odd\xFF.session";
  std::ofstream(odd) << "jump\n";
  EXPECT_EQ(openReplayNow(odd, 1, pictures, nullptr), nullptr);
  const QString text = takeErrorBox();
  EXPECT_TRUE(text.contains("odd\\xFF.session") && text.contains("1 行目: jump")) << text.toStdString();
}

}  // namespace
}  // namespace glamora
