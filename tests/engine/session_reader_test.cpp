// Reading a kept session back: hostile and damaged journals, journals cut
// off at any byte, and what the writer leaves when its sink fails or the
// program ends in the middle of a round.
#include <gtest/gtest.h>

#include "engine/journal.h"
#include "engine/replay.h"
#include "engine/session.h"
#include "test_support.h"

namespace glamora {
namespace {

std::vector<std::string> notesOf(const std::vector<RoundRecord>& rounds) {
  std::vector<std::string> notes;
  for (const RoundRecord& r : rounds) notes.push_back(roundNote(r));
  return notes;
}

// Stage 1 with nobody playing ends at 10 s: player 2 wins on the countdowns.
TEST(SessionReaderTest, RoundsComeFromTheScriptWhateverTheFileSays) {
  const std::string won = "# round 1: battle stage 1, t 0..10000, Mw2Form";
  const struct {
    const char* what;
    std::string text;
    std::string started;
    std::vector<std::string> rounds;
    const char* bad;  // how the bad line's report begins; null when there is none
  } cases[] = {
      {"a line cut short by a full disk", "# Glamora 1.0 session S\nstage 1\nwait 12000\nke", "S", {won}, nullptr},
      {"a cut last line that still runs is kept",
       "stage 1\nwait 3000\nkey s\nwait 12",
       "",
       {"# round 1: battle stage 1, t 0..3012, unfinished"},
       nullptr},
      {"the same text with its newline is a bad line", "stage 1\nwait 3000\nke\n", "", {}, "line 3: ke: "},
      {"notes at the int64 limits",
       "# round 1: battle stage 1, t -9223372036854775808..9223372036854775807, Mw1Form\n"
       "# round 9223372036854775807: battle stage 99, t 9223372036854775807..0, x\nstage 1\nwait 12000\n",
       "",
       {won},
       nullptr},
      {"notes that disagree with the script",
       "# Glamora 1.0 session S\n# round 1: training stage 5, t 0..500, SwForm\nstage 1\nwait 12000\n"
       "# round 2: battle stage 3, t 20000..30000, Mw1Form\n",
       "S",
       {won},
       nullptr},
      {"no notes: a stage line starts a round the script leaves running",
       "# Glamora 1.0 session S\nwait 500\nstage 1\nwait 2000\nkey s\n",
       "S",
       {"# round 1: battle stage 1, t 500..2500, unfinished"},
       nullptr},
      {"a bad line leaves nothing to play", "stage 1\nwait 12000\nstage 99\nstage 2\n", "", {}, "line 3: stage 99: "},
      {"a header cut short names no start", "# Glamora 1.0 session 2026-12-07T2", "", {}, nullptr},
      {"carriage returns", "# Glamora 1.0 session S\r\nstage 1\r\nwait 12000\r\n", "S", {won}, nullptr},
      {"nothing at all", "", "", {}, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const SessionNotes notes = readSessionNotes(c.text);
    EXPECT_EQ(notes.started, c.started);
    EXPECT_EQ(notesOf(notes.rounds), c.rounds);
    EXPECT_EQ(notes.badLine.has_value(), c.bad != nullptr);
    if (c.bad) {
      EXPECT_TRUE(notes.badLine->starts_with(c.bad)) << *notes.badLine;
    }
    EXPECT_EQ(firstBadLine(splitLines(c.text)), notes.badLine);
  }
}

struct StringSink final : JournalSink {
  std::string text;
  std::size_t acceptBytes = std::string::npos;  // a full disk after this many
  bool write(std::string_view t) override {
    const std::size_t room = acceptBytes == std::string::npos ? t.size() : acceptBytes - text.size();
    text += t.substr(0, room);
    return room >= t.size();
  }
};

// A journal with rounds of both screens, a computer player, the editor and a
// round still running at the end.
std::string playedJournal(StringSink& sink) {
  test::RecordingEffects effects;
  Session session(effects);
  JournalWriter writer(sink);
  writer.begin("1.0", "2026-12-07T21:04:11+09:00");
  session.setRecorder(&writer);
  session.stage(Mode::Battle, 1);
  for (char key : std::string("ds5sa6")) {
    session.clock.advance(700);
    session.key(Mode::Battle, static_cast<unsigned char>(key));
  }
  session.clock.advance(10'000);
  session.computer(Mode::Battle, 1, ComputerLevel::Easy, 7);
  session.editor.type(*EditorBox::fromName("ptm"), "9");
  session.editorClose(false);
  session.leave(Mode::Battle);
  session.stage(Mode::Training, 1);
  session.clock.advance(1500);
  session.key(Mode::Training, 's');
  session.clock.advance(900);
  writer.finish(session.clock.now(), session.currentRound());
  session.setRecorder(nullptr);
  return sink.text;
}

// Wherever a journal is cut off (a killed program, a full disk), what is left
// reads without a bad line, and its rounds lie within what is left.
TEST(SessionReaderTest, AJournalCutAtAnyByteStillReads) {
  StringSink sink;
  const std::string journal = playedJournal(sink);
  ASSERT_TRUE(journal.ends_with(", unfinished\n")) << journal;
  ASSERT_EQ(readSessionNotes(journal).rounds.size(), 2u);
  for (std::size_t cut = 0; cut <= journal.size(); ++cut) {
    const std::string part = journal.substr(0, cut);
    const ScriptReading reading = readScript(splitLines(part));
    ASSERT_EQ(reading.badLine, std::nullopt) << "cut at " << cut << ":\n" << part;
    for (const RoundRecord& r : reading.rounds) {
      EXPECT_LE(r.start, r.end);
      EXPECT_LE(r.end, reading.end);
    }
  }
}

TEST(SessionReaderTest, AFailedWriteEndsTheJournalInsteadOfGoingOnAfterHalfALine) {
  StringSink whole;
  const std::string journal = playedJournal(whole);
  for (const std::size_t room : {std::size_t{10}, journal.find("key 5") + 2, journal.size() - 5}) {
    StringSink sink;
    sink.acceptBytes = room;
    EXPECT_EQ(playedJournal(sink), journal.substr(0, room));
    EXPECT_EQ(readSessionNotes(sink.text).badLine, std::nullopt);
  }
}

TEST(SessionReaderTest, ARoundRunningAtTheEndIsNotedAndFoundAgainWithoutItsNote) {
  test::RecordingEffects effects;
  Session session(effects);
  StringSink sink;
  JournalWriter writer(sink);
  session.setRecorder(&writer);
  session.clock.advance(400);
  session.stage(Mode::Battle, 2);
  session.clock.advance(600);
  session.key(Mode::Battle, 's');
  session.clock.advance(1000);
  // Killed now, after the last keep-up: the script plays the round to there.
  writer.keepUp(session.clock.now() - 200);
  EXPECT_EQ(notesOf(readSessionNotes(sink.text).rounds),
            std::vector<std::string>{"# round 1: battle stage 2, t 400..1800, unfinished"});
  writer.finish(session.clock.now(), session.currentRound());
  writer.finish(session.clock.now() + 5, session.currentRound());
  session.key(Mode::Battle, 'd');
  EXPECT_EQ(sink.text,
            "wait 400\nstage 2\nwait 600\nkey s\nwait 800\nwait 200\n"
            "# round 1: battle stage 2, t 400..2000, unfinished\n");
  EXPECT_EQ(notesOf(readSessionNotes(sink.text).rounds),
            std::vector<std::string>{"# round 1: battle stage 2, t 400..2000, unfinished"});
  // Between rounds nothing is noted.
  StringSink idle;
  JournalWriter idleWriter(idle);
  idleWriter.finish(300, RoundRecord{});
  EXPECT_EQ(idle.text, "wait 300\n");
}

}  // namespace
}  // namespace glamora
