// A network battle on the real battle screen, offscreen, against a headless
// peer or a second screen in the same test, over the simulated link on the
// simulated clock: the count on both machines, a round to its result dialog,
// the journals of both sides, the next round waiting for the joiner's dialog,
// disconnects from either side, and the local battle as it was afterwards.
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "../engine/test_support.h"
#include "assets/pictures/picture_library.h"
#include "engine/net/battle_snapshot.h"
#include "engine/net/headless_peer.h"
#include "engine/net/simulated_link.h"
#include "engine/net/simulated_match.h"
#include "engine/script_runner.h"
#include "modes/board_cover.h"
#include "netgame/net_battle_screen.h"
#include "records/script_records.h"
#include "screens/battle_result_dialog.h"

namespace glamora::netgame {
namespace {

constexpr std::uint64_t kToken = 0x5EED5EED5EEDull;
constexpr std::int64_t kMinuteUs = 60'000'000;

// One side's end of the simulated link, sending at the rig's time.
class LinkEnd final : public net::PeerLink {
 public:
  LinkEnd(net::SimulatedLink& link, int side, const std::int64_t& nowUs) : link_(link), side_(side), nowUs_(nowUs) {}
  void sendUnsequenced(std::span<const std::uint8_t> p) override { link_.send(side_, p, false, nowUs_); }
  void sendReliable(std::span<const std::uint8_t> p) override { link_.send(side_, p, true, nowUs_); }

 private:
  net::SimulatedLink& link_;
  int side_;
  const std::int64_t& nowUs_;
};

struct Notes final : InputRecorder {
  std::vector<std::string> comments;
  void input(std::int64_t, std::string_view) override {}
  void roundEnded(const RoundRecord&) override {}
  void comment(std::string_view text) override { comments.emplace_back(text); }
};

// A game in a window: its local session, its battle screen and, once begun,
// the network battle on it. Result dialogs open as plain windows the test closes.
struct GameSide {
  GameSide(const PictureLibrary& pictures) : screen(local, pictures, {}) {
    local.setRecorder(&notes);
    screen.show();
    results[0] = std::make_unique<BattleResultDialog>(BattleWinner::Player1, pictures);
    results[1] = std::make_unique<BattleResultDialog>(BattleWinner::Player2, pictures);
    for (auto& r : results) {
      if (!r) r = std::make_unique<QDialog>();
    }
  }
  test::RecordingEffects effects;
  Session local{effects};
  BattleScreen screen;
  Notes notes;
  std::array<std::unique_ptr<QDialog>, 4> results;
  std::unique_ptr<LinkEnd> link;
  std::unique_ptr<NetBattleOnScreen> battle;

  QString text(const char* label) { return screen.client()->findChild<QLabel*>(label)->text(); }
  QAction* item(const char* name) { return screen.findChild<QAction*>(name); }
  QString cover() { return screen.client()->findChild<BoardCover*>("coverA")->text(); }
  QString status() { return screen.findChild<QLabel*>("netStatus")->text(); }
  QString plateHint(int p) { return screen.plate(p)->toolTip(); }
  // Who the battle result dialogs say chooses the next stage, if both say the same.
  std::optional<StageChooser> stageChooser() const {
    const auto chooser = [this](int d) { return static_cast<BattleResultDialog&>(*results[d]).stageChooser(); };
    return chooser(0) == chooser(1) ? std::optional(chooser(0)) : std::nullopt;
  }
  int dialogs() const {
    return static_cast<int>(std::count_if(effects.log.begin(), effects.log.end(),
                                          [](const std::string& l) { return l.starts_with("dialog Mw"); }));
  }
  // Closes the result dialog shown last, as its person would.
  void closeResult() {
    for (auto& r : results) r->done(0);
  }
  QImage look() { return screen.client()->grab().toImage(); }
};

std::string fileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The hash of the battle a script leaves, as glamora-sim --hash prints it.
std::uint64_t scriptHash(const std::string& script) {
  struct : ScriptEvents {
    void ignored(int) override {}
    void dump(Mode) override {}
  } events;
  SilentEffects effects;
  Session session(effects);
  ScriptRunner runner(session, events);
  std::istringstream in(script);
  std::string line, reason;
  for (int n = 1; std::getline(in, line); ++n) EXPECT_TRUE(runner.runLine(n, line, reason)) << n << ": " << reason;
  std::vector<std::int64_t> scratch;
  return net::sharedStateHash(session, scratch);
}

struct NetBattleTest : ::testing::Test {
  PictureLibrary pictures;
  QTemporaryDir sessions;
  std::int64_t nowUs = 0;
  net::SimulatedLink link{net::LinkConditions{30, 10, 1, 2}, 7};
  std::vector<GameSide*> games;
  std::unique_ptr<LinkEnd> headlessEnd;
  std::unique_ptr<net::HeadlessPeer> headless;
  std::string headlessJournal;
  std::array<std::function<void(const std::vector<std::uint8_t>&)>, 2> receivers;  // by end of the link

