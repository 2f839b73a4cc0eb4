// A replay seeks to any moment of its round and lands on exactly the state
// that playing the round straight through gives: the rules, the computer
// players, the clock's tasks, what the screens show, and the media players.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "engine/computer_level.h"
#include "engine/replay_cursor.h"

namespace glamora {
namespace {

// Media players as the outside would hold them, and every dialog asked for.
class PlayersStub final : public Effects {
 public:
  MediaState held;
  int dialogs = 0;
  void openMedia(Media player, const std::string& path) override {
    held.files[static_cast<std::size_t>(player)] = path;
  }
  void media(Media player, MediaOp op) override { held.take(player, op); }
  void openDialog(Dialog) override { ++dialogs; }
  void showError(const Message&) override { ++dialogs; }
  bool musicPlaying() const { return held.playing[static_cast<std::size_t>(Media::Bgm)]; }
};

struct EngineState {
  std::int64_t now = 0;
  BattleState battle;
  PlayerState battlePlayers[2];
  std::optional<ComputerPlayer> computers[3];
  TrainingState training;
  PlayerState trainingPlayer;
  ScreenViewModel battleView, trainingView;
  int roundsStarted = 0;
  int currentRound = 0;
  bool switches[4] = {};
  std::vector<std::int64_t> battleDue, trainingDue;
  std::array<std::string, kMediaCount> files{};
  bool music = false;
  bool operator==(const EngineState&) const = default;
};

EngineState stateOf(const Session& s, const PlayersStub& players) {
  const auto copy = [](const ComputerPlayer* c) { return c ? std::optional<ComputerPlayer>(*c) : std::nullopt; };
  EngineState state;
  state.now = s.clock.now();
  state.battle = s.battle.state;
  state.battlePlayers[0] = s.battle.player(0).state;
  state.battlePlayers[1] = s.battle.player(1).state;
  state.computers[0] = copy(s.battle.computer(0));
  state.computers[1] = copy(s.battle.computer(1));
  state.computers[2] = copy(s.training.computer());
  state.training = s.training.state;
  state.trainingPlayer = s.training.player().state;
  state.battleView = s.battleView.model();
  state.trainingView = s.trainingView.model();
  state.roundsStarted = s.roundsStarted();
  state.currentRound = s.currentRound().number;
  state.switches[0] = s.battle.sound.bgmOff;
  state.switches[1] = s.battle.sound.seOff;
  state.switches[2] = s.training.sound.bgmOff;
  state.switches[3] = s.training.sound.seOff;
  s.clock.dueTimes(TaskOwner::Battle, state.battleDue);
  s.clock.dueTimes(TaskOwner::Training, state.trainingDue);
  state.files = players.held.files;
  state.music = players.musicPlaying();
  return state;
}

// A script of a session: rounds before the one shown, then that round with
// keys, computer players, switches and the editor's values, ended by its dialog, by leaving or by
// the script's end, and more after it. Returns the shown round's number.
int randomSession(ComputerRandom& random, std::vector<std::string>& lines) {
  static const char* const kLevels[] = {"off", "easy", "normal", "hard"};
  const bool training = random.below(3) == 0;
  const char* keys = training ? "asd" : "asd456";
  const int keyCount = training ? 3 : 6;
  const auto add = [&](std::string line) { lines.push_back(std::move(line)); };
  const auto events = [&](int count) {
    for (int i = 0; i < count; ++i) {
      const int what = random.below(20);
      if (what < 9) add("wait " + std::to_string(10 + random.below(1500)));
      else if (what < 16) add(std::string("key ") + keys[random.below(keyCount)]);
      else if (what == 16) add(std::string("bgm ") + (random.below(2) ? "on" : "off"));
      else if (what == 17) add(std::string("se ") + (random.below(2) ? "on" : "off"));
      else
        add("cpu " + std::to_string(training ? 1 : 1 + random.below(2)) + " " + kLevels[random.below(4)] + " " +
            std::to_string(random.below(1000)));
    }
  };
  if (training) {
    add("screen training");
    add(random.below(2) ? "character mirabe" : "character elna");
    add("unlock " + std::to_string(random.below(15)));
  }
  if (random.below(2)) {
    add("editor psc " + std::to_string(100 + random.below(2000)));
    add("editor ptm " + std::to_string(20 + random.below(100)));
    add("editor close");
  }
  const int before = random.below(3);
  for (int r = 0; r < before; ++r) {
    add(training ? "stage 1" : "stage " + std::to_string(1 + random.below(15)));
    events(5 + random.below(30));
  }
  add(training ? "stage 15" : "stage " + std::to_string(1 + random.below(15)));
  events(20 + random.below(80));
  switch (random.below(3)) {
    case 0: add("title"); break;
    case 1: add("wait " + std::to_string(200'000)); break;  // long enough to end by itself
    default: break;
  }
  events(random.below(10));
  return before + 1;
}

TEST(ReplayCursor, SeeksBackAndForthLandWhereStraightPlayGoes) {
  int seeksBack = 0, endsByDialog = 0;
  for (std::uint64_t seed = 1; seed <= 24; ++seed) {
    ComputerRandom random(seed);
    std::vector<std::string> lines;
    const int round = randomSession(random, lines);
    ASSERT_EQ(firstBadLine(lines), std::nullopt) << "seed " << seed;
    const ScriptReading reading = readScript(lines);
    const RoundRecord& note = reading.rounds.at(static_cast<std::size_t>(round - 1));
    endsByDialog += note.result.find("Form") != std::string::npos;

    const auto open = [&](ReplayCursor& cursor) {
      while (cursor.findStart(50, 5000) == ReplayRun::Search::Going) {
      }
      ASSERT_TRUE(cursor.found());
      cursor.expectLength(note.end - note.start);
    };
    // Straight through in the window's steps of 100 ms, the state kept at
    // random moments, the round's start and its end among them.
    PlayersStub straightPlayers;
    ReplayCursor straight(straightPlayers, lines, round);
    open(straight);
    const std::int64_t length = *straight.length();
    std::vector<std::int64_t> moments = {0, length};
    for (int i = 0; i < 12; ++i) moments.push_back(random.below(static_cast<int>(length) + 1));
    std::sort(moments.begin(), moments.end());
    std::map<std::int64_t, EngineState> states;
    for (const std::int64_t t : moments) {
      while (straight.position() + 100 <= t) straight.play(100);
      straight.play(t - straight.position());
      states[t] = stateOf(straight.session(), straightPlayers);
    }
    EXPECT_TRUE(straight.atEnd());

    PlayersStub players;
    // Half the time with states kept every 1.5 s, so that a seek back starts
    // from one of those as often as from the round's start.
    ReplayCursor seeker(players, lines, round, seed % 2 ? 1500 : ReplayCursor::kKeyframeMs);
    open(seeker);
    const std::vector<std::int64_t> inOrder = moments;
    std::shuffle(moments.begin(), moments.end(), std::mt19937(static_cast<unsigned>(seed)));
    for (std::size_t i = 0; i < moments.size(); ++i) {
      const std::int64_t t = moments[i];
      const std::string where = "seed " + std::to_string(seed) + ", seek to " + std::to_string(t);
      seeksBack += t < seeker.position();
      const int dialogs = players.dialogs;
      seeker.seek(t);
      EXPECT_EQ(players.dialogs, dialogs) << where << ": a seek opens no dialog";
      EXPECT_EQ(seeker.position(), t) << where;
      EXPECT_TRUE(stateOf(seeker.session(), players) == states[t]) << where;
      // Played on from there, it goes as straight play went.
      const auto next = std::upper_bound(inOrder.begin(), inOrder.end(), t);
      if (i % 2 == 0 && next != inOrder.end()) {
        while (seeker.position() + 100 <= *next && !seeker.atEnd()) seeker.play(100);
        seeker.play(*next - seeker.position());
        EXPECT_TRUE(stateOf(seeker.session(), players) == states[*next]) << where << ", played on to " << *next;
      }
    }
    if (HasFailure()) return;
  }
  EXPECT_GT(seeksBack, 100);
  EXPECT_GT(endsByDialog, 2);
}

}  // namespace
}  // namespace glamora
