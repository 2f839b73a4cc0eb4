// The rows of finished rounds: what each mode's journal gives, that the rows
// a live session makes are the rows its journal gives again, and the JSON of
// glamora-sim --records.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <random>

#include "engine/journal.h"
#include "engine/replay.h"
#include "records/records_json.h"
#include "records/round_recorder.h"
#include "records/script_records.h"

namespace glamora::records {
namespace {

constexpr const char* kHeader = "# Glamora 1.0 session 2026-12-07T21:04:11+09:00\n";
constexpr std::int64_t kStartMs = 1796645051000;  // 2026-12-07T12:04:11Z

struct ModeCase {
  const char* name;
  std::string script;
  PlayMode mode;
  const char* side1;
  const char* side2;
  int localPlayer;
};

TEST(RecordsRows, EachModesJournalGivesItsFinishedRoundsWithTheirSides) {
  const std::string battle = "stage 3\nwait 600000\nstage 2\nwait 600000\n";
  const ModeCase cases[] = {
      {"two people", kHeader + std::string("stage 2\nwait 600000\n"), PlayMode::Local, "person", "person", -1},
      {"against the computer", kHeader + std::string("cpu 2 hard 4\n") + battle, PlayMode::Computer, "person",
       "cpu:hard", -1},
      {"computer on the left", kHeader + std::string("cpu 1 easy 4\n") + battle, PlayMode::Computer, "cpu:easy",
       "person", -1},
      {"network host",
       kHeader + std::string("# Glamora network battle, host side\n# the peer's name: mirabe-pc\n") + battle,
       PlayMode::Network, "person", "peer:mirabe-pc", 0},
      {"network joiner, no name", kHeader + std::string("# Glamora network battle, joiner side\n") + battle,
       PlayMode::Network, "peer:", "person", 1},
  };
  for (const ModeCase& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<RoundRow> rows = rowsOfScript(c.script, "a.session");
    ASSERT_FALSE(rows.empty());
    for (std::size_t k = 0; k < rows.size(); ++k) {
      const RoundRow& row = rows[k];
      EXPECT_EQ(row.mode, c.mode);
      EXPECT_EQ(row.side1, c.side1);
      EXPECT_EQ(row.side2, c.side2);
      EXPECT_EQ(row.localPlayer, c.localPlayer);
      EXPECT_TRUE(row.winner == 1 || row.winner == 2);
      EXPECT_EQ(row.round, static_cast<int>(k + 1));
      EXPECT_EQ(row.sessionFile, "a.session");
      EXPECT_GT(row.lengthMs, 0);
      EXPECT_FALSE(row.score);
    }
    EXPECT_EQ(rows[0].endedAt, kStartMs + rows[0].lengthMs);  // the first stage is chosen at t 0
  }
}

TEST(RecordsRows, TrainingKeepsScoreAndTargetAndRoundsWithoutResultMakeNoRow) {
  const std::string script = kHeader + std::string(
                                           "screen training\ncpu 1 hard 3\nstage 1\nwait 600000\n"
                                           "cpu 1 off 0\nstage 1\nwait 1000\nstage 1\nwait 600000\n"
                                           "stage 1\nwait 5000\n");  // abandoned, then one left unfinished
  const std::vector<RoundRow> rows = rowsOfScript(script, "t.session");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].mode, PlayMode::Training);
  EXPECT_EQ(rows[0].side1, "cpu:hard");
  EXPECT_EQ(rows[0].winner, 1);
  EXPECT_GE(*rows[0].score, *rows[0].target);
  EXPECT_EQ(rows[1].side1, "person");
  EXPECT_EQ(rows[1].winner, 0);  // nobody pressed a key: lost
  EXPECT_LT(*rows[1].score, *rows[1].target);
  EXPECT_EQ(rows[1].round, 3);  // round 2 was abandoned
}

// A sink that keeps the journal in memory.
struct TextSink final : JournalSink {
  std::string text;
  bool write(std::string_view t) override {
    text += t;
    return true;
  }
};

