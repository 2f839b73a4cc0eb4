// The room windows and what they say: the code as typed, the public rooms,
// the host's code and its copy, the lobby's address, and the texts of a
// failed room and of the status line.
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "netgame/lobby_setting_window.h"
#include "netgame/room_host_window.h"
#include "netgame/room_join_window.h"
#include "netgame/room_texts.h"

namespace glamora::netgame {
namespace {

TEST(RoomTexts, ACodeIsReadAsTypedAndWhatItCannotHoldIsSaid) {
  const struct {
    const char* typed;
    const char* code;
    const char* problem;  // a part of it; "" for none
  } cases[] = {
      {"k7m2qx", "K7M2QX", ""},
      {"K7M - 2QX", "K7M2QX", ""},
      {"ｋ７ｍ－２ｑｘ", "K7M2QX", ""},  // full width, as an input method may give it
      {"k7m2qxz", "K7M2QX", ""},         // at most six
      {"K0M2", "KM2", "0、1、O、I はコードに使われていません"},
      {"io1", "", "0、1、O、I"},
      {"AB!C", "ABC", "英字と数字だけ"},
      {"あいう", "", "英字と数字だけ"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed);
    const TypedCode read = readTypedCode(QString::fromUtf8(c.typed));
    EXPECT_EQ(read.code, c.code);
    if (*c.problem) EXPECT_NE(read.problem.text().find(c.problem), std::string::npos) << read.problem.text();
    else EXPECT_EQ(read.problem.text(), "");
  }
  EXPECT_EQ(codeProblem("").text(), "部屋のコードを入れてください。");
  EXPECT_EQ(codeProblem("K7M2").text(), "コードは 6 文字です（いまは 4 文字）。");
  EXPECT_EQ(codeProblem("K7M2QX").text(), "");
  for (const auto& [ms, text] : std::vector<std::pair<std::uint32_t, const char*>>{
           {0, "0 秒"}, {59'999, "59 秒"}, {60'000, "1 分"}, {1'799'000, "29 分"}, {3'900'000, "1 時間 5 分"}}) {
    EXPECT_EQ(waitedText(ms).text(), text);
  }
  EXPECT_EQ(pathCaption("direct").text(), "直接");
  EXPECT_EQ(pathCaption("relay").text(), "中継 (ロビー経由)");
  EXPECT_EQ(pathCaption("").text(), "");
}

TEST(RoomJoinWindow, TheCodeBoxTakesACodeAsTypedAndAChosenRoomFillsIt) {
  RoomJoinWindow window(nullptr, "127.0.0.1:47292");
  window.show();
  std::vector<std::pair<QString, QString>> joined;
  window.joinRoom = [&](const QString& code, const QString& phrase) { joined.emplace_back(code, phrase); };
  QTreeWidget* list = window.roomList();
  ASSERT_EQ(list->topLevelItemCount(), 1);
  EXPECT_EQ(list->topLevelItem(0)->text(0), "（部屋の一覧を読んでいます…）");

  QTest::keyClicks(window.codeBox(), "k7m-o2");
  EXPECT_EQ(window.codeBox()->text(), "K7M2");
  EXPECT_TRUE(window.messageText().contains("0、1、O、I")) << window.messageText().toStdString();
  QTest::mouseClick(window.joinButton(), Qt::LeftButton);
  EXPECT_TRUE(joined.empty());
  EXPECT_EQ(window.messageText(), "コードは 6 文字です（いまは 4 文字）。");
  QTest::keyClicks(window.codeBox(), "qx");
  window.phraseBox()->setText("おしろい");
  QTest::keyClick(window.codeBox(), Qt::Key_Return);
  ASSERT_EQ(joined.size(), 1u);
  EXPECT_EQ(joined[0], std::make_pair(QString("K7M2QX"), QString("おしろい")));
  window.showJoining("K7M2QX");
  EXPECT_FALSE(window.joinButton()->isEnabled());
  EXPECT_EQ(window.messageText(), "部屋 K7M2QX に参加しています…");
  window.showProblem(Message::fixed("部屋 K7M2QX はありません。コードを確かめてください。"));
  EXPECT_TRUE(window.joinButton()->isEnabled());

  window.setRooms({{"ABCDEF", "elna-pc", Message::fixed("3 分"), "1.0", true},
                   {"GHJKLM", "mirabe-pc", Message::fixed("12 秒"), "1.1", false}});
  ASSERT_EQ(list->topLevelItemCount(), 2);
  EXPECT_EQ(list->topLevelItem(0)->text(0), "elna-pc");
  EXPECT_EQ(list->topLevelItem(0)->text(2), "3 分");
  EXPECT_EQ(list->topLevelItem(1)->text(0), "mirabe-pc（バージョン 1.1）");
  list->setCurrentItem(list->topLevelItem(1));
  EXPECT_EQ(window.codeBox()->text(), "GHJKLM");
  // A list read again keeps the choice; an empty one says so.
  window.setRooms({{"NPQRST", "salon", Message::fixed("1 秒"), "1.0", true},
                   {"GHJKLM", "mirabe-pc", Message::fixed("14 秒"), "1.1", false}});
  EXPECT_EQ(list->currentItem()->text(1), "GHJKLM");
  window.setRooms({});
  EXPECT_EQ(list->topLevelItem(0)->text(0), "（公開されている部屋はありません）");
  window.showListProblem(Message::fixed("ロビーに届きません"));
  EXPECT_EQ(list->topLevelItem(0)->text(0), "（ロビーに届きません）");
  EXPECT_EQ(window.codeBox()->text(), "GHJKLM");
}

TEST(RoomHostWindow, ShowsTheCodeLargeCopiesItAndSaysWhatItWaitsFor) {
  RoomHostWindow window(nullptr, "elna-pc", "lobby.example.org:47292");
  window.show();
  auto* code = window.findChild<QLabel*>("netRoomCode");
  EXPECT_EQ(window.findChild<QLabel*>("netMachineName")->text(), "elna-pc");
  EXPECT_FALSE(window.listed());
  std::vector<bool> listed;
  window.listedChosen = [&](bool on) { listed.push_back(on); };
  window.showRegistering();
  EXPECT_FALSE(window.copyButton()->isEnabled());
  window.showCode("K7M2QX");
  window.showWaiting(false);
  EXPECT_EQ(code->text(), "K7M2QX");
  EXPECT_GE(code->font().pixelSize(), 48);  // read across a room
  EXPECT_EQ(window.stateText(), "相手を待っています…");
  QTest::mouseClick(window.copyButton(), Qt::LeftButton);
  EXPECT_EQ(QApplication::clipboard()->text(), "K7M2QX");
  window.findChild<QCheckBox*>("netPublic")->click();
  EXPECT_EQ(listed, std::vector<bool>{true});
  window.showWaiting(true);
  EXPECT_EQ(window.stateText(), "相手を待っています（合言葉を知っている相手だけ）…");
  EXPECT_FALSE(window.remakeButton()->isVisible());
  window.showProblem(Message::fixed("ロビーが応答しなくなりました。"));
  EXPECT_TRUE(window.remakeButton()->isVisible());
  EXPECT_FALSE(window.copyButton()->isEnabled());
}

TEST(LobbySettingWindow, TakesAHostAndAPortAndRefusesWhatIsNoHost) {
  std::vector<QString> chosen;
  for (const bool first : {true, false}) {
    LobbySettingWindow window(nullptr, first ? "" : "192.0.2.7:5000", first);
    window.show();
    window.chosen = [&](const QString& place) { chosen.push_back(place); };
    EXPECT_EQ(window.findChild<QLabel*>("netLobbyFirstTime") != nullptr, first);
    EXPECT_EQ(window.hostBox()->text(), first ? "" : "192.0.2.7");
    EXPECT_EQ(window.portBox()->value(), first ? 47292 : 5000);
    auto* ok = window.findChild<QPushButton*>("netLobbyOk");
    window.hostBox()->clear();
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(window.messageText(), "ロビーのホスト名かアドレスを入れてください。");
    window.hostBox()->setText("my lobby");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_TRUE(window.messageText().startsWith("ホスト名に使えるのは")) << window.messageText().toStdString();
    EXPECT_TRUE(window.isVisible());
    window.hostBox()->setText(" lobby.example.org ");
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
  }
  EXPECT_EQ(chosen, (std::vector<QString>{"lobby.example.org", "lobby.example.org:5000"}));
}

}  // namespace
}  // namespace glamora::netgame
