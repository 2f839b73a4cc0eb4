// The training screen's rules on the simulated clock.
#include "engine/training.h"

#include <gtest/gtest.h>

#include "engine/stages.h"
#include "test_support.h"

namespace glamora {
namespace {

using test::column;
using test::setColumn;
using Log = std::vector<std::string>;

struct TrainingTest : ::testing::Test {
  test::RecordingEffects effects;
  NullView view;
  EditorValues editor;
  SimClock clock;
  Training training{effects, view, editor};
  PlayerState& p = training.player().state;
  TrainingState& t = training.state;

  TrainingTest() { training.registerTasks(clock); }
  void start(int stage = 1) {
    EXPECT_TRUE(training.chooseStage(stage));
    effects.log.clear();
  }
};

TEST_F(TrainingTest, OnlyStageOneAndTheOriginalStageAreOpenAtFirst) {
  EXPECT_FALSE(training.chooseStage(2));
  EXPECT_FALSE(training.chooseStage(14));
  EXPECT_EQ(t.stageNo, 0);
  EXPECT_TRUE(effects.log.empty());
  start(1);
  EXPECT_EQ(t.norm, 1500);
  EXPECT_EQ(t.mirrorPeriod, 95);
  EXPECT_EQ(t.mirrorCountdown, 95);
  EXPECT_EQ(p.supply, stageTable(1));
}

TEST_F(TrainingTest, ReachingTheNormExactlyWinsEvenUnderPauseAndUnlocksTheNextStage) {
  start(1);
  p.points = 1500;
  t.flags.inputOpen = false;
  bool unlockedWhileOpen = true;
  effects.whileDialogOpen = [&](Dialog) { unlockedWhileOpen = t.enabled[1]; };
  clock.advance(100);
  EXPECT_FALSE(unlockedWhileOpen);  // stage 2 opens once the won dialog is closed
  EXPECT_EQ(effects.log, (Log{"MediaBgm rewind", "MediaBgm stop", "MediaP1sw play", "dialog SwForm"}));
  EXPECT_EQ(p.wins, 1);
  EXPECT_FALSE(t.won);
  EXPECT_FALSE(t.flags.roundActive);
  EXPECT_TRUE(t.enabled[1]);
  EXPECT_FALSE(t.enabled[2]);
  EXPECT_TRUE(training.chooseStage(2));
  EXPECT_EQ(t.norm, 1800);
}

TEST_F(TrainingTest, LosingAndTheLastStagesUnlockNothing) {
  t.enabled[13] = true;  // stage 14
  const auto before = t.enabled;
  start(14);
  p.points = 5400;
  clock.advance(100);
  start(15);
  p.points = 1500;
  clock.advance(100);
  EXPECT_EQ(p.wins, 2);
  start(1);
  clock.advance(10000);  // the "WHAT ?" countdown runs out
  EXPECT_EQ(t.losses, 1);
  EXPECT_EQ(t.enabled, before);
  EXPECT_EQ(effects.log, (Log{"MediaBgm rewind", "MediaBgm stop", "MediaP1sl play", "dialog SlForm"}));
}

// What the hint between rounds suggests, after each way a round can end.
TEST_F(TrainingTest, TheNextStageIsTheOneAfterAClearedStageElseTheSameAgain) {
  enum class End { Cleared, Lost, Abandoned };
  struct Case {
    int stage;
    End end;
    NextStage next;
  };
  const Case cases[] = {
      {1, End::Cleared, {2, true}},   {13, End::Cleared, {14, true}}, {14, End::Cleared, {15, true}},
      {15, End::Cleared, {15, true}}, {3, End::Lost, {3, false}},     {6, End::Abandoned, {6, false}},
  };
  EXPECT_EQ(training.nextStage(), (NextStage{1, false}));  // before any round
  t.enabled.fill(true);
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "stage " << c.stage << ", end " << static_cast<int>(c.end));
    start(2);  // a stage cleared before each case
    p.points = t.norm;
    clock.advance(100);
    ASSERT_EQ(training.nextStage(), (NextStage{3, true}));
    start(c.stage);
    if (c.end == End::Cleared) p.points = t.norm;
    clock.advance(c.end == End::Lost ? 10000 : 100);
    EXPECT_EQ(t.flags.roundActive, c.end == End::Abandoned);
    EXPECT_EQ(training.nextStage(), c.next);
    t.flags.roundActive = false;
  }
}

