// Gamepads through the whole program, on SDL's virtual pads (no device
// needed): two pads play a battle to its result dialog and the journal of it
// replays exactly; pads plugged in and pulled out during a round; nothing is
// read while no game window is active; "操作設定" swaps the pads and chooses
// keys, which are kept for the next start. The pads' clock is stepped.
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <SDL.h>
#include <gtest/gtest.h>

#include "recorded_game.h"
#include "screens/operation_table_screen.h"

namespace glamora {
namespace {

// SDL's stand-in for a pad, with every button and axis of the game controller layout.
class VirtualPad {
 public:
  explicit VirtualPad(std::uint16_t product = 0x5678) {
    SDL_VirtualJoystickDesc desc{};
    desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    desc.naxes = SDL_CONTROLLER_AXIS_MAX;
    desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    desc.vendor_id = 0x1234;
    desc.product_id = product;
    desc.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    desc.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    desc.name = product == 0x5678 ? "Glamora Test Pad" : "Other Test Pad";
    joystick_ = SDL_JoystickOpen(SDL_JoystickAttachVirtualEx(&desc));
    EXPECT_TRUE(joystick_) << SDL_GetError();
  }
  ~VirtualPad() { pull(); }
  void pull() {
    if (!joystick_) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick_);
    for (int i = 0; i < SDL_NumJoysticks(); ++i) {
      if (SDL_JoystickGetDeviceInstanceID(i) == id) SDL_JoystickDetachVirtual(i);
    }
    SDL_JoystickClose(joystick_);
    joystick_ = nullptr;
  }
  void set(SDL_GameControllerButton button, bool down) { SDL_JoystickSetVirtualButton(joystick_, button, down); }
  void stick(int x) { SDL_JoystickSetVirtualAxis(joystick_, SDL_CONTROLLER_AXIS_LEFTX, static_cast<Sint16>(x)); }

 private:
  SDL_Joystick* joystick_ = nullptr;
};

struct GamepadsTest : ::testing::Test {
  QTemporaryDir home;
  QString settingsPath = home.filePath("glamora.ini");
  std::unique_ptr<GlamoraApp> app;
  media::MediaLibrary media{std::make_unique<media::SilentOutput>([this] { return app ? app->clock().now() : 0; })};
  test::StringSink sink;
  JournalWriter writer{sink};
  std::vector<std::string> results;  // every round's end but "abandoned"
  std::int64_t padMs = 0;
  // After the app: gone before it lets SDL go.
  std::vector<std::unique_ptr<VirtualPad>> pads;

  void SetUp() override { startGame(); }
  void TearDown() override { endGame(); }

  // The first run's journal is kept.
  void startGame(bool record = true) {
    readSettingsAtStart(settingsPath);
    app = std::make_unique<GlamoraApp>(media, filesInDirectory(GLAMORA_DATA_DIR));
    app->effects().errorBox = [](const QString& text) { ADD_FAILURE() << text.toStdString(); };
    if (record) {
      writer.begin("1.0", "2026-12-08T12:00:00+09:00");
      app->session().setRecorder(&writer);
    }
    app->session().onRoundEnded = [this](const RoundRecord& r) {
      if (r.result != "abandoned") results.push_back(r.result);
    };
    app->controls().gamepads().setClock([this] { return padMs; });
    app->title().show();
    app->clock().advance(500);  // the start-up step
    ASSERT_TRUE(app->controls().startGamepads()) << app->controls().gamepads().pads().problem();
  }
  void endGame() {
    pads.clear();
    app->session().setRecorder(nullptr);
    app.reset();
    readSettingsAtStart({});
  }

