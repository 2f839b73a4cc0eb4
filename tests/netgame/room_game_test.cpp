// Rooms in the game's window against a real glamora-lobby on loopback, two
// games in one process as people use them: a public room found in the other's
// list, a room joined by its code with a pass phrase, a first room that asks
// for the lobby, a lobby nobody answers at and one that stops while a room
// waits. The event loop waits for the sockets and the timers; every wait ends
// by itself within a bound of real time.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <chrono>

#include "../engine/test_support.h"
#include "../net/child_program.h"
#include "assets/pictures/picture_library.h"
#include "net/datagram_socket.h"
#include "netgame/net_game.h"

namespace glamora::netgame {
namespace {

// A lobby of its own on loopback, stopped with the test.
struct Lobby {
  test::Program program{GLAMORA_LOBBY_PROGRAM, {"--port", "0", "--bind", "127.0.0.1"}};
  std::uint16_t port = static_cast<std::uint16_t>(nlohmann::json::parse(program.readLine())["port"].get<int>());
  std::string at() const { return "127.0.0.1:" + std::to_string(port); }
};

struct Game {
  Game(const PictureLibrary& pictures, const QString& sessions, std::string keptLobby)
      : kept(std::move(keptLobby)),
        screen(local, pictures, {}),
        net(
            screen, local, effects, [this](Dialog d) { return results[static_cast<int>(d)].get(); },
            sessions.toStdString(),
            NetGameOptions{"127.0.0.1",
                           0,
                           "127.0.0.1",
                           {"127.0.0.1"},
                           0,
                           LobbySetting{{}, [this] { return kept; }, [this](const std::string& l) { kept = l; }}}) {
    screen.show();
    for (auto& r : results) r = std::make_unique<QDialog>();
  }
  std::string kept;
  test::RecordingEffects effects;
  Session local{effects};
  BattleScreen screen;
  std::array<std::unique_ptr<QDialog>, 4> results;
  NetGame net;
  const NetMenu& menu() const { return screen.netMenu(); }
  QString status() { return screen.findChild<QLabel*>("netStatus")->text(); }
};

// Runs the event loop until `done` holds, for at most `seconds` of real time.
bool loopUntil(const std::function<bool()>& done, int seconds = 10) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  return true;
}

// The lobby's public rooms, read by a list of the test's own.
std::vector<lobby::RoomEntry> publicRooms(const Lobby& lobby) {
  std::string error;
  const auto socket = netio::DatagramSocket::open("127.0.0.1", error);
  const lobby::Endpoint at{0x7F000001, lobby.port};
  const auto start = std::chrono::steady_clock::now();
  const auto now = [&] {
    return std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - start).count();
  };
  netio::RoomList list(
      at, "the lobby", [&](const lobby::Endpoint& to, std::span<const std::uint8_t> d) { socket->send(to, d); }, now());
  while (!list.done()) {
    for (const auto& a : socket->read()) list.receive(a.bytes, now());
    list.service(now());
  }
  EXPECT_EQ(list.error(), "");
  return list.rooms();
}

