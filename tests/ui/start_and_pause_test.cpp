// The battle screen's start, pause and forgiving keys: the hint before a
// round, the 3-2-1 count before the stage reaches the engine, the pause cover,
// auto-repeated selects and the keypad with Num Lock off.
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "../engine/test_support.h"
#include "assets/pictures/picture_library.h"
#include "modes/battle_screen.h"
#include "modes/clock_hold.h"

namespace glamora {
namespace {

struct Inputs final : InputRecorder {
  std::vector<std::string> lines;  // "t line"
  void input(std::int64_t t, std::string_view line) override {
    if (line.rfind("screen ", 0) != 0) lines.push_back(std::to_string(t) + " " + std::string(line));
  }
  void roundEnded(const RoundRecord&) override {}
};

// The clock holds a game screen asks for, as the clock driver would hear them.
struct HoldListener final : QObject {
  std::vector<bool> holds;
  HoldListener() { qApp->installEventFilter(this); }
  ~HoldListener() override { qApp->removeEventFilter(this); }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == ClockHoldEvent::eventType()) holds.push_back(static_cast<ClockHoldEvent*>(event)->held());
    return false;
  }
};

struct StartAndPauseTest : ::testing::Test {
  test::RecordingEffects effects;
  PictureLibrary pictures;
  Session session{effects};
  SimClock& clock = session.clock;
  Inputs inputs;
  HoldListener clockHolds;
  std::vector<bool> musicHolds;
  BattleScreen screen{session, pictures, ScreenLinks{{}, {}, {}, [this](bool held) { musicHolds.push_back(held); }}};
  PlayerState& a = screen.engine().player(0).state;

  StartAndPauseTest() {
    session.setRecorder(&inputs);
    screen.show();
  }
  BoardCover& cover(char side) { return *screen.findChild<BoardCover*>(QString("cover") + side); }
  QString stageLabel() { return screen.signCaption(Label::Stage); }
  void trigger(int stage) { screen.menus().stages[stage - 1]->trigger(); }
  void send(Qt::Key key, Qt::KeyboardModifiers modifiers, const QString& text, bool autoRepeat) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers, text, autoRepeat);
    QApplication::sendEvent(&screen, &event);
  }
  void startRound() {
    trigger(1);
    clock.advance(GameScreen::kCountMs + 100);
    inputs.lines.clear();
  }
};

