// The replay window's controls: at the round's end the last frame stays with
// every control live, the bar and the keys seek and the screen shows the
// state sought, and Escape closes the replay alone, the list coming back.
#include <QApplication>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "assets/pictures/picture_library.h"
#include "engine/replay.h"
#include "modes/replay_list.h"
#include "modes/replay_window.h"

namespace glamora {
namespace {

// Two computers play a round to its end within a few minutes.
const char* const kScript = "cpu 1 hard 3\ncpu 2 normal 4\nstage 2\nwait 600000\n";

ReplayWindow* shownReplay() {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w->objectName() == "ReplayForm" && w->isVisible()) return dynamic_cast<ReplayWindow*>(w);
  }
  return nullptr;
}

TEST(ReplayControls, TheEndStaysOnItsLastFrameAndEveryControlStaysLive) {
  PictureLibrary pictures;
  const std::vector<std::string> lines = splitLines(kScript);
  const RoundRecord round = readScript(lines).rounds.at(0);
  ASSERT_NE(round.result, kUnfinished);
  ReplayWindow window(lines, round, pictures);
  while (window.searchStep()) {
  }
  ASSERT_TRUE(window.isVisible());
  const auto button = [&](const char* name) { return window.findChild<QPushButton*>(name); };
  auto* bar = window.findChild<QSlider*>("position");
  QTest::keyClick(&window, Qt::Key_4);
  while (!window.ended()) window.step();
  const std::int64_t length = round.end - round.start;
  const ScreenViewModel last = window.screen().shown();
  for (int i = 0; i < 5; ++i) window.step();
  EXPECT_EQ(window.position(), length);
  EXPECT_TRUE(window.screen().shown() == last);
  EXPECT_TRUE(window.statusText().contains("終了：プレイヤー")) << window.statusText().toStdString();
  for (QWidget* control : {static_cast<QWidget*>(bar), static_cast<QWidget*>(button("restart")),
                           static_cast<QWidget*>(button("pause")), static_cast<QWidget*>(button("speed1"))})
    EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
  EXPECT_EQ(bar->value(), bar->maximum());
  // Each button with its mnemonic; at the end the pause button offers play.
  const std::pair<const char*, const char*> captions[] = {
      {"restart", "最初から(&R)"}, {"pause", "再生(&P)"}, {"speed1", "1倍(&1)"}, {"speed4", "4倍(&4)"}};
  for (const auto& [name, caption] : captions) EXPECT_EQ(button(name)->text().toStdString(), caption);

  // Each control from the end: where it goes, and whether it plays on.
  const struct {
    const char* name;
    std::function<void()> act;
    std::int64_t position;
    bool playsOn;
  } cases[] = {
      {"the bar to its middle", [&] { bar->setValue(bar->maximum() / 2); }, bar->maximum() / 2 * 100, true},
      {"left arrow", [&] { QTest::keyClick(&window, Qt::Key_Left); }, length - ReplayWindow::kArrowSeekMs, true},
      {"最初から", [&] { button("restart")->click(); }, 0, true},
      {"Home", [&] { QTest::keyClick(&window, Qt::Key_Home); }, 0, true},
      {"再生 at the end", [&] { button("pause")->click(); }, 0, true},
      {"right arrow", [&] { QTest::keyClick(&window, Qt::Key_Right); }, length, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    window.seek(length);
    c.act();
    EXPECT_EQ(window.position(), c.position);
    EXPECT_FALSE(window.paused());
    // The screen shows the session sought, a new one after a seek back.
    EXPECT_TRUE(window.screen().shown() == window.session().battleView.model());
    EXPECT_EQ(window.screen().signCaption(Label::ScoreP1).toStdString(),
              window.session().battleView.model().labels[static_cast<int>(Label::ScoreP1)].caption);
    window.step();
    EXPECT_EQ(window.position(), c.playsOn ? c.position + 400 : length);
  }

  // Pause and resume, by the button and by Space; a speed by its button.
  window.restart();
  button("pause")->click();
  window.step();
  EXPECT_EQ(window.position(), 0);
  EXPECT_TRUE(window.statusText().contains("一時停止中"));
  QTest::keyClick(&window, Qt::Key_Space);
  button("speed2")->click();
  window.step();
  EXPECT_EQ(window.position(), 200);
  EXPECT_TRUE(button("speed2")->isChecked() && !button("speed4")->isChecked());
  window.close();
}

TEST(ReplayControls, EscapeClosesTheReplayAloneAndTheListComesBack) {
  QTemporaryDir dir;
  QFile file(dir.filePath("20261210-100000.session"));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("# Glamora 1.0 session 2026-12-10T10:00:00+09:00\nstage 1\nwait 3000\ntitle\n");
  file.close();
  PictureLibrary pictures;
  ReplayList list(keptRounds(dir.path().toStdString()), pictures);
  list.show();
  list.playSelected();
  list.playSelected();  // Enter both activates the row and presses 再生: one replay opens
  QPointer<ReplayWindow> replay;
  while (!(replay = shownReplay())) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  QApplication::processEvents();
  int replays = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) replays += w->objectName() == "ReplayForm";
  EXPECT_EQ(replays, 1);

  QTest::keyClick(replay, Qt::Key_Escape);
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(replay.isNull());
  EXPECT_TRUE(list.isVisible());
  EXPECT_EQ(list.result(), 0);
}

}  // namespace
}  // namespace glamora