// The property the records rest on: for random play (stages, both screens,
// computer players changed between rounds, keys, rounds abandoned), the rows
// the game makes from its live session are exactly those its journal gives.
TEST(RecordsRows, TheRowsOfALiveSessionAreTheRowsItsJournalGivesAgain) {
  for (std::uint32_t seed = 1; seed <= 12; ++seed) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    SilentEffects effects;
    Session session(effects);
    TextSink sink;
    JournalWriter journal(sink);
    journal.begin("1.0", "2026-12-07T21:04:11+09:00");
    session.setRecorder(&journal);
    std::vector<RoundRow> live;
    RoundRecorder recorder(session, "live.session", [&live](const RoundRow& row) { live.push_back(row); });
    recorder.setStarted("2026-12-07T21:04:11+09:00");
    const char* const levels[] = {"easy", "normal", "hard"};
    for (int step = 0; step < 14; ++step) {
      const Mode mode = random() % 3 == 0 ? Mode::Training : Mode::Battle;
      const int players = mode == Mode::Battle ? 2 : 1;
      for (int p = 0; p < players; ++p) {
        const std::uint32_t pick = random() % 4;
        session.computer(mode, p, pick == 3 ? std::nullopt : levelFromName(levels[pick]), random());
      }
      session.stage(mode, static_cast<int>(random() % 3) + 1);
      for (int k = 0; k < 20; ++k) {
        session.wait(random() % 4000);
        session.key(mode, U"asd456"[random() % 6]);
      }
      session.wait(random() % 2 ? 1'200'000 : 3000);  // to the result, or abandoned by the next stage
    }
    journal.finish(session.clock.now(), session.currentRound());
    EXPECT_FALSE(live.empty());
    EXPECT_EQ(rowsOfScript(sink.text, "live.session"), live);
  }
}

TEST(RecordsRows, AFileFollowedAsItIsWrittenGivesTheRowsOfTheWholeFile) {
  const std::string script = kHeader + std::string(
                                           "cpu 1 hard 9\ncpu 2 normal 8\nstage 4\nwait 900000\nstage 5\n"
                                           "wait 900000\nscreen training\nstage 1\nwait 60000\n");
  const std::vector<RoundRow> whole = rowsOfScript(script, "f.session");
  std::vector<RoundRow> followed;
  ScriptRecords follower("f.session", [&followed](const RoundRow& row) { followed.push_back(row); });
  // In pieces cut anywhere, the clock taken part of the way into each wait
  // before the wait's line comes, as a network battle's ticks take it.
  std::int64_t t = 0;
  for (const std::string& line : splitLines(script)) {
    if (const std::int64_t ms = ScriptRunner::waitOf(line); ms > 0) {
      follower.advanceTo(t + ms / 3);
      t += ms;
    }
    const std::string text = line + "\n";
    for (std::size_t at = 0; at < text.size(); at += 7) follower.text(std::string_view(text).substr(at, 7));
  }
  EXPECT_EQ(followed, whole);
  EXPECT_EQ(whole.size(), 3u);
}

TEST(RecordsRows, IsoTimesReadWithTheirOffsets) {
  EXPECT_EQ(unixMsOfIsoTime("2026-12-07T21:04:11+09:00"), kStartMs);
  EXPECT_EQ(unixMsOfIsoTime("2026-12-07T12:04:11Z"), kStartMs);
  EXPECT_EQ(unixMsOfIsoTime("2026-12-07T02:34:11-09:30"), kStartMs);
  for (const char* bad : {"", "2026-12-07", "2026-13-07T21:04:11Z", "2026-02-30T21:04:11Z", "2026-12-07T21:04:11+9"})
    EXPECT_FALSE(unixMsOfIsoTime(bad)) << bad;
}

TEST(RecordsJson, CountsByStageAndKeepsTheKeysGiven) {
  std::vector<RoundRow> rows(5);
  rows[0] = {1, PlayMode::Local, 3, "person", "person", 1, 100, {}, {}, "a", 1, -1};
  rows[1] = {2, PlayMode::Computer, 3, "person", "cpu:easy", 2, 100, {}, {}, "a", 2, -1};
  rows[2] = {3, PlayMode::Network, 10, "person", "peer:x", 2, 100, {}, {}, "b", 1, 0};
  rows[3] = {4, PlayMode::Training, 2, "person", "", 1, 100, 1600, 1500, "a", 3, -1};
  rows[4] = {5, PlayMode::Training, 2, "person", "", 0, 100, 900, 1500, "a", 4, -1};
  EXPECT_EQ(recordsJson(rows, 2, false),
            "{\"battle\":{\"rounds\":3,\"wins\":[1,2],\"draws\":0,\"stages\":{\"3\":[1,1],\"10\":[0,1]},"
            "\"modes\":{\"local\":1,\"computer\":1,\"network\":1}},"
            "\"training\":{\"rounds\":2,\"won\":1,\"stages\":{\"2\":{\"won\":1,\"lost\":1}}},\"files\":2}");
  const nlohmann::json withRows = nlohmann::json::parse(recordsJson(rows, 2, true));
  ASSERT_EQ(withRows["rows"].size(), 5u);
  EXPECT_EQ(withRows["rows"][3]["score"], 1600);
  EXPECT_TRUE(withRows["rows"][0]["score"].is_null());
}

}  // namespace
}  // namespace glamora::records