  // Starts `game` as the host (side 0) or the joiner (side 1).
  void begin(GameSide& game, bool host, const std::string& name, records::RecordsKeeper* records = nullptr) {
    const int side = host ? 0 : 1;
    game.link = std::make_unique<LinkEnd>(link, side, nowUs);
    NetBattleSetup setup{host,
                         kToken,
                         100'000,
                         name,
                         "127.0.0.1:47291",
                         sessions.path().toStdString(),
                         QDateTime::fromSecsSinceEpoch(1'800'000'000 + side),
                         {},
                         {}};
    setup.records = records;
    game.battle = std::make_unique<NetBattleOnScreen>(
        game.screen, game.local, game.effects, *game.link, setup, [this] { return nowUs; },
        [&game](Dialog d) { return game.results[static_cast<int>(d)].get(); });
    games.push_back(&game);
    receivers[side] = [&game](const std::vector<std::uint8_t>& bytes) { game.battle->engine().receive(bytes); };
    game.battle->start();
  }
  void beginHeadless(bool host, int rounds = 1) {
    net::HeadlessOptions o;
    o.host = host;
    o.level = ComputerLevel::Normal;
    o.seed = 11;
    o.rounds = rounds;
    headlessEnd = std::make_unique<LinkEnd>(link, host ? 0 : 1, nowUs);
    headless = std::make_unique<net::HeadlessPeer>(o, kToken, 100'000, *headlessEnd,
                                                   [this](std::string_view l) { headlessJournal += l; });
    receivers[host ? 0 : 1] = [this](const std::vector<std::uint8_t>& bytes) {
      headless->peer().receive(bytes, nowUs);
    };
    headless->peer().start(nowUs);
  }
  bool headlessPlaying() const { return headless && headless->peer().status() == net::NetPeer::Status::Playing; }

  // Plays on until `done` holds or `limitUs` of simulated time has passed.
  bool runUntil(const std::function<bool()>& done, std::int64_t limitUs) {
    const std::int64_t until = nowUs + limitUs;
    while (!done()) {
      std::optional<std::int64_t> next = link.nextDueUs();
      const auto consider = [&](std::int64_t at) { next = std::min(next.value_or(at), at); };
      for (GameSide* g : games) {
        if (!g->battle->engine().over()) consider(g->battle->engine().nextWakeUs());
      }
      if (headlessPlaying()) consider(headless->peer().nextWakeUs());
      if (!next || *next > until) return false;
      nowUs = std::max(nowUs, *next);
      while (std::optional<net::Delivery> d = link.take(nowUs)) {
        if (receivers[d->to]) receivers[d->to](d->bytes);
      }
      for (GameSide* g : games) g->battle->engine().update();
      if (headless) headless->peer().update(nowUs);
    }
    return true;
  }
  bool runFor(std::int64_t us) {
    return !runUntil([] { return false; }, us);
  }
};

// A local round played by the computer on both sides to its result, so that
// the local battle has a board, a stage and wins to come back to.
void playLocalRound(GameSide& game) {
  game.item("player1Hard")->trigger();
  game.item("player2Easy")->trigger();
  game.screen.menus().stages[4]->trigger();
  for (int k = 0; k < 30 * 60 * 10 && game.dialogs() == 0; ++k) game.local.clock.advance(100);
  ASSERT_EQ(game.dialogs(), 1);
  game.effects.log.clear();
}

TEST_F(NetBattleTest, AGameHostPlaysAHeadlessJoinerToTheResultAndBothKeepTheSameJournal) {
  GameSide game(pictures);
  playLocalRound(game);
  const QImage localLook = game.look();
  std::vector<std::int64_t> scratch;
  const std::uint64_t localState = net::sharedStateHash(game.local, scratch);

  begin(game, true, "elna-pc");
  beginHeadless(false);
  EXPECT_EQ(game.screen.signCaption(Label::Stage), "?");
  EXPECT_EQ(game.screen.signCaption(Label::WinsP1), "0");
  EXPECT_EQ(game.text("Label11"), "あなた");
  EXPECT_TRUE(game.plateHint(0).startsWith("elna-pc（この機械")) << game.plateHint(0).toStdString();
  EXPECT_EQ(game.text("Label12"), "127.0.0.1");  // a headless peer sends no name
  EXPECT_TRUE(game.status().startsWith("ネット対戦（ホスト）　相手: 127.0.0.1:47291")) << game.status().toStdString();
  EXPECT_FALSE(game.screen.findChild<QMenu*>("player2")->isEnabled());

  // This side goes to the computer; the local battle's players stay as they were.
  game.item("player1Normal")->trigger();
  EXPECT_TRUE(game.item("player1Normal")->isChecked());
  ASSERT_TRUE(runFor(200'000));
  EXPECT_EQ(game.text("Label11"), "あなた\nCPU ふつう");
  EXPECT_EQ(game.local.battle.computer(0)->level(), ComputerLevel::Hard);

  game.screen.menus().stages[2]->trigger();
  EXPECT_EQ(game.cover(), "ステージ３\n3");
  EXPECT_TRUE(game.screen.menus().stages[2]->isChecked());
  ASSERT_TRUE(runFor(1'050'000));
  EXPECT_EQ(game.cover(), "ステージ３\n2");
  ASSERT_TRUE(runUntil([&] { return game.screen.signCaption(Label::Stage) == "3"; }, 3'000'000));
  EXPECT_EQ(game.cover(), "");

  ASSERT_TRUE(runUntil([&] { return game.dialogs() == 1; }, 30 * kMinuteUs));
  const bool firstWon = std::count(game.effects.log.begin(), game.effects.log.end(), "dialog Mw1Form") == 1;
  EXPECT_EQ(game.screen.signCaption(firstWon ? Label::WinsP1 : Label::WinsP2), "1");
  game.closeResult();

  // 切断: the local battle shows again at once, exactly as it was.
  game.battle->engine().quit();
  EXPECT_EQ(game.look(), localLook);
  EXPECT_FALSE(game.screen.findChild<QLabel*>("netStatus")->isVisible());
  EXPECT_EQ(net::sharedStateHash(game.local, scratch), localState);
  EXPECT_EQ(game.local.battle.computer(1)->level(), ComputerLevel::Easy);
  ASSERT_TRUE(runUntil([&] { return game.battle->engine().over() && !headlessPlaying(); }, 5'000'000));
  EXPECT_EQ(game.battle->endMessage().text.text(), "");
  const net::PeerReport report = headless->report();
  ASSERT_TRUE(report.ok) << report.error;
  EXPECT_EQ(report.tally.wins, game.battle->engine().peer().battle().tally().wins);

  // The game's session file is the headless peer's journal, and replays to the state both agreed on.
  const std::string kept = fileText(game.battle->sessionFile());
  EXPECT_TRUE(kept.starts_with("# Glamora 1.0 session ")) << kept.substr(0, 80);
  EXPECT_NE(kept.find("# round 1: battle stage 3, t "), std::string::npos);
  EXPECT_EQ(net::withoutComments(kept), net::withoutComments(headlessJournal));
  EXPECT_EQ(scriptHash(kept), report.hash);
  ASSERT_EQ(game.notes.comments.size(), 2u);
  EXPECT_EQ(game.notes.comments[0].find("network battle as host with 127.0.0.1:47291"), 0u);
  EXPECT_NE(game.notes.comments[0].find("kept in " + game.battle->sessionFile()), std::string::npos);
}

TEST_F(NetBattleTest, AGameJoinerFollowsTheHostsStagesToItsEnd) {
  GameSide game(pictures);
  const QImage before = game.look();
  beginHeadless(true, 1);
  begin(game, false, "mirabe-pc");
  for (QAction* stage : game.screen.menus().stages) EXPECT_FALSE(stage->isEnabled());
  EXPECT_FALSE(game.screen.menus().editor->isEnabled());
  ASSERT_TRUE(game.item("netStageNote"));
  EXPECT_EQ(game.item("netStageNote")->text(), "（ステージはホストが選びます）");
  EXPECT_TRUE(game.status().endsWith("ステージはホストが選びます")) << game.status().toStdString();
  EXPECT_EQ(game.text("Label12"), "あなた");
  game.item("player2Hard")->trigger();

  // The host chose at once: the count shows here too.
  ASSERT_TRUE(runUntil([&] { return game.cover().endsWith("\n3"); }, 1'000'000));
  ASSERT_TRUE(runUntil([&] { return game.battle->engine().over(); }, 40 * kMinuteUs));
  EXPECT_EQ(game.dialogs(), 1);
  EXPECT_EQ(game.battle->endMessage().text.text(), "ホストが対戦を終えました。");
  EXPECT_EQ(game.look(), before);
  for (QAction* stage : game.screen.menus().stages) EXPECT_TRUE(stage->isEnabled());
  EXPECT_FALSE(game.item("netStageNote")->isVisible());
  ASSERT_TRUE(runUntil([&] { return !headlessPlaying(); }, 5'000'000));
  EXPECT_TRUE(headless->report().ok) << headless->report().error;
  EXPECT_EQ(net::withoutComments(fileText(game.battle->sessionFile())), net::withoutComments(headlessJournal));
}

TEST_F(NetBattleTest, TheNextRoundWaitsUntilTheJoinerHasClosedItsResult) {
  GameSide host(pictures), joiner(pictures);
  begin(host, true, "elna-pc");
  begin(joiner, false, "mirabe-pc");
  ASSERT_TRUE(runFor(500'000));
  // Each names the other and says which side is its own.
  EXPECT_EQ(host.text("Label11"), "あなた");
  EXPECT_EQ(host.text("Label12"), "mirabe-pc");
  EXPECT_EQ(joiner.text("Label11"), "elna-pc");
  EXPECT_EQ(joiner.text("Label12"), "あなた");
  EXPECT_EQ(host.stageChooser(), StageChooser::ThisMachine);
  EXPECT_EQ(joiner.stageChooser(), StageChooser::Host);
  host.item("player1Hard")->trigger();
  joiner.item("player2Hard")->trigger();
  host.screen.menus().stages[0]->trigger();
  ASSERT_TRUE(runUntil([&] { return host.dialogs() == 1 && joiner.dialogs() == 1; }, 30 * kMinuteUs));

  // The host has read its result and asks for the same stage again: it waits.
  host.closeResult();
  host.screen.playAgain();
  ASSERT_TRUE(runFor(5'000'000));
  EXPECT_EQ(host.cover(), "");
  EXPECT_EQ(joiner.cover(), "");
  EXPECT_TRUE(host.status().endsWith("相手が結果を見ています")) << host.status().toStdString();

  joiner.closeResult();
  ASSERT_TRUE(runUntil([&] { return host.cover() == "ステージ１\n3"; }, 1'000'000));
  ASSERT_TRUE(runUntil([&] { return joiner.cover().startsWith("ステージ１\n"); }, 1'000'000));
  host.battle->engine().quit();
  ASSERT_TRUE(runUntil([&] { return host.battle->engine().over() && joiner.battle->engine().over(); }, 5'000'000));
  EXPECT_EQ(joiner.battle->endMessage().text.text(), "ホストが対戦を終えました。");
  EXPECT_EQ(joiner.stageChooser(), StageChooser::ThisMachine);  // the local battle's again
  EXPECT_EQ(net::withoutComments(fileText(host.battle->sessionFile())),
            net::withoutComments(fileText(joiner.battle->sessionFile())));
}

// Each side writes its round's row as its result dialog opens, from the
// session file it is writing, and the rows are those the file gives again.
TEST_F(NetBattleTest, EachSideRecordsItsRoundAsTheResultOpensAndItsFileGivesTheSameRow) {
  QTemporaryDir hostData, joinerData;
  std::ostringstream log;
  records::RecordsKeeper hostRecords(hostData.path().toStdString() + "/sessions", log);
  records::RecordsKeeper joinerRecords(joinerData.path().toStdString() + "/sessions", log);
  GameSide host(pictures), joiner(pictures);
  begin(host, true, "elna-pc", &hostRecords);
  begin(joiner, false, "mirabe-pc", &joinerRecords);
  ASSERT_TRUE(runFor(500'000));
  host.item("player1Hard")->trigger();
  joiner.item("player2Normal")->trigger();
  host.screen.menus().stages[4]->trigger();
  ASSERT_TRUE(runUntil([&] { return host.dialogs() == 1 || joiner.dialogs() == 1; }, 30 * kMinuteUs));
  EXPECT_EQ(hostRecords.database()->count(), host.dialogs());
  EXPECT_EQ(joinerRecords.database()->count(), joiner.dialogs());
  ASSERT_TRUE(runUntil([&] { return host.dialogs() == 1 && joiner.dialogs() == 1; }, kMinuteUs));
  host.battle->engine().quit();
  ASSERT_TRUE(runUntil([&] { return host.battle->engine().over() && joiner.battle->engine().over(); }, 5'000'000));

  const std::vector<records::RoundRow> hostRows = hostRecords.database()->rows();
  const std::vector<records::RoundRow> joinerRows = joinerRecords.database()->rows();
  ASSERT_EQ(hostRows.size(), 1u);
  ASSERT_EQ(joinerRows.size(), 1u);
  for (const auto& [game, rows] : {std::pair{&host, hostRows}, std::pair{&joiner, joinerRows}}) {
    const std::string path = game->battle->sessionFile();
    EXPECT_EQ(records::rowsOfScript(fileText(path), std::filesystem::path(path).filename().string()), rows);
  }
  EXPECT_EQ(hostRows[0].mode, records::PlayMode::Network);
  EXPECT_EQ(hostRows[0].side1, "person");
  EXPECT_EQ(hostRows[0].side2, "peer:mirabe-pc");
  EXPECT_EQ(joinerRows[0].side1, "peer:elna-pc");
  EXPECT_EQ(joinerRows[0].side2, "person");
  EXPECT_EQ(hostRows[0].stage, 5);
  EXPECT_EQ(hostRows[0].winner, joinerRows[0].winner);
  EXPECT_EQ(hostRows[0].lengthMs, joinerRows[0].lengthMs);
  EXPECT_EQ(log.str(), "");
}

TEST_F(NetBattleTest, EitherSideLeavingOrSilenceEndsTheBattleWithAMessage) {
  enum class Event { PeerLeaves, GameQuits, LinkCut };
  const struct {
    bool gameHosts;
    Event event;
    const char* message;  // what the game says
    bool peerFinishes;    // the headless peer ends cleanly
  } cases[] = {
      {true, Event::PeerLeaves, "相手が対戦をやめました。", false},
      {false, Event::PeerLeaves, "相手が対戦をやめました。", false},
      {true, Event::GameQuits, "", true},
      {false, Event::GameQuits, "", false},
      {true, Event::LinkCut, "相手から 5 秒間応答がありません。対戦を終えました。", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(&c - cases));
    GameSide game(pictures);
    const QImage before = game.look();
    games.clear();
    receivers = {};
    headlessJournal.clear();
    link = net::SimulatedLink(net::LinkConditions{30, 10, 1, 2}, 7);
    beginHeadless(!c.gameHosts, 3);
    begin(game, c.gameHosts, "elna-pc");
    game.item(c.gameHosts ? "player1Hard" : "player2Hard")->trigger();
    if (c.gameHosts) game.screen.menus().stages[1]->trigger();
    ASSERT_TRUE(runFor(20'000'000));
    ASSERT_FALSE(game.battle->engine().over());
    switch (c.event) {
      case Event::PeerLeaves: headless->peer().leave(); break;
      case Event::GameQuits: game.battle->engine().quit(); break;
      case Event::LinkCut: link.cut(); break;
    }
    ASSERT_TRUE(runUntil([&] { return game.battle->engine().over() && !headlessPlaying(); }, 10'000'000));
    EXPECT_EQ(game.battle->endMessage().text.text(), c.message);
    EXPECT_EQ(game.look(), before);
    EXPECT_EQ(headless->peer().status() == net::NetPeer::Status::Finished, c.peerFinishes) << headless->peer().error();
    const bool stopped = fileText(game.battle->sessionFile()).find("# network battle stopped: ") != std::string::npos;
    EXPECT_EQ(stopped, !c.peerFinishes);
    game.battle.reset();
  }
}

}  // namespace
}  // namespace glamora::netgame
