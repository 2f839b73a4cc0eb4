// The host and join windows and what they say, the messages two games send
// each other beside the battle, and the texts a person is told.
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <gtest/gtest.h>

#include "screens/live_text.h"

#include "engine/net/side_messages.h"
#include "netgame/host_window.h"
#include "netgame/join_window.h"
#include "netgame/net_texts.h"
#include "netgame/room_host_window.h"

namespace glamora::netgame {
namespace {

TEST(JoinWindow, ChecksTheAddressTypedAndSaysWhatIsWrong) {
  JoinWindow window(nullptr, 47291);
  window.show();
  std::vector<std::pair<QString, quint16>> asked;
  window.connectTo = [&](const QString& host, quint16 port) { asked.emplace_back(host, port); };
  const struct {
    const char* typed;
    const char* message;  // a part of it; "" when the address is taken
    const char* host;
    quint16 port;
  } cases[] = {
      {"", "相手のアドレスを入れてください。", "", 0},
      {"mirabe pc", "アドレスは「名前」か「192.168.1.5」の形", "", 0},
      {"192.168.1.5:70000", "ポート番号は 1 から 65535 までです。", "", 0},
      {"192.168.1.5:", "アドレスは", "", 0},
      {" 192.168.1.5 ", "", "192.168.1.5", 47291},
      {"mirabe-pc:4000", "", "mirabe-pc", 4000},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    asked.clear();
    window.showIdle();
    window.addressBox()->setText(c.typed);
    QTest::mouseClick(window.connectButton(), Qt::LeftButton);
    if (*c.host) {
      ASSERT_EQ(asked.size(), 1u);
      EXPECT_EQ(asked[0].first, c.host);
      EXPECT_EQ(asked[0].second, c.port);
    } else {
      EXPECT_TRUE(asked.empty());
      EXPECT_TRUE(window.messageText().contains(c.message)) << window.messageText().toStdString();
    }
  }
  window.showConnecting("192.168.1.5:47291");
  EXPECT_FALSE(window.connectButton()->isEnabled());
  EXPECT_EQ(window.messageText(), "192.168.1.5:47291 に接続しています…");
  window.showFailure(Message::fixed("192.168.1.5:47291 から 5 秒たっても応答がありません。"));
  EXPECT_TRUE(window.connectButton()->isEnabled());
  EXPECT_TRUE(window.messageText().contains("応答がありません"));
}

TEST(JoinWindow, ListsTheGamesFoundAndAChoiceFillsTheAddress) {
  JoinWindow window(nullptr, 47291);
  window.show();
  QListWidget* list = window.foundList();
  window.setFound({});
  ASSERT_EQ(list->count(), 1);
  EXPECT_EQ(list->item(0)->text(), "（探しています…）");
  EXPECT_EQ(list->item(0)->flags(), Qt::NoItemFlags);

  window.setFound({{"elna-pc", "192.0.2.7:47291", true, Message::fixed("待っています")},
                   {"mirabe-pc", "192.0.2.9:5000", false, Message::fixed("対戦中")}});
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->item(0)->text(), "elna-pc　192.0.2.7:47291　待っています");
  list->setCurrentRow(0);
  EXPECT_EQ(window.addressBox()->text(), "192.0.2.7");
  list->setCurrentRow(1);
  EXPECT_EQ(window.addressBox()->text(), "192.0.2.9:5000");
  // A refreshed list keeps the choice.
  window.setFound({{"elna-pc", "192.0.2.7:47291", true, Message::fixed("待っています")},
                   {"mirabe-pc", "192.0.2.9:5000", true, Message::fixed("待っています")}});
  ASSERT_TRUE(list->currentItem());
  EXPECT_EQ(list->currentRow(), 1);
}

TEST(HostWindow, ShowsThisMachineAndThePortAndTakesAnotherPort) {
  HostWindow window(nullptr, "elna-pc", {"192.0.2.7", "10.0.0.3"}, 47291);
  window.show();
  EXPECT_EQ(window.findChild<QLabel*>("netMachineName")->text(), "elna-pc");
  EXPECT_EQ(window.findChild<QLabel*>("netAddresses")->text(), "192.0.2.7\n10.0.0.3");
  window.showWaiting(47291);
  EXPECT_EQ(window.stateText(), "ポート 47291 で相手を待っています…");
  std::vector<quint16> chosen;
  window.portChosen = [&](quint16 port) { chosen.push_back(port); };
  window.findChild<QSpinBox*>("netPort")->setValue(4000);
  QTest::mouseClick(window.findChild<QPushButton*>("netChangePort"), Qt::LeftButton);
  EXPECT_EQ(chosen, std::vector<quint16>{4000});
  window.showProblem(Message::fixed("ポート 4000 を開けません。"));
  EXPECT_EQ(window.stateText(), "ポート 4000 を開けません。");
  window.showNotice(Message::fixed("192.0.2.9:4711 からの接続を断りました: 相手のバージョンが違います"));
  EXPECT_TRUE(window.noticeText().contains("バージョンが違います"));
  HostWindow offline(nullptr, "elna-pc", {}, 47291);
  EXPECT_EQ(offline.findChild<QLabel*>("netAddresses")->text(), "（ネットワークにつながっていません）");
}

// Every box, button and text of a window has at least the height it needs.
void expectNothingClipped(QWidget* window) {
  QApplication::processEvents();
  for (QWidget* child : window->findChildren<QWidget*>()) {
    if (!child->isVisible() || child->isWindow() || !child->parentWidget()->layout()) continue;
    const int needed =
        child->hasHeightForWidth() ? child->heightForWidth(child->width()) : child->minimumSizeHint().height();
    EXPECT_GE(child->height(), needed) << child->objectName().toStdString() << " " << child->metaObject()->className();
  }
}

TEST(HostWindows, GrowForAProblemOfTwoLinesAndAsLongANotice) {
  const QString problem =
      "ポート 47291 を開けません。ほかのプログラムが使っているかもしれません。\n"
      "ほかのポートを選んで「ポートを変える」を押してください。";
  HostWindow host(nullptr, "elna-pc", {"192.0.2.7", "10.0.0.3"}, 47291);
  host.show();
  host.showWaiting(47291);
  const int before = host.height();
  host.showProblem(glamora::fixedText(problem));
  host.showNotice(Message::fixed(
      "192.0.2.9:4711 からの接続を断りました: 相手のバージョンが違います。\n相手も最新にしてください。"));
  EXPECT_GT(host.height(), before);
  expectNothingClipped(&host);

  RoomHostWindow room(nullptr, "elna-pc", "lobby.example.org:47292");
  room.show();
  room.showWaiting(false);
  room.showProblem(glamora::fixedText(problem + "\n" + problem));
  expectNothingClipped(&room);
}

TEST(NetTexts, EveryRefusalAndEveryEndIsSaidPlainly) {
  for (const net::Refusal r : {net::Refusal::Protocol, net::Refusal::GameVersion, net::Refusal::Signature,
                               net::Refusal::Speed, net::Refusal::Token, net::Refusal::Busy}) {
    EXPECT_TRUE(refusalMessage(r).text().starts_with("相手")) << static_cast<int>(r);
  }
  EXPECT_EQ(refusalMessage(net::Refusal::GameVersion).text(), "相手のバージョンが違います");
  EXPECT_EQ(refusalMessage(net::Refusal::Key).text(), "合言葉が違います");
  const struct {
    std::string error;
    bool finished, host;
    const char* text;
    bool box;
  } ends[] = {
      {"", true, false, "ホストが対戦を終えました。", false},
      {"", true, true, "", false},
      {"this side left the battle", false, true, "", false},
      {"the other side left the battle", false, false, "相手が対戦をやめました。", false},
      {"the other side disconnected", false, true, "相手が対戦をやめました。", false},
      {"the other side has been silent for 5 s", false, true, "相手から 5 秒間応答がありません。対戦を終えました。",
       false},
      {"this machine was stopped for 6 s", false, false, "この機械が 6 秒止まっていたため、対戦を終えました。", false},
      {"the lobby stopped relaying the battle", false, true, "ロビーが対戦の中継をやめました。対戦を終えました。",
       false},
      {"desync at tick 1234", false, true,
       "相手と対戦の状態が食い違いました（tick 1234）。対戦を終えました。\n記録: /s/x.session", true},
  };
  for (const auto& e : ends) {
    SCOPED_TRACE(e.error);
    const EndMessage m = endMessage(e.error, e.finished, e.host, "/s/x.session");
    EXPECT_EQ(m.text.text(), e.text);
    EXPECT_EQ(m.error, e.box);
  }
}

TEST(SideMessages, ReadBackWithTheirTokenAndNothingElse) {
  const std::uint64_t token = 0x0123456789ABCDEFull;
  const net::SideMessage name{net::SideMessage::Kind::Name, "mirabe-pc", 0};
  const net::SideMessage closed{net::SideMessage::Kind::ResultClosed, {}, 3};
  for (const net::SideMessage& m : {name, closed}) {
    const std::vector<std::uint8_t> bytes = net::encodeSideMessage(m, token);
    EXPECT_TRUE(net::looksLikeSideMessage(bytes));
    const auto back = net::decodeSideMessage(bytes, token);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->kind, m.kind);
    EXPECT_EQ(back->name, m.name);
    EXPECT_EQ(back->round, m.round);
    EXPECT_FALSE(net::decodeSideMessage(bytes, token + 1));
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
      EXPECT_FALSE(net::decodeSideMessage(std::span(bytes).first(cut), token));
    }
    for (std::size_t bit = 0; bit < bytes.size() * 8; ++bit) {
      std::vector<std::uint8_t> flipped = bytes;
      flipped[bit / 8] ^= static_cast<std::uint8_t>(1 << (bit % 8));
      EXPECT_FALSE(net::decodeSideMessage(flipped, token));
    }
  }
  // A name shows only what can be seen, at most 32 characters of it.
  const net::SideMessage loud{net::SideMessage::Kind::Name, "\x1b]0;owned\x07" + std::string(80, 'n'), 0};
  EXPECT_EQ(net::decodeSideMessage(net::encodeSideMessage(loud, token), token)->name,
            "]0;owned" + std::string(24, 'n'));
}

}  // namespace
}  // namespace glamora::netgame
