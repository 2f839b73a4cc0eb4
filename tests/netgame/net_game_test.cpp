// Two games in one process over real sockets on loopback, as a person uses
// them: one waits in the host window, the other finds it in the join window's
// list (probes sent to 127.0.0.1 only), chooses it and connects; both screens
// show the network battle; the joiner's 切断 brings both back to their local
// battles, the host with a message. The event loop waits for the sockets and
// the timers; every wait ends by itself within a bound of real time.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <netdb.h>

#include <gtest/gtest.h>

#include <chrono>

#include "../engine/test_support.h"
#include "assets/pictures/picture_library.h"
#include "netgame/net_game.h"

namespace glamora::netgame {
namespace {

struct Game {
  Game(const PictureLibrary& pictures, const QString& sessions, std::uint16_t port)
      : screen(local, pictures, {}),
        net(
            screen, local, effects, [this](Dialog d) { return results[static_cast<int>(d)].get(); },
            sessions.toStdString(), NetGameOptions{"127.0.0.1", port, "127.0.0.1", {"127.0.0.1"}, port, {}}) {
    screen.show();
    for (auto& r : results) r = std::make_unique<QDialog>();
  }
  test::RecordingEffects effects;
  Session local{effects};
  BattleScreen screen;
  std::array<std::unique_ptr<QDialog>, 4> results;
  NetGame net;
  QString text(const char* label) { return screen.client()->findChild<QLabel*>(label)->text(); }
};

// Runs the event loop until `done` holds, for at most ten seconds of real time.
bool loopUntil(const std::function<bool()>& done) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (!done()) {
    if (std::chrono::steady_clock::now() > until) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
  }
  return true;
}

std::uint16_t freePort() {
  netio::EnetConnection probe(netio::EnetConnection::Options{true, "127.0.0.1", 0, {}}, 0);
  return probe.port();
}

TEST(NetGame, TwoGamesFindEachOtherOnLoopbackPlayAndPartCleanly) {
  PictureLibrary pictures;
  QTemporaryDir sessions;
  const std::uint16_t port = freePort();
  Game host(pictures, sessions.path(), port), joiner(pictures, sessions.path(), port);
  EXPECT_EQ(host.screen.findChild<QMenu*>("net1")->title(), "ネット対戦(&N)");
  EXPECT_FALSE(host.net.quitItem()->isVisible());

  host.net.hostItem()->trigger();
  ASSERT_TRUE(host.net.hostWindow());
  EXPECT_EQ(host.net.hostWindow()->stateText(), QString("ポート %1 で相手を待っています…").arg(port));
  EXPECT_FALSE(joiner.net.battle());

  joiner.net.joinItem()->trigger();
  JoinWindow* window = joiner.net.joinWindow();
  ASSERT_TRUE(window);
  const QString address = QString("127.0.0.1:%1").arg(port);
  ASSERT_TRUE(loopUntil([&] {
    QListWidget* list = window->foundList();
    return list->count() == 1 && list->item(0)->text().contains(address);
  }));
  EXPECT_TRUE(window->foundList()->item(0)->text().endsWith("待っています"));
  window->foundList()->setCurrentRow(0);
  EXPECT_EQ(window->addressBox()->text(), address);
  QTest::mouseClick(window->connectButton(), Qt::LeftButton);
  ASSERT_TRUE(loopUntil([&] { return host.net.battle() && joiner.net.battle(); }));
  EXPECT_FALSE(host.net.hostWindow());
  EXPECT_TRUE(host.net.quitItem()->isVisible());
  EXPECT_TRUE(host.screen.findChild<QLabel*>("netStatus")->text().startsWith("ネット対戦（ホスト）"));
  EXPECT_TRUE(joiner.screen.findChild<QLabel*>("netStatus")->text().startsWith("ネット対戦（参加）"));
  // Each learns the other's name.
  ASSERT_TRUE(loopUntil([&] {
    return !joiner.net.battle()->engine().peerName().empty() && !host.net.battle()->engine().peerName().empty();
  }));
  EXPECT_EQ(joiner.net.battle()->engine().peerName(), host.net.battle()->engine().peerName());  // one machine, one name
  EXPECT_FALSE(joiner.screen.menus().stages[0]->isEnabled());

  // The host chooses; the joiner sees the count.
  host.screen.menus().stages[6]->trigger();
  ASSERT_TRUE(loopUntil([&] { return joiner.screen.menus().stages[6]->isChecked(); }));

  joiner.net.quit();
  EXPECT_EQ(joiner.screen.signCaption(Label::Stage), "?");
  ASSERT_TRUE(loopUntil([&] { return !host.net.battle() && !joiner.net.battle(); }));
  EXPECT_EQ(host.net.lastMessage(), "相手が対戦をやめました。");
  EXPECT_TRUE(host.screen.findChild<QMessageBox*>("netEnded"));
  EXPECT_EQ(joiner.net.lastMessage(), "");
  EXPECT_EQ(host.screen.signCaption(Label::Stage), "?");
  EXPECT_EQ(host.text("Label11"), "PLAYER1");
  EXPECT_TRUE(host.net.hostItem()->isEnabled());
  EXPECT_TRUE(joiner.net.joinItem()->isEnabled());
}

TEST(NetGame, AHostWhosePortIsTakenSaysSoAndWaitsOnAnother) {
  PictureLibrary pictures;
  QTemporaryDir sessions;
  const std::uint16_t port = freePort();
  const netio::EnetConnection taken(netio::EnetConnection::Options{true, "127.0.0.1", port, {}}, 0);
  Game host(pictures, sessions.path(), port);
  host.net.hostItem()->trigger();
  HostWindow* window = host.net.hostWindow();
  ASSERT_TRUE(window);
  EXPECT_TRUE(window->stateText().startsWith(QString("ポート %1 を開けません").arg(port)))
      << window->stateText().toStdString();
  const std::uint16_t other = freePort();
  window->findChild<QSpinBox*>("netPort")->setValue(other);
  QTest::mouseClick(window->findChild<QPushButton*>("netChangePort"), Qt::LeftButton);
  EXPECT_EQ(window->stateText(), QString("ポート %1 で相手を待っています…").arg(other));
  window->reject();
  EXPECT_TRUE(loopUntil([&] { return !host.net.hostWindow(); }));
  EXPECT_TRUE(host.net.hostItem()->isEnabled());
}

// A name is looked up off the event loop; the join goes on once it is found.
TEST(NetGame, AJoinerFindsTheHostByName) {
  addrinfo hints{};
  hints.ai_family = AF_INET;
  addrinfo* found = nullptr;
  if (getaddrinfo("localhost", nullptr, &hints, &found) != 0) GTEST_SKIP() << "this machine has no name localhost";
  freeaddrinfo(found);
  PictureLibrary pictures;
  QTemporaryDir sessions;
  const std::uint16_t port = freePort();
  Game host(pictures, sessions.path(), port), joiner(pictures, sessions.path(), port);
  host.net.hostItem()->trigger();
  joiner.net.joinItem()->trigger();
  JoinWindow* window = joiner.net.joinWindow();
  window->addressBox()->setText(QString("localhost:%1").arg(port));
  QTest::mouseClick(window->connectButton(), Qt::LeftButton);
  EXPECT_FALSE(joiner.net.battle());  // not before the name is found
  ASSERT_TRUE(loopUntil([&] { return host.net.battle() && joiner.net.battle(); }));
  joiner.net.quit();
  EXPECT_TRUE(loopUntil([&] { return !host.net.battle(); }));
}

// Each window's phrase reaches its connection: a phrase on one side only is refused.
TEST(NetGame, AHostAndAJoinerWithTheSamePassPhraseAreGreeted) {
  PictureLibrary pictures;
  QTemporaryDir sessions;
  const std::uint16_t port = freePort();
  Game host(pictures, sessions.path(), port), joiner(pictures, sessions.path(), port);
  host.net.hostItem()->trigger();
  host.net.hostWindow()->findChild<QLineEdit*>("netKey")->setText("おしろい");
  QTest::mouseClick(host.net.hostWindow()->findChild<QPushButton*>("netSetKey"), Qt::LeftButton);
  EXPECT_TRUE(host.net.hostWindow()->stateText().endsWith("（合言葉を知っている相手だけ）"));
  joiner.net.joinItem()->trigger();
  joiner.net.joinWindow()->addressBox()->setText(QString("127.0.0.1:%1").arg(port));
  joiner.net.joinWindow()->findChild<QLineEdit*>("netKey")->setText("おしろい");
  QTest::mouseClick(joiner.net.joinWindow()->connectButton(), Qt::LeftButton);
  ASSERT_TRUE(loopUntil([&] { return host.net.battle() && joiner.net.battle(); }));
  joiner.net.quit();
  EXPECT_TRUE(loopUntil([&] { return !host.net.battle(); }));
}

TEST(NetGame, AJoinerSaysWhyItCouldNotConnect) {
  PictureLibrary pictures;
  QTemporaryDir sessions;
  const std::uint16_t port = freePort();
  Game joiner(pictures, sessions.path(), port);
  joiner.net.joinItem()->trigger();
  JoinWindow* window = joiner.net.joinWindow();
  window->addressBox()->setText("mirabe pc");
  QTest::mouseClick(window->connectButton(), Qt::LeftButton);
  EXPECT_TRUE(window->messageText().startsWith("アドレスは")) << window->messageText().toStdString();
  EXPECT_FALSE(joiner.net.battle());
  window->reject();
  EXPECT_TRUE(loopUntil([&] { return !joiner.net.joinWindow(); }));
  EXPECT_TRUE(joiner.net.joinItem()->isEnabled());
}

}  // namespace
}  // namespace glamora::netgame