  VirtualPad& plug(std::uint16_t product = 0x5678) {
    pads.push_back(std::make_unique<VirtualPad>(product));
    poll();
    return *pads.back();
  }
  void poll() { app->controls().gamepads().poll(); }
  // A button pressed and let go, each read at once.
  void click(VirtualPad& pad, SDL_GameControllerButton button) {
    pad.set(button, true);
    poll();
    pad.set(button, false);
    poll();
  }
  void wait(int ms) {
    app->clock().advance(ms);
    padMs += ms;
  }
  BattleScreen& battleOnStage(int n) {
    app->openBattle();
    BattleScreen& battle = app->battle();
    QApplication::setActiveWindow(&battle);
    battle.menus().stages[n - 1]->trigger();
    wait(GameScreen::kCountMs);
    poll();
    return battle;
  }
  const PlayerState& battler(int p) { return app->session().battle.player(p).state; }
  std::vector<std::string> keyLines() const {
    std::vector<std::string> lines;
    for (const std::string& line : splitLines(sink.text)) {
      if (line.rfind("key ", 0) == 0) lines.push_back(line);
    }
    return lines;
  }
};

TEST_F(GamepadsTest, TwoPadsPlayABattleToItsResultDialogAndItsJournalReplays) {
  VirtualPad& one = plug();
  VirtualPad& two = plug();
  BattleScreen& battle = battleOnStage(1);
  ASSERT_TRUE(app->controls().gamepads().reading());

  click(one, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  EXPECT_EQ(battler(0).arrowCol, 4);
  click(two, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  EXPECT_EQ(battler(1).arrowCol, 2);
  // The stick, held: one step, another after 300 ms, then every 100 ms.
  two.stick(-30000);
  poll();
  EXPECT_EQ(battler(1).arrowCol, 1);
  two.stick(30000);
  poll();
  EXPECT_EQ(battler(1).arrowCol, 2);
  wait(299);
  poll();
  EXPECT_EQ(battler(1).arrowCol, 2);
  wait(1);
  poll();
  EXPECT_EQ(battler(1).arrowCol, 3);
  wait(100);
  poll();
  EXPECT_EQ(battler(1).arrowCol, 4);
  two.stick(0);
  poll();
  // Select takes, a held select does nothing more, and the drop follows.
  one.set(SDL_CONTROLLER_BUTTON_A, true);
  poll();
  EXPECT_EQ(battler(0).phase, Phase::Switching);
  wait(300);
  poll();
  one.set(SDL_CONTROLLER_BUTTON_A, false);
  poll();
  EXPECT_EQ(battler(0).phase, Phase::Where);
  EXPECT_NE(battler(0).held, Code::Empty);
  click(one, SDL_CONTROLLER_BUTTON_A);
  EXPECT_EQ(battler(0).held, Code::Empty);
  // The keyboard plays beside the pads.
  QTest::keyClick(&battle, Qt::Key_5);
  EXPECT_EQ(battler(1).phase, Phase::Switching);

  // Nobody plays on: a countdown ends the round; south closes the result dialog.
  wait(25'000);
  ASSERT_EQ(results.size(), 1u);
  QWidget* dialog = QApplication::activeModalWidget();
  ASSERT_TRUE(dialog);
  QApplication::setActiveWindow(dialog);
  click(two, SDL_CONTROLLER_BUTTON_A);
  EXPECT_FALSE(dialog->isVisible());
  battle.close();
  writer.finish(app->clock().now());

  EXPECT_EQ(keyLines(), (std::vector<std::string>{"key d", "key 4", "key 4", "key 6", "key 6", "key 6", "key s",
                                                  "key s", "key 5"}));
  EXPECT_EQ(test::replayToTheSameState(sink.text, app->session()), results);
}

TEST_F(GamepadsTest, PadsPluggedInAndPulledOutDuringARoundAreTakenAndLetGo) {
  BattleScreen& battle = battleOnStage(2);
  EXPECT_FALSE(app->controls().gamepads().reading());  // no pad yet
  VirtualPad& first = plug();
  VirtualPad& second = plug(0x9999);
  click(second, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  EXPECT_EQ(battler(1).arrowCol, 4);
  first.pull();
  poll();
  EXPECT_EQ(app->controls().padNames()[0], "");
  // Player 1 keeps the keyboard; player 2's pad plays on.
  QTest::keyClicks(&battle, "d");
  EXPECT_EQ(battler(0).arrowCol, 4);
  click(second, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  EXPECT_EQ(battler(1).arrowCol, 5);
  // Plugged in again, it plays player 1 again.
  VirtualPad& again = plug();
  EXPECT_EQ(app->controls().padNames()[0], "Glamora Test Pad");
  click(again, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  EXPECT_EQ(battler(0).arrowCol, 5);
  // Training has one player: any pad plays it.
  battle.close();
  app->openTraining();
  QApplication::setActiveWindow(&app->training());
  app->training().menus().stages[0]->trigger();
  wait(GameScreen::kCountMs);
  click(second, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  EXPECT_EQ(app->session().training.player().state.arrowCol, 2);
}

TEST_F(GamepadsTest, NothingIsReadWhileNoGameWindowIsActive) {
  VirtualPad& pad = plug();
  QApplication::setActiveWindow(&app->title());
  poll();
  EXPECT_FALSE(app->controls().gamepads().reading());
  BattleScreen& battle = battleOnStage(1);
  EXPECT_TRUE(app->controls().gamepads().reading());
  // A help screen over the battle takes the pad's presses, as it takes the keys.
  battle.menus().help->actions().at(0)->trigger();
  QWidget* help = QApplication::activeModalWidget();
  ASSERT_TRUE(help);
  QApplication::setActiveWindow(help);
  click(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  EXPECT_FALSE(app->controls().gamepads().reading());
  // Held while the game window comes back, the direction waits to be let go.
  pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, true);
  poll();
  help->close();
  QApplication::setActiveWindow(&battle);
  poll();
  wait(1000);
  poll();
  EXPECT_EQ(battler(0).arrowCol, 3);
  pad.set(SDL_CONTROLLER_BUTTON_DPAD_RIGHT, false);
  poll();
  click(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  EXPECT_EQ(battler(0).arrowCol, 4);
  // Start pauses and resumes; a paused round takes no presses.
  click(pad, SDL_CONTROLLER_BUTTON_START);
  EXPECT_TRUE(battle.paused());
  click(pad, SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
  EXPECT_EQ(battler(0).arrowCol, 4);
  click(pad, SDL_CONTROLLER_BUTTON_START);
  EXPECT_FALSE(battle.paused());
}

TEST_F(GamepadsTest, ControlsWindowSwapsPadsAndChoosesKeysThatAreKeptForTheNextStart) {
  plug();
  VirtualPad& second = plug();
  app->openBattle();
  BattleScreen& battle = app->battle();
  auto* item = battle.findChild<QAction*>("controls1");
  ASSERT_TRUE(item);
  item->trigger();
  ControlsWindow* window = app->controls().window();
  ASSERT_TRUE(window && window->isVisible());
  const auto padName = [&](int p) { return window->findChild<QLabel*>(QString("pad%1").arg(p))->text(); };
  EXPECT_EQ(padName(1), "Glamora Test Pad (1)");
  EXPECT_EQ(padName(2), "Glamora Test Pad (2)");
  window->findChild<QPushButton*>("swapPads")->click();
  EXPECT_EQ(padName(1), "Glamora Test Pad (2)");

  // Player 1 takes J, K, L by pressing them; a key of player 2 is refused.
  const auto choose = [&](const char* button, Qt::Key key) {
    window->findChild<QPushButton*>(button)->click();
    EXPECT_TRUE(window->choosing());
    QTest::keyClick(window, key);
  };
  choose("key1_1", Qt::Key_J);
  choose("key1_2", Qt::Key_4);
  EXPECT_TRUE(window->choosing());
  EXPECT_TRUE(window->message().startsWith("PLAYER2 の「左へ移動」")) << window->message().toStdString();
  QTest::keyClick(window, Qt::Key_K);
  choose("key1_3", Qt::Key_L);
  choose("key2_2", Qt::Key_Space);
  EXPECT_FALSE(window->choosing());
  EXPECT_EQ(window->findChild<QPushButton*>("key1_1")->text(), "J");
  // Closing it leaves the program running: the game screens are no primary
  // windows, and Qt ends a program only from its event loop.
  QSignalSpy lastClosed(qApp, &QGuiApplication::lastWindowClosed);
  QTimer::singleShot(0, window, [window] { window->findChild<QPushButton*>("return1")->click(); });
  QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(); });
  QApplication::exec();
  EXPECT_EQ(lastClosed.count(), 0);

  // The chosen keys and the swapped pads play: the journal has the players' characters.
  battleOnStage(1);
  QTest::keyClicks(&battle, "ja");
  EXPECT_EQ(battler(0).arrowCol, 2);
  QTest::keyClick(&battle, Qt::Key_Space);
  EXPECT_EQ(battler(1).phase, Phase::Switching);
  click(second, SDL_CONTROLLER_BUTTON_DPAD_LEFT);
  EXPECT_EQ(battler(0).arrowCol, 1);
  EXPECT_EQ(keyLines(), (std::vector<std::string>{"key a", "key 5", "key a"}));
  // The key table names them; the cover's hint too.
  auto& table = static_cast<OperationTableScreen&>(app->help().screen(HelpScreen::OperationTable));
  EXPECT_TRUE(table.findChild<QLabel*>("Label3")->text().startsWith("  'J','j' "));
  EXPECT_TRUE(table.findChild<QLabel*>("Label5")->text().contains("'K','k'"));
  EXPECT_TRUE(table.findChild<QLabel*>("Label5")->text().contains("Space"));
  const QString right = table.findChild<QLabel*>("Label4")->text();
  EXPECT_TRUE(right.startsWith("  'L','l' ") && right.contains(" '6' ") && right.endsWith("\u2026 右へ移動 "));
  battle.close();

  // The next start finds the keys and the pads as they were left.
  endGame();
  startGame(false);
  plug();
  plug();
  EXPECT_EQ(app->controls().keys().key(0, Key::Left), Qt::Key_J);
  EXPECT_EQ(app->controls().keys().key(1, Key::Select), Qt::Key_Space);
  EXPECT_EQ(app->controls().padNames()[0], "Glamora Test Pad (2)");
  // "初期設定に戻す" brings back A/S/D and 4/5/6, and they are kept.
  app->openBattle();
  app->battle().findChild<QAction*>("controls1")->trigger();
  app->controls().window()->findChild<QPushButton*>("defaults")->click();
  EXPECT_TRUE(app->controls().keys().allDefault());
  EXPECT_TRUE(readSettingsFile(settingsPath).settings.controls.keys.allDefault());
  auto& table2 = static_cast<OperationTableScreen&>(app->help().screen(HelpScreen::OperationTable));
  EXPECT_EQ(table2.findChild<QLabel*>("Label3")->text(), "  'A','a'         '4'       \u2026 左へ移動 ");
}

}  // namespace
}  // namespace glamora