TEST_F(TrainingTest, MirrorsFallOnThe95thCountedTickAndTheCountdownFreezesUnderPause) {
  start(1);
  setColumn(p.board, 2, {1, 2, 3, 1, 2, 3, 1, 2});
  p.nextRow[2] = 9;
  clock.advance(5000);
  EXPECT_EQ(t.mirrorCountdown, 90);
  t.flags.inputOpen = false;
  p.whatRun = false;  // keep the player's own countdown out of the way
  clock.advance(3000);
  EXPECT_EQ(t.mirrorCountdown, 90);
  t.flags.inputOpen = true;
  clock.advance(89000);
  EXPECT_EQ(t.mirrorCountdown, 1);
  EXPECT_EQ(p.board(1, 9), Code::Empty);
  // The mirrors fall (Timer27) and copy (Timer29) in the tick that drops them (Timer8).
  clock.advance(1000);
  EXPECT_EQ(t.mirrorCountdown, 95);
  EXPECT_TRUE(t.flags.inputOpen);
  for (int c : {1, 3, 4, 5, 6}) EXPECT_EQ(column(p.board, c, 2), (test::Cells{7, 0})) << c;
  EXPECT_EQ(p.board(2, 9), Code::RougeRight);  // onto the full column: row 9, copying the rouge below
  EXPECT_EQ(p.nextRow[2], 10);
}

TEST_F(TrainingTest, MirrorIntoAFullColumnLosesOnceAndTheOtherColumnsStillGetTheirs) {
  start(1);
  for (int c : {2, 4}) {
    setColumn(p.board, c, {1, 2, 3, 1, 2, 3, 1, 2, 3});
    p.nextRow[c] = 10;
  }
  t.mirrorCountdown = 1;
  p.whatRun = false;
  clock.advance(1000);
  EXPECT_EQ(t.losses, 1);
  EXPECT_EQ(p.board(2, 10), Code::MirrorDown);
  EXPECT_EQ(p.board(4, 10), Code::MirrorDown);
  EXPECT_EQ(p.board(6, 9), Code::MirrorDown);
  EXPECT_EQ(std::count(effects.log.begin(), effects.log.end(), "dialog SlForm"), 1);
  EXPECT_EQ(t.mirrorCountdown, 95);
}

TEST_F(TrainingTest, ClearedRunReopensTheKeysAtOnceAndPlaysTheTrainingVoice) {
  start(1);
  setColumn(p.board, 3, {4, 4, 4, 4, 1});
  p.nextRow[3] = 6;
  training.player().scanColumns();
  EXPECT_EQ(p.points, 150);
  EXPECT_TRUE(t.flags.inputOpen);
  EXPECT_EQ(p.mirrorsDue, PerColumn{});
  EXPECT_EQ(effects.log, (Log{"MediaP1sw play"}));
}

TEST_F(TrainingTest, OriginalStageTakesNormAndPeriodFromTheEditor) {
  editor.type(*EditorBox::fromName("psc"), " 150");
  editor.type(*EditorBox::fromName("ptm"), "3");
  editor.type(*EditorBox::fromName("pa11"), "5");
  start(15);
  EXPECT_EQ(t.norm, 150);
  EXPECT_EQ(t.mirrorPeriod, 3);
  EXPECT_EQ(p.supply(1, 1), Code::CombDown);
  EXPECT_EQ(training.stageCaption(), "ORIGINAL");
  editor.type(*EditorBox::fromName("ptm"), "x");
  EXPECT_TRUE(training.chooseStage(15));
  EXPECT_EQ(effects.log, (Log{"error 'x' は整数ではありません."}));
  EXPECT_EQ(t.mirrorPeriod, 3);
}

TEST_F(TrainingTest, CharacterChoiceReopensTheTwoTrainingVoices) {
  training.dataFiles = filesInDirectory("/games/glamora");
  training.chooseCharacter(Character::Mirabe);
  training.chooseCharacter(Character::Mirabe);
  EXPECT_EQ(t.character, Character::Mirabe);
  EXPECT_EQ(effects.log,
            (Log{"MediaP1sw open /games/glamora/MIRABE2.wav", "MediaP1sl open /games/glamora/MIRABE3.wav",
                 "MediaP1sw open /games/glamora/MIRABE2.wav", "MediaP1sl open /games/glamora/MIRABE3.wav"}));
}

TEST_F(TrainingTest, PlayerTwoKeysDoNothing) {
  start(1);
  clock.advance(100);
  training.keyPress(U'5');
  training.keyPress(U'4');
  EXPECT_EQ(p.phase, Phase::What);
  EXPECT_EQ(p.arrowCol, 3);
  training.keyPress(U's');
  EXPECT_EQ(p.phase, Phase::Switching);
}

TEST_F(TrainingTest, BattleAndTrainingShareNoState) {
  test::BattleFixture battle;
  battle.start(3);
  start(1);
  battle.battle.setMusic(false);
  EXPECT_FALSE(training.sound.bgmOff);
  EXPECT_EQ(battle.a.supply, stageTable(3));
  EXPECT_EQ(p.supply, stageTable(1));
}

}  // namespace
}  // namespace glamora
