// Stage items, the media a round issues, the sound switches and leaving the screen.
#include <gtest/gtest.h>

#include "engine/stages.h"
#include "test_support.h"

namespace glamora {
namespace {

using test::BattleFixture;
using Log = std::vector<std::string>;

struct Round : ::testing::Test, BattleFixture {
  // Player 1 clears a run of four foundations in column 1 on the next tick.
  void scoreForPlayerOne() {
    test::setColumn(a.board, 1, {1, 1, 1, 1});
    clock.advance(100);
  }
};

TEST_F(Round, BeforeTheFirstStageNothingMoves) {
  clock.advance(20000);
  EXPECT_FALSE(battle.state.flags.roundActive);
  EXPECT_TRUE(battle.state.pauseShown);
  EXPECT_EQ(battle.stageCaption(), "?");
  EXPECT_EQ(a.whatTime, 0);
  EXPECT_TRUE(effects.log.empty());
}

TEST_F(Round, StageStartsTheMusicAndResetsTheRoundButNotTheWins) {
  a.wins = 4;
  battle.chooseStage(7);
  EXPECT_EQ(effects.log, (Log{"MediaBgm rewind", "MediaBgm play"}));
  EXPECT_EQ(battle.stageCaption(), "7");
  EXPECT_EQ(battle.state.checkedStage, 7);
  EXPECT_EQ(a.stageSupply, stageTable(7));
  EXPECT_EQ(b.supply, stageTable(7));
  EXPECT_EQ(a.wins, 4);
  EXPECT_EQ(a.phase, Phase::What);
  EXPECT_FALSE(battle.state.pauseShown);
  EXPECT_TRUE(battle.state.flags.inputOpen);
}

TEST_F(Round, MusicSwitchActsOnlyDuringAGame) {
  battle.setMusic(false);
  battle.setMusic(true);
  EXPECT_TRUE(effects.log.empty());
  battle.setMusic(false);
  start();  // music off: the stage starts nothing
  EXPECT_TRUE(effects.log.empty());
  battle.setMusic(true);
  battle.setMusic(true);  // already on: nothing more
  battle.setMusic(false);
  EXPECT_EQ(effects.log, (Log{"MediaBgm rewind", "MediaBgm play", "MediaBgm rewind", "MediaBgm stop"}));
}

TEST_F(Round, VoicesOffSilenceScoringAndWinningButTheMusicStillStops) {
  battle.setVoices(false);
  start();
  scoreForPlayerOne();
  EXPECT_EQ(a.points, 100);
  b.nextRow[3] = 10;
  b.phase = Phase::Where;
  keys("5");
  EXPECT_EQ(effects.log, (Log{"MediaBgm rewind", "MediaBgm stop", "dialog Mw1Form"}));
}

TEST_F(Round, LeavingDuringAGameStopsTheMusicAndCountsNoWin) {
  start();
  battle.leaveToTitle();
  battle.screenClosed();
  EXPECT_EQ(effects.log, (Log{"MediaBgm rewind", "MediaBgm stop"}));
  EXPECT_FALSE(battle.state.flags.roundActive);
  EXPECT_FALSE(battle.state.flags.inputOpen);
  clock.advance(15000);
  EXPECT_EQ(a.wins + b.wins, 0);
}

TEST_F(Round, OriginalStageReadsTheEditorForBothPlayers) {
  editor.type(*EditorBox::fromName("pa32"), "7");
  battle.chooseStage(15);
  EXPECT_EQ(battle.stageCaption(), "ORIGINAL");
  EXPECT_EQ(a.supply(3, 2), Code::MirrorDown);
  EXPECT_EQ(b.supply(3, 2), Code::MirrorDown);
  EXPECT_EQ(a.supply(6, 8), Code::Foundation);
}

TEST_F(Round, BadEditorBoxStopsTheOriginalStageHalfWay) {
  start(4);
  clock.advance(500);
  editor.type(*EditorBox::fromName("pa13"), "x");
  battle.chooseStage(15);
  EXPECT_EQ(effects.log, (Log{"error 'x' は整数ではありません."}));
  EXPECT_EQ(a.supply(1, 2), Code::Foundation);  // converted before the bad box
  EXPECT_EQ(a.supply(1, 3), stageTable(4)(1, 3));
  EXPECT_EQ(b.supply, stageTable(4));
  EXPECT_EQ(battle.state.stageNo, 4);
  EXPECT_EQ(battle.state.checkedStage, 4);
  EXPECT_TRUE(battle.state.flags.roundActive);  // the running round goes on
  clock.advance(100);
  EXPECT_EQ(a.supplyFront[1], Code::Foundation);  // and now hands out the converted value
}

TEST_F(Round, PauseSignsFollowTheInputFlagOnTheirOwnTick) {
  start();
  // One run alone is delivered and settled within its own tick, before the
  // signs' timer; two runs aimed at the same column keep the keys closed.
  test::setColumn(a.board, 1, {1, 1, 1, 1});
  test::setColumn(a.board, 2, {2, 2, 2, 2});
  clock.advance(100);
  EXPECT_FALSE(battle.state.flags.inputOpen);
  EXPECT_TRUE(battle.state.pauseShown);
  EXPECT_EQ(b.mirrorsDue[1], 1);
  keys("s");
  EXPECT_EQ(a.phase, Phase::What);  // keys are ignored under "PAUSE"
  clock.advance(100);
  EXPECT_EQ(b.mirrorsDue[1], 0);
  EXPECT_TRUE(battle.state.flags.inputOpen);
  EXPECT_FALSE(battle.state.pauseShown);
}

}  // namespace
}  // namespace glamora