TEST(RoomGame, AGameJoinsAPublicRoomFromItsListAndBothPlayDirectly) {
  const Lobby lobby;
  PictureLibrary pictures;
  QTemporaryDir sessions;
  Game host(pictures, sessions.path(), lobby.at()), joiner(pictures, sessions.path(), lobby.at());
  EXPECT_EQ(host.menu().makeRoom->text(), "部屋を作る(&R)...");
  EXPECT_EQ(host.menu().joinRoom->text(), "コードで参加(&C)...");

  host.menu().makeRoom->trigger();
  RoomHostWindow* window = host.net.rooms().hostWindow();
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->isModal());
  EXPECT_FALSE(host.menu().host->isEnabled());
  ASSERT_TRUE(loopUntil([&] { return !window->code().isEmpty(); }));
  const QString code = window->code();
  EXPECT_EQ(window->stateText(), "相手を待っています…");
  EXPECT_TRUE(publicRooms(lobby).empty());
  window->findChild<QCheckBox*>("netPublic")->click();
  ASSERT_TRUE(loopUntil([&] { return publicRooms(lobby).size() == 1; }));
  EXPECT_EQ(window->code(), code);  // listed, it keeps its code

  joiner.menu().joinRoom->trigger();
  RoomJoinWindow* join = joiner.net.rooms().joinWindow();
  ASSERT_TRUE(join);
  QTreeWidget* list = join->roomList();
  ASSERT_TRUE(loopUntil([&] { return list->topLevelItemCount() == 1 && list->topLevelItem(0)->text(1) == code; }));
  EXPECT_EQ(list->topLevelItem(0)->text(0), window->findChild<QLabel*>("netMachineName")->text());
  list->setCurrentItem(list->topLevelItem(0));
  EXPECT_EQ(join->codeBox()->text(), code);
  QTest::mouseClick(join->joinButton(), Qt::LeftButton);
  ASSERT_TRUE(loopUntil([&] { return host.net.battle() && joiner.net.battle(); }));
  ASSERT_TRUE(loopUntil([&] { return !host.net.rooms().windowOpen() && !joiner.net.rooms().windowOpen(); }));
  EXPECT_TRUE(host.status().startsWith("ネット対戦（ホスト）")) << host.status().toStdString();
  EXPECT_TRUE(host.status().contains("　直接　往復 ")) << host.status().toStdString();
  EXPECT_TRUE(joiner.status().contains("　直接　往復 ")) << joiner.status().toStdString();
  EXPECT_FALSE(host.menu().makeRoom->isEnabled());
  EXPECT_TRUE(publicRooms(lobby).empty());

  // The host chooses; the joiner sees it. The joiner leaves; both are back.
  host.screen.menus().stages[2]->trigger();
  ASSERT_TRUE(loopUntil([&] { return joiner.screen.menus().stages[2]->isChecked(); }));
  joiner.net.quit();
  ASSERT_TRUE(loopUntil([&] { return !host.net.battle() && !joiner.net.battle(); }));
  EXPECT_EQ(host.net.lastMessage(), "相手が対戦をやめました。");
  EXPECT_FALSE(host.net.rooms().link());
  EXPECT_TRUE(host.menu().makeRoom->isEnabled());
  EXPECT_TRUE(joiner.menu().joinRoom->isEnabled());
  EXPECT_EQ(host.screen.signCaption(Label::Stage), "?");
}

// The code typed its own way; a wrong code first, then the right one with
// the phrase the host set once its room was made.
TEST(RoomGame, AGameJoinsByCodeWithThePassPhraseTheHostSet) {
  const Lobby lobby;
  PictureLibrary pictures;
  QTemporaryDir sessions;
  Game host(pictures, sessions.path(), lobby.at()), joiner(pictures, sessions.path(), lobby.at());
  host.menu().makeRoom->trigger();
  RoomHostWindow* window = host.net.rooms().hostWindow();
  ASSERT_TRUE(loopUntil([&] { return !window->code().isEmpty(); }));
  window->findChild<QLineEdit*>("netKey")->setText("おしろい");
  QTest::mouseClick(window->findChild<QPushButton*>("netSetKey"), Qt::LeftButton);
  EXPECT_EQ(window->stateText(), "相手を待っています（合言葉を知っている相手だけ）…");

  joiner.menu().joinRoom->trigger();
  RoomJoinWindow* join = joiner.net.rooms().joinWindow();
  ASSERT_TRUE(
      loopUntil([&] { return join->roomList()->topLevelItem(0)->text(0) == "（公開されている部屋はありません）"; }));
  QTest::keyClicks(join->codeBox(), "zzz-zzz");
  QTest::keyClick(join->codeBox(), Qt::Key_Return);
  ASSERT_TRUE(loopUntil([&] { return join->joinButton()->isEnabled(); }));
  EXPECT_EQ(join->messageText(), "部屋 ZZZZZZ はありません。コードを確かめてください。");

  join->codeBox()->clear();
  const QString code = window->code();
  QTest::keyClicks(join->codeBox(), code.left(3).toLower() + " " + code.mid(3).toLower());
  EXPECT_EQ(join->codeBox()->text(), code);
  join->phraseBox()->setText("おしろい");
  QTest::keyClick(join->codeBox(), Qt::Key_Return);
  ASSERT_TRUE(loopUntil([&] { return host.net.battle() && joiner.net.battle(); }));
  host.net.quit();
  ASSERT_TRUE(loopUntil([&] { return !host.net.battle() && !joiner.net.battle(); }));
  EXPECT_EQ(joiner.net.lastMessage(), "ホストが対戦を終えました。");
}