TEST_F(StartAndPauseTest, AStageChosenWithNoRoundReachesTheEngineAfterACountOverTheBoards) {
  for (const auto& [side, keys] : {std::pair{'A', "A：←　S：決定　D：→"}, std::pair{'B', "4：←　5：決定　6：→"}}) {
    EXPECT_EQ(cover(side).look(), BoardCover::Look::Hint) << side;
    EXPECT_TRUE(cover(side).text().contains("ステージを選んでください"));
    EXPECT_TRUE(cover(side).text().contains(keys));
  }

  clock.advance(500);
  trigger(3);
  EXPECT_TRUE(screen.menus().stages[2]->isChecked());
  QTest::keyClick(&screen, Qt::Key_D);  // the players' keys wait for the round
  for (const auto& [ms, shown] : {std::pair{0, "3"}, {1000, "2"}, {1000, "1"}, {900, "1"}}) {
    clock.advance(ms);
    for (char side : {'A', 'B'}) EXPECT_EQ(cover(side).text(), QString("ステージ３\n") + shown) << clock.now();
  }
  EXPECT_EQ(stageLabel(), "?");
  EXPECT_TRUE(inputs.lines.empty());
  clock.advance(100);
  EXPECT_EQ(inputs.lines, (std::vector<std::string>{"3500 stage 3"}));
  EXPECT_EQ(stageLabel(), "3");
  EXPECT_EQ(a.arrowCol, 3);
  EXPECT_TRUE(screen.engine().state.flags.roundActive);
  EXPECT_FALSE(cover('A').isVisible());
  EXPECT_FALSE(cover('B').isVisible());

  // During a round a stage acts at once.
  clock.advance(1000);
  trigger(5);
  EXPECT_EQ(inputs.lines.back(), "4500 stage 5");
  EXPECT_EQ(stageLabel(), "5");
  EXPECT_FALSE(screen.counting());

  // The round is lost on time: the hint is back, and playing again counts in
  // the same stage.
  clock.advance(10'000);
  EXPECT_EQ(effects.log.back(), "dialog Mw2Form");
  clock.advance(100);
  EXPECT_EQ(cover('A').look(), BoardCover::Look::Hint);
  screen.playAgain();
  EXPECT_EQ(cover('B').text(), "ステージ５\n3");
  clock.advance(GameScreen::kCountMs);
  EXPECT_EQ(inputs.lines.back(), "17600 stage 5");
}

TEST_F(StartAndPauseTest, PauseCoversTheBoardsHoldsClockAndMusicAndIgnoresTheGamesKeys) {
  QTest::keyClick(&screen, Qt::Key_P);  // no round: nothing to pause
  EXPECT_FALSE(screen.paused());
  startRound();

  QTest::keyClick(&screen, Qt::Key_P);
  EXPECT_TRUE(screen.paused());
  for (char side : {'A', 'B'}) EXPECT_EQ(cover(side).text(), "一時停止中\nP キーかクリックで再開");
  EXPECT_EQ(clockHolds.holds, std::vector<bool>{true});
  EXPECT_EQ(musicHolds, std::vector<bool>{true});
  QTest::keyClick(&screen, Qt::Key_D);
  QTest::keyClick(&screen, Qt::Key_S);
  EXPECT_EQ(a.arrowCol, 3);
  EXPECT_EQ(a.phase, Phase::What);
  send(Qt::Key_P, Qt::NoModifier, "p", true);  // P held down does not flicker
  EXPECT_TRUE(screen.paused());
  QTest::keyClick(&screen, Qt::Key_P);
  EXPECT_FALSE(screen.paused());
  EXPECT_FALSE(cover('A').isVisible());
  EXPECT_EQ(clockHolds.holds, (std::vector<bool>{true, false}));
  EXPECT_EQ(musicHolds, (std::vector<bool>{true, false}));
  QTest::keyClick(&screen, Qt::Key_D);
  EXPECT_EQ(a.arrowCol, 4);

  // The Pause key, and a click on the cover.
  QTest::keyClick(&screen, Qt::Key_Pause);
  EXPECT_TRUE(screen.paused());
  QTest::mouseClick(&cover('B'), Qt::LeftButton);
  EXPECT_FALSE(screen.paused());

  // Another program taking the focus; a stage chosen then resumes and acts at once.
  emit qApp->applicationStateChanged(Qt::ApplicationInactive);
  EXPECT_TRUE(screen.paused());
  const std::int64_t t = clock.now();
  trigger(2);
  EXPECT_FALSE(screen.paused());
  EXPECT_EQ(inputs.lines.back(), std::to_string(t) + " stage 2");

  // Leaving resumes first; a hidden screen does not pause.
  QTest::keyClick(&screen, Qt::Key_P);
  screen.menus().title->trigger();
  EXPECT_FALSE(screen.paused());
  EXPECT_EQ(clockHolds.holds.back(), false);
  EXPECT_EQ(inputs.lines.back(), std::to_string(t) + " title");
  emit qApp->applicationStateChanged(Qt::ApplicationInactive);
  EXPECT_FALSE(screen.paused());
  EXPECT_EQ(clockHolds.holds.size(), musicHolds.size());
}

TEST_F(StartAndPauseTest, HeldSelectsAreDroppedAndTheKeypadWithoutNumLockPlaysForPlayerTwo) {
  struct Case {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
    bool autoRepeat;
    const char* recorded;  // the key the engine gets, "" for none
  };
  const Case cases[] = {
      {Qt::Key_S, Qt::NoModifier, "s", false, "s"},        {Qt::Key_S, Qt::NoModifier, "s", true, ""},
      {Qt::Key_S, Qt::ShiftModifier, "S", true, ""},       {Qt::Key_D, Qt::NoModifier, "d", true, "d"},
      {Qt::Key_5, Qt::KeypadModifier, "5", true, ""},      {Qt::Key_4, Qt::KeypadModifier, "4", true, "4"},
      {Qt::Key_Left, Qt::KeypadModifier, "", false, "4"},  {Qt::Key_Clear, Qt::KeypadModifier, "", false, "5"},
      {Qt::Key_Right, Qt::KeypadModifier, "", false, "6"}, {Qt::Key_Clear, Qt::KeypadModifier, "", true, ""},
      {Qt::Key_Right, Qt::KeypadModifier, "", true, "6"},  {Qt::Key_Left, Qt::NoModifier, "", false, ""},
  };
  for (const Case& c : cases) {
    inputs.lines.clear();
    send(c.key, c.modifiers, c.text, c.autoRepeat);
    const std::vector<std::string> expected =
        *c.recorded ? std::vector<std::string>{"0 key " + std::string(c.recorded)} : std::vector<std::string>{};
    EXPECT_EQ(inputs.lines, expected) << c.key << " " << c.text << (c.autoRepeat ? " repeated" : "");
  }

  // On X11 most repeats come unmarked, as a release and a press with one time stamp.
  const auto stamped = [&](QEvent::Type type, std::uint64_t ms) {
    QKeyEvent event(type, Qt::Key_S, Qt::NoModifier, "s");
    event.setTimestamp(ms);
    QApplication::sendEvent(&screen, &event);
  };
  inputs.lines.clear();
  stamped(QEvent::KeyRelease, 5000);
  stamped(QEvent::KeyPress, 5000);
  EXPECT_TRUE(inputs.lines.empty());
  stamped(QEvent::KeyRelease, 5040);
  stamped(QEvent::KeyPress, 5180);  // pressed again by the player
  EXPECT_EQ(inputs.lines, std::vector<std::string>{"0 key s"});

  // Holding S: one take, and no drop after the switch to "WHERE ?".
  startRound();
  send(Qt::Key_S, Qt::NoModifier, "s", false);
  for (int k = 0; k < 6; ++k) {
    clock.advance(100);
    send(Qt::Key_S, Qt::NoModifier, "s", true);
  }
  EXPECT_EQ(a.phase, Phase::Where);
  EXPECT_EQ(a.board(3, 1), Code::Empty);
  EXPECT_EQ(a.supplyPos[3], 2);
}

}  // namespace
}  // namespace glamora
