#include "lobby_setting_window.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "net/lobby_place.h"
#include "screens/form_kit.h"
#include "screens/live_text.h"

namespace glamora::netgame {

LobbySettingWindow::LobbySettingWindow(QWidget* parent, const QString& current, bool firstTime) : QDialog(parent) {
  setObjectName("netLobbyWindow");
  bindText(this, Message("LobbySettingWindow", "%1 - ロビーの設定").arg(Message::fixed(kAppTitle)), "windowTitle");
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  if (firstTime) {
    auto* first =
        bound(new QLabel(this),
              Message("LobbySettingWindow",
                      "部屋を作ったりコードで参加したりするには、ロビー（相手と出会うためのサーバー）が要ります。"
                      "使うロビーを決めてください。"));
    first->setObjectName("netLobbyFirstTime");
    first->setWordWrap(true);
    first->setFont(formFont(12, true));
    layout->addWidget(first);
  }
  auto* how = bound(
      new QLabel(this),
      Message("LobbySettingWindow",
              "ロビーは、ゲームといっしょに入っている glamora-lobby を、二人の機械から届くサーバーで動かせば作れます"
              "（UDP のポート 47292 を開けておきます。くわしくは README の「Running a lobby」）。"
              "友だちやコミュニティが動かしているロビーなら、そのアドレスを入れます。"));
  how->setWordWrap(true);
  how->setStyleSheet("color: #404040");
  layout->addWidget(how);

  const std::optional<netio::LobbyPlace> place = netio::readLobbyPlace(current.toStdString());
  auto* form = new QFormLayout;
  host_ = new QLineEdit(place ? QString::fromStdString(place->host) : QString(), this);
  host_->setObjectName("netLobbyHost");
  bindText(host_, Message("LobbySettingWindow", "lobby.example.org か 203.0.113.5"), "placeholderText");
  form->addRow(bound(new QLabel(this), Message("LobbySettingWindow", "ホスト名かアドレス:")), host_);
  port_ = new QSpinBox(this);
  port_->setObjectName("netLobbyPort");
  port_->setRange(1, 65535);
  port_->setValue(place ? place->port : lobby::kLobbyPort);
  port_->setMinimumWidth(90);
  form->addRow(bound(new QLabel(this), Message("LobbySettingWindow", "ポート (UDP):")), port_);
  layout->addLayout(form);
  message_ = new QLabel(this);
  message_->setObjectName("netMessage");
  message_->setWordWrap(true);
  message_->setStyleSheet("color: #b00000");
  layout->addWidget(message_);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
  ok->setObjectName("netLobbyOk");
  ok->setDefault(true);
  bound(buttons->addButton(QString(), QDialogButtonBox::RejectRole), Message("LobbySettingWindow", "キャンセル"))
      ->setObjectName("netCancel");
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &LobbySettingWindow::tryAccept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  setMinimumWidth(540);
}

void LobbySettingWindow::tryAccept() {
  const QString host = host_->text().trimmed();
  if (host.isEmpty())
    return bindText(message_, Message("LobbySettingWindow", "ロビーのホスト名かアドレスを入れてください。"));
  const std::optional<netio::LobbyPlace> place =
      netio::readLobbyPlace(host.toStdString() + ":" + std::to_string(port_->value()));
  if (!place) {
    return bindText(message_,
                    Message("LobbySettingWindow", "ホスト名に使えるのは、英字、数字と「.」「-」「_」だけです。"));
  }
  if (chosen) chosen(QString::fromStdString(netio::toString(*place)));
  accept();
}

QString LobbySettingWindow::messageText() const { return message_->text(); }

}  // namespace glamora::netgame
