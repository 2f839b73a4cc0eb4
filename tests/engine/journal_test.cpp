// The session journal: what a Session records, how the writer buffers it, and
// that running the journal again reproduces the session exactly.
#include <gtest/gtest.h>

#include "engine/journal.h"
#include "engine/replay.h"
#include "engine/script_runner.h"
#include "engine/session.h"
#include "test_support.h"

namespace glamora {
namespace {

struct StringSink final : JournalSink {
  std::string text;
  int writes = 0;
  bool fail = false;
  bool wholeLines = true;
  bool write(std::string_view t) override {
    ++writes;
    if (fail) return false;
    wholeLines = wholeLines && t.ends_with('\n');
    text += t;
    return true;
  }
};

std::vector<std::string> dialogs(const std::vector<std::string>& log) {
  std::vector<std::string> out;
  for (const std::string& entry : log) {
    if (entry.rfind("dialog ", 0) == 0 || entry.rfind("error ", 0) == 0) out.push_back(entry);
  }
  return out;
}

struct Recorded {
  test::RecordingEffects effects;
  Session session{effects};
  StringSink sink;
  JournalWriter writer{sink};
  Recorded() {
    writer.begin("1.0", "2026-12-07T21:04:11+09:00");
    session.setRecorder(&writer);
  }
  void keys(Mode mode, const std::string& text) {
    for (char ch : text) session.key(mode, static_cast<unsigned char>(ch));
  }
};

// Runs a journal on a fresh session, as glamora-sim does.
struct Replayed {
  test::RecordingEffects effects;
  std::unique_ptr<ReplayRun> run;
  explicit Replayed(const std::string& text) {
    const std::vector<std::string> lines = splitLines(text);
    EXPECT_EQ(firstBadLine(lines), std::nullopt);
    run = std::make_unique<ReplayRun>(effects, lines);
    while (run->play(1'000'000)) {
    }
  }
  Session& session() { return run->session; }
};

TEST(JournalTest, InputsBecomeScriptLinesWithWaitsAndOnlyPlayerKeysAreKept) {
  Recorded r;
  r.session.clock.advance(1200);
  r.session.stage(Mode::Battle, 3);
  r.session.clock.advance(300);
  r.keys(Mode::Battle, "sqx5");
  r.session.music(Mode::Battle, false);
  r.session.clock.advance(100);
  r.session.leave(Mode::Battle);
  r.session.character(Character::Mirabe);
  r.session.stage(Mode::Training, 1);
  r.session.computer(Mode::Training, 0, ComputerLevel::Hard, 42);
  r.session.leave(Mode::Training);
  r.writer.finish(r.session.clock.now() + 50);
  EXPECT_EQ(r.sink.text,
            "# Glamora 1.0 session 2026-12-07T21:04:11+09:00\n"
            "wait 1200\nstage 3\nwait 300\nkey s\nkey 5\nbgm off\nwait 100\ntitle\n"
            "# round 1: battle stage 3, t 1200..1600, abandoned\n"
            "character mirabe\nscreen training\nstage 1\ncpu 1 hard 42\ntitle\n"
            "# round 2: training stage 1, t 1600..1600, abandoned\nwait 50\n");
}

TEST(JournalTest, EveryInputReachesTheSinkAtOnceInWholeLines) {
  Recorded r;
  EXPECT_EQ(r.sink.writes, 1);  // the header
  r.session.stage(Mode::Battle, 1);
  EXPECT_TRUE(r.sink.text.ends_with("\nstage 1\n")) << r.sink.text;
  r.session.clock.advance(250);
  r.keys(Mode::Battle, "ad");
  EXPECT_TRUE(r.sink.text.ends_with("\nwait 250\nkey a\nkey d\n")) << r.sink.text;
  // Both WHAT countdowns run out at 10 s; player 1's is checked first, so player 2 wins.
  r.session.clock.advance(12'000);
  EXPECT_TRUE(r.sink.text.ends_with("key d\nwait 9750\n# round 1: battle stage 1, t 0..10000, Mw2Form\n"))
      << r.sink.text;
  EXPECT_EQ(r.sink.writes, 5);
  EXPECT_TRUE(r.sink.wholeLines);
  const SessionNotes notes = readSessionNotes(r.sink.text);
  EXPECT_EQ(notes.started, "2026-12-07T21:04:11+09:00");
  ASSERT_EQ(notes.rounds.size(), 1u);
  EXPECT_EQ(notes.rounds[0].result, "Mw2Form");
  EXPECT_EQ(notes.rounds[0].end, 10'000);
}

TEST(JournalTest, AFailedWriteTurnsTheJournalOffOnce) {
  Recorded r;
  int failures = 0;
  r.writer.onFailure = [&] { ++failures; };
  r.sink.fail = true;
  r.session.stage(Mode::Battle, 2);
  r.session.leave(Mode::Battle);
  r.session.stage(Mode::Battle, 2);
  r.writer.finish(5000, r.session.currentRound());
  EXPECT_TRUE(r.writer.failed());
  EXPECT_EQ(failures, 1);
  EXPECT_EQ(r.sink.writes, 2);  // the header, then nothing is tried after the failed stage line
  // The game itself is untouched.
  EXPECT_TRUE(r.session.battle.state.flags.roundActive);
}

TEST(JournalTest, RoundsEndByResultByLeavingOrByANewStage) {
  Recorded r;
  std::vector<std::string> ends;
  r.session.onRoundEnded = [&](const RoundRecord& round) { ends.push_back(roundNote(round)); };
  r.session.stage(Mode::Battle, 1);
  r.session.clock.advance(500);
  r.session.stage(Mode::Battle, 2);  // starts over
  r.session.clock.advance(500);
  r.session.leave(Mode::Battle);
  r.session.stage(Mode::Training, 1);
  r.session.clock.advance(100'000);    // stands still until TIME mirrors fill the board
  r.session.stage(Mode::Training, 3);  // disabled: nothing starts
  ASSERT_GE(ends.size(), 3u);
  EXPECT_EQ(ends[0], "# round 1: battle stage 1, t 0..500, abandoned");
  EXPECT_EQ(ends[1], "# round 2: battle stage 2, t 500..1000, abandoned");
  EXPECT_EQ(ends[2].substr(0, 36), "# round 3: training stage 1, t 1000.");
  EXPECT_NE(ends[2].find("SlForm"), std::string::npos);
  EXPECT_EQ(r.session.roundsStarted(), 3);
}

TEST(JournalTest, AStageThatFailsOnTheEditorsBoxesLeavesTheRoundRunning) {
  Recorded r;
  r.session.stage(Mode::Battle, 2);
  r.session.editor.type(*EditorBox::fromName("pa31"), "x");
  r.session.clock.advance(700);
  r.session.stage(Mode::Battle, 15);  // the conversion's error box; no new round
  EXPECT_EQ(r.effects.log.back(), "error 'x' は整数ではありません.");
  EXPECT_EQ(r.session.currentRound().number, 1);
  EXPECT_EQ(r.session.currentRound().stage, 2);
  EXPECT_TRUE(r.session.battle.state.flags.roundActive);
  r.session.editor.type(*EditorBox::fromName("pa31"), "3");
  r.session.stage(Mode::Battle, 15);
  EXPECT_EQ(r.session.currentRound().number, 2);
  EXPECT_NE(r.sink.text.find("stage 15\n# round 1: battle stage 2, t 0..700, abandoned\n"), std::string::npos)
      << r.sink.text;
}

TEST(JournalTest, EditorBoxesAreKeptWhenTheEditorCloses) {
  Recorded r;
  r.session.editor.type(*EditorBox::fromName("pa11"), "x");
  r.session.editor.type(*EditorBox::fromName("psc"), " 150");
  EXPECT_EQ(r.session.editorClose(false), "'x' は整数ではありません.");
  r.session.editor.type(*EditorBox::fromName("pa11"), "4");
  EXPECT_EQ(r.session.editorClose(false), "");
  EXPECT_NE(r.sink.text.find("editor pa11 x\neditor psc  150\neditor close\neditor pa11 4\neditor close\n"),
            std::string::npos)
      << r.sink.text;
}

// A session with every kind of input, computer players included, replayed
// from its journal: the same dialogs in the same order and the same state.
TEST(JournalTest, ReplayingTheJournalReproducesTheSession) {
  Recorded live;
  Session& s = live.session;
  s.clock.advance(700);
  s.computer(Mode::Battle, 1, ComputerLevel::Normal, 9);
  s.stage(Mode::Battle, 4);
  for (int i = 0; i < 40; ++i) {
    s.clock.advance(300 + 100 * (i % 3));
    live.keys(Mode::Battle, i % 4 == 0 ? "d" : "s");
  }
  s.clock.advance(60'000);
  s.editor.type(*EditorBox::fromName("ptm"), "9");
  s.editorClose(false);
  s.leave(Mode::Battle);
  s.character(Character::Mirabe);
  s.computer(Mode::Training, 0, ComputerLevel::Hard, 3);
  s.stage(Mode::Training, 15);
  s.clock.advance(20'000);
  s.computer(Mode::Training, 0, std::nullopt, 3);
  s.clock.advance(15'000);
  live.writer.finish(s.clock.now());

  Replayed again(live.sink.text);
  Session& r = again.session();
  EXPECT_EQ(dialogs(again.effects.log), dialogs(live.effects.log));
  EXPECT_FALSE(dialogs(live.effects.log).empty());
  EXPECT_EQ(r.clock.now(), s.clock.now());
  EXPECT_EQ(r.battle.state, s.battle.state);
  EXPECT_EQ(r.training.state, s.training.state);
  for (int p = 0; p < 2; ++p) EXPECT_EQ(r.battle.player(p).state, s.battle.player(p).state);
  EXPECT_EQ(r.training.player().state, s.training.player().state);
}

TEST(ReplayTest, RunsHeadlessToTheRoundThenInSteps) {
  const std::string script =
      "# round 2: battle stage 5, t 1500..2000, abandoned\n"
      "wait 1000\nstage 1\nwait 500\nstage 5\nwait 300\nkey d\nwait 200\ntitle\n";
  test::RecordingEffects effects;
  ReplayRun run(effects, splitLines(script));
  ASSERT_TRUE(run.runToRoundStart(2));
  EXPECT_EQ(run.session.clock.now(), 1500);
  EXPECT_EQ(run.session.battle.state.stageNo, 5);
  EXPECT_TRUE(run.play(200));
  EXPECT_EQ(run.session.clock.now(), 1700);
  EXPECT_EQ(run.session.battle.player(0).state.arrowCol, 3);
  EXPECT_TRUE(run.play(100));  // the key at 1800
  EXPECT_EQ(run.session.battle.player(0).state.arrowCol, 4);
  EXPECT_FALSE(run.play(1000));
  EXPECT_EQ(run.session.clock.now(), 2000);
  EXPECT_FALSE(run.session.battle.state.flags.roundActive);
  EXPECT_FALSE(ReplayRun(effects, splitLines(script)).runToRoundStart(3));
}

TEST(ReplayTest, TheFirstBadLineIsNamed) {
  EXPECT_EQ(firstBadLine(splitLines("# ok\nwait 10\nstage 99\nkey a\n")),
            std::optional<std::string>("line 3: stage 99: stage must be 1..15"));
  EXPECT_EQ(firstBadLine(splitLines("cpu 2 hard\nscreen training\ncpu 2 easy\n")),
            std::optional<std::string>("line 3: cpu 2 easy: player must be 1 on this screen"));
  EXPECT_EQ(firstBadLine(splitLines("wait 5\r\n\r\n# c\r\n")), std::nullopt);
}

// The rounds come from the script; notes alone, well formed or not, make none.
TEST(ReplayTest, NotesWithoutAScriptMakeNoRounds) {
  const SessionNotes notes = readSessionNotes(
      "# Glamora 1.0 session X\n# round 1: battle stage 2, t 1..2, Mw2Form\n# round x: battle\n"
      "# round 2: chess stage 2, t 1..2, Mw2Form\n# round 3: training stage 15, t 5..9, SwForm\r\n");
  EXPECT_EQ(notes.started, "X");
  EXPECT_TRUE(notes.rounds.empty());
  EXPECT_EQ(notes.badLine, std::nullopt);
}

}  // namespace
}  // namespace glamora
