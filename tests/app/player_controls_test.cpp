// The rules of the players' controls without a device: which characters a key
// stands for and which keys are refused, a pad's stick and repeats on a
// stepped clock, which pad plays which player, and the settings file.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "input/pad_reading.h"
#include "input/pad_seats.h"
#include "screens/player_keys.h"
#include "settings/kept_settings.h"

namespace glamora {
namespace {

TEST(PlayerKeysTest, ChosenKeysStandForThePlayersCharactersAndClashesAreRefused) {
  // Each step chooses a key (or presses one, `player` < 0) and says what follows.
  struct Step {
    int player;
    Key action;
    int key;
    const char* typed;     // the key's text, for a press
    const char* expected;  // a press: the characters; a choice: the start of the refusal ("" when taken)
  };
  const Step steps[] = {
      // The defaults follow what a key types, in either case, keypad included.
      {-1, Key::None, Qt::Key_A, "A", "A"},
      {-1, Key::None, Qt::Key_4, "4", "4"},
      {-1, Key::None, gameKeyCode(Qt::Key_Clear, true), "5", "5"},
      {-1, Key::None, Qt::Key_J, "j", ""},
      // Player 1 takes J for left: J plays, A no longer does.
      {0, Key::Left, Qt::Key_J, "", ""},
      {-1, Key::None, Qt::Key_J, "J", "a"},
      {-1, Key::None, Qt::Key_A, "a", ""},
      // Keys of the other player, the pause keys and keys the game cannot take.
      {0, Key::Right, Qt::Key_5, "", "PLAYER2 の「決定」"},
      {1, Key::Select, Qt::Key_J, "", "PLAYER1 の「左へ移動」"},
      {0, Key::Select, Qt::Key_P, "", "P と Pause"},
      {1, Key::Left, Qt::Key_Pause, "", "P と Pause"},
      {1, Key::Left, Qt::Key_Escape, "", "このキーは使えません"},
      {1, Key::Left, Qt::Key_Shift, "", "このキーは使えません"},
      // The keypad with Num Lock off is the digits: 6 is player 2's already.
      {0, Key::Right, gameKeyCode(Qt::Key_Right, true), "", "PLAYER2 の「右へ移動」"},
      // The arrow keys are keys of their own; player 2 takes them.
      {1, Key::Left, Qt::Key_Left, "", ""},
      {1, Key::Right, Qt::Key_Right, "", ""},
      {-1, Key::None, Qt::Key_Left, "", "4"},
      {-1, Key::None, gameKeyCode(Qt::Key_Left, true), "4", ""},
      {-1, Key::None, Qt::Key_5, "5", "5"},
      // Player 1's freed A can now be player 2's; a key of the same player changes places.
      {1, Key::Select, Qt::Key_A, "", ""},
      {-1, Key::None, Qt::Key_A, "a", "5"},
      {0, Key::Left, Qt::Key_D, "", ""},
      {-1, Key::None, Qt::Key_D, "d", "a"},
      {-1, Key::None, Qt::Key_J, "j", "d"},
  };
  PlayerKeys keys;
  int n = 0;
  for (const Step& step : steps) {
    SCOPED_TRACE(::testing::Message() << "step " << n++);
    if (step.player < 0) {
      const QString typed(step.typed);
      EXPECT_EQ(keys.characters(step.key, typed.toStdU32String()), QString(step.expected).toStdU32String());
    } else {
      const QString refused = keys.choose(step.player, step.action, step.key);
      EXPECT_TRUE(*step.expected ? refused.startsWith(step.expected) : refused.isEmpty()) << refused.toStdString();
    }
  }
  EXPECT_EQ(keys.caption(0, Key::Left), "'D','d'");
  EXPECT_EQ(keys.caption(1, Key::Left), "←");
  EXPECT_EQ(keys.caption(1, Key::Select), "'A','a'");
  keys.reset();
  EXPECT_TRUE(keys.allDefault());
  EXPECT_EQ(keys.caption(1, Key::Select), "'5'");
}

TEST(PadReadingTest, OnePushIsOneStepAndAHeldDirectionRepeatsAfter300MsEvery100Ms) {
  struct Step {
    std::int64_t ms;
    PadControls controls;
    std::vector<PadButton> presses;
  };
  using enum PadButton;
  const PadControls rest;
  const PadControls dpadLeft{.dpadLeft = true};
  const auto stick = [](int x) { return PadControls{.stickX = x}; };
  const Step steps[] = {
      {0, rest, {}},
      // The stick: past half way is a push, and it stays pushed down to a quarter.
      {10, stick(16000), {}},
      {20, stick(17000), {Right}},
      {30, stick(9000), {}},
      {40, stick(17000), {}},
      {50, stick(8000), {}},
      {60, stick(17000), {Right}},
      {70, stick(-20000), {Left}},
      {80, rest, {}},
      // Held: again at 300 ms, then every 100 ms; one repeat per reading after a gap.
      {1000, dpadLeft, {Left}},
      {1299, dpadLeft, {}},
      {1300, dpadLeft, {Left}},
      {1399, dpadLeft, {}},
      {1400, dpadLeft, {Left}},
      {1750, dpadLeft, {Left}},
      {1800, dpadLeft, {}},
      {1850, dpadLeft, {Left}},
      // The d-pad leads over the stick; both ways at once is no way.
      {1900, PadControls{.dpadLeft = true, .stickX = 30000}, {}},
      {1910, PadControls{.dpadLeft = true, .dpadRight = true}, {}},
      // Select and pause act on the press only.
      {2000, PadControls{.south = true}, {Select}},
      {2400, PadControls{.south = true}, {}},
      {2500, PadControls{.south = true, .start = true}, {Pause}},
      {2600, PadControls{.dpadRight = true, .south = false}, {Right}},
      {2610, PadControls{.dpadRight = true, .south = true}, {Select}},
  };
  PadReading reading;
  for (const Step& step : steps) {
    SCOPED_TRACE(::testing::Message() << "at " << step.ms);
    EXPECT_EQ(reading.read(step.controls, step.ms), step.presses);
  }
  EXPECT_EQ(reading.nextRepeat(), 2900);
  // What is held when play resumes waits to be let go.
  reading.settle(dpadLeft);
  EXPECT_EQ(reading.nextRepeat(), std::nullopt);
  EXPECT_TRUE(reading.read(dpadLeft, 5000).empty());
  EXPECT_TRUE(reading.read(rest, 5010).empty());
  EXPECT_EQ(reading.read(dpadLeft, 5020), std::vector{Left});
}

TEST(PadSeatsTest, PadsTakeFreePlayersInTheirOrderAndASwapIsRememberedByModelAndNumber) {
  const std::string pad = "03000000de280000ff11000001000000";
  const std::string other = "030000005e0400008e02000014010000";
  PadSeats seats;
  seats.plugged(10, pad);
  seats.plugged(11, pad);
  seats.plugged(12, other);
  EXPECT_EQ(seats.player(10), 0);
  EXPECT_EQ(seats.player(11), 1);
  EXPECT_EQ(seats.player(12), std::nullopt);  // both players have a pad
  EXPECT_EQ(seats.number(11), 2);
  seats.pulled(10);
  EXPECT_EQ(seats.player(12), 0);  // the waiting pad takes the freed player
  seats.plugged(13, pad);          // the freed number 1 of its model
  EXPECT_EQ(seats.number(13), 1);
  EXPECT_EQ(seats.player(13), std::nullopt);
  seats.pulled(12);
  EXPECT_EQ(seats.player(13), 0);

  // Swapped, the second pad of the model plays player 1 and the first player 2.
  seats.swap();
  EXPECT_EQ(seats.padOf(0), 11);
  EXPECT_EQ(seats.padOf(1), 13);
  EXPECT_EQ(seats.remembered(), (std::vector<RememberedSeat>{{pad, 1, 1}, {pad, 2, 0}}));

  // The next run: whichever comes first, number 1 of the model goes to player 2.
  PadSeats next(seats.remembered());
  next.plugged(1, pad);
  EXPECT_EQ(next.player(1), 1);
  next.plugged(2, other);
  EXPECT_EQ(next.player(2), 0);
  next.pulled(2);
  next.plugged(3, pad);  // number 2 of the model: player 1, remembered
  EXPECT_EQ(next.player(3), 0);
  // A pad alone swapped to player 2 and back.
  PadSeats single;
  single.plugged(5, other);
  single.swap();
  EXPECT_EQ(single.player(5), 1);
}

TEST(ControlSettingsTest, KeysAndPadsAreWrittenAndReadBackAndBadOnesIgnored) {
  QTemporaryDir dir;
  const QString path = dir.filePath("glamora.ini");
  KeptSettings settings;
  for (const auto& [player, action, key] : {std::tuple{0, Key::Left, int(Qt::Key_Left)},
                                            {0, Key::Select, int(Qt::Key_Space)},
                                            {0, Key::Right, int(Qt::Key_Comma)},
                                            {1, Key::Left, int(Qt::Key_F1)},
                                            {1, Key::Select, int(Qt::Key_Return)},
                                            {1, Key::Right, int(Qt::Key_Backslash)}}) {
    ASSERT_EQ(settings.controls.keys.choose(player, action, key), "");
  }
  settings.controls.pads = {{"03000000de280000ff11000001000000", 2, 0}, {"030000005e0400008e02000014010000", 1, 1}};
  ASSERT_TRUE(writeSettingsFile(path, settings));
  const SettingsRead read = readSettingsFile(path);
  EXPECT_EQ(read.problem, "");
  EXPECT_TRUE(read.settings == settings);

  struct Bad {
    const char* key;
    const char* value;
  };
  for (const Bad& bad :
       {Bad{"keys/player1/left", "P"}, Bad{"keys/player2/right", "Space"}, Bad{"keys/player1/select", "Ctrl+X"},
        Bad{"keys/player2/left", "nonsense"}, Bad{"pads/1/player", "3"}, Bad{"pads/2/guid", "xyz"}}) {
    SCOPED_TRACE(bad.key);
    ASSERT_TRUE(writeSettingsFile(path, settings));
    {
      QSettings file(path, QSettings::IniFormat);
      file.setValue(bad.key, bad.value);
    }
    const SettingsRead ignored = readSettingsFile(path);
    EXPECT_NE(ignored.problem, "");
    EXPECT_TRUE(ignored.settings == KeptSettings{});
  }
}

}  // namespace
}  // namespace glamora