// No lobby set: the lobby window asks for one, keeps it, and the room window
// opens. キャンセル closes the room at the lobby at once.
TEST(RoomGame, AFirstRoomAsksForTheLobbyAndACancelledRoomLeavesTheList) {
  const Lobby lobby;
  PictureLibrary pictures;
  QTemporaryDir sessions;
  Game host(pictures, sessions.path(), "");
  host.menu().makeRoom->trigger();
  LobbySettingWindow* ask = host.net.rooms().lobbyWindow();
  ASSERT_TRUE(ask);
  EXPECT_TRUE(ask->findChild<QLabel*>("netLobbyFirstTime"));
  EXPECT_FALSE(host.net.rooms().hostWindow());
  ask->hostBox()->setText("127.0.0.1");
  ask->portBox()->setValue(lobby.port);
  QTest::mouseClick(ask->findChild<QPushButton*>("netLobbyOk"), Qt::LeftButton);
  EXPECT_EQ(host.kept, lobby.at());
  ASSERT_TRUE(loopUntil([&] { return host.net.rooms().hostWindow(); }));
  RoomHostWindow* window = host.net.rooms().hostWindow();
  window->findChild<QCheckBox*>("netPublic")->click();
  ASSERT_TRUE(loopUntil([&] { return publicRooms(lobby).size() == 1; }));
  window->reject();
  ASSERT_TRUE(loopUntil([&] { return publicRooms(lobby).empty(); }, 1));
  EXPECT_FALSE(host.net.rooms().busy());
  EXPECT_TRUE(host.menu().makeRoom->isEnabled());
  // From the menu, the lobby window shows the one kept.
  host.menu().lobby->trigger();
  ASSERT_TRUE(host.net.rooms().lobbyWindow());
  EXPECT_EQ(host.net.rooms().lobbyWindow()->portBox()->value(), lobby.port);
  EXPECT_FALSE(host.net.rooms().lobbyWindow()->findChild<QLabel*>("netLobbyFirstTime"));
}

// Nobody answers at the lobby's port: both windows say so, nothing hangs,
// and the local network battle can still be begun.
TEST(RoomGame, ALobbyThatCannotBeReachedIsSaidInBothWindows) {
  std::uint16_t silentPort = 0;
  {
    const Lobby gone;  // a port that was a lobby's a moment ago
    silentPort = gone.port;
  }
  PictureLibrary pictures;
  QTemporaryDir sessions;
  const std::string at = "127.0.0.1:" + std::to_string(silentPort);
  Game host(pictures, sessions.path(), at), joiner(pictures, sessions.path(), at);
  host.menu().makeRoom->trigger();
  joiner.menu().joinRoom->trigger();
  RoomHostWindow* window = host.net.rooms().hostWindow();
  RoomJoinWindow* join = joiner.net.rooms().joinWindow();
  ASSERT_TRUE(loopUntil([&] { return window->remakeButton()->isVisible(); }));
  EXPECT_TRUE(window->stateText().startsWith(QString("ロビー（%1）に届きません。").arg(QString::fromStdString(at))))
      << window->stateText().toStdString();
  ASSERT_TRUE(loopUntil([&] { return join->roomList()->topLevelItem(0)->text(0) == "（ロビーに届きません）"; }));
  window->reject();
  join->reject();
  ASSERT_TRUE(loopUntil([&] { return !host.net.rooms().busy() && !joiner.net.rooms().busy(); }));
  EXPECT_TRUE(host.net.hostItem()->isEnabled());
  host.net.hostItem()->trigger();
  EXPECT_TRUE(host.net.hostWindow()->stateText().endsWith("で相手を待っています…"));
}

// The lobby stops while a room waits: the window says so within the
// rendezvous's 10 s, and the screen is as it was once the window closes.
TEST(RoomGame, ALobbyThatStopsWhileARoomWaitsIsSaid) {
  std::optional<Lobby> lobby(std::in_place);
  PictureLibrary pictures;
  QTemporaryDir sessions;
  Game host(pictures, sessions.path(), lobby->at());
  host.menu().makeRoom->trigger();
  RoomHostWindow* window = host.net.rooms().hostWindow();
  ASSERT_TRUE(loopUntil([&] { return !window->code().isEmpty(); }));
  lobby.reset();
  ASSERT_TRUE(loopUntil([&] { return window->remakeButton()->isVisible(); }, 12));
  EXPECT_EQ(window->stateText().toStdString(),
            "ロビー（" + host.kept + "）が応答しなくなりました。部屋は閉じられました。");
  EXPECT_FALSE(host.net.rooms().link());
  window->reject();
  ASSERT_TRUE(loopUntil([&] { return !host.net.rooms().busy(); }));
  EXPECT_FALSE(host.net.battle());
  EXPECT_TRUE(host.menu().makeRoom->isEnabled());
  EXPECT_EQ(host.screen.signCaption(Label::Stage), "?");
}

}  // namespace
}  // namespace glamora::netgame
