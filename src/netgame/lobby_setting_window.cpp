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

namespace glamora::netgame {

LobbySettingWindow::LobbySettingWindow(QWidget* parent, const QString& current, bool firstTime) : QDialog(parent) {
  setObjectName("netLobbyWindow");
  setWindowTitle(QString(kAppTitle) + " - ロビーの設定");
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  if (firstTime) {
    auto* first = new QLabel(
        "部屋を作ったりコードで参加したりするには、ロビー（相手と出会うためのサーバー）が要ります。"
        "使うロビーを決めてください。",
        this);
    first->setObjectName("netLobbyFirstTime");
    first->setWordWrap(true);
    first->setFont(formFont(12, true));
    layout->addWidget(first);
  }
  auto* how = new QLabel(
      "ロビーは、ゲームといっしょに入っている glamora-lobby を、二人の機械から届くサーバーで動かせば作れます"
      "（UDP のポート 47292 を開けておきます。くわしくは README の「Running a lobby」）。"
      "友だちやコミュニティが動かしているロビーなら、そのアドレスを入れます。",
      this);
  how->setWordWrap(true);
  how->setStyleSheet("color: #404040");
  layout->addWidget(how);

  const std::optional<netio::LobbyPlace> place = netio::readLobbyPlace(current.toStdString());
  auto* form = new QFormLayout;
  host_ = new QLineEdit(place ? QString::fromStdString(place->host) : QString(), this);
  host_->setObjectName("netLobbyHost");
  host_->setPlaceholderText("lobby.example.org か 203.0.113.5");
  form->addRow("ホスト名かアドレス:", host_);
  port_ = new QSpinBox(this);
  port_->setObjectName("netLobbyPort");
  port_->setRange(1, 65535);
  port_->setValue(place ? place->port : lobby::kLobbyPort);
  port_->setMinimumWidth(90);
  form->addRow("ポート (UDP):", port_);
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
  buttons->addButton("キャンセル", QDialogButtonBox::RejectRole)->setObjectName("netCancel");
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &LobbySettingWindow::tryAccept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  setMinimumWidth(540);
}

void LobbySettingWindow::tryAccept() {
  const QString host = host_->text().trimmed();
  if (host.isEmpty()) return message_->setText("ロビーのホスト名かアドレスを入れてください。");
  const std::optional<netio::LobbyPlace> place =
      netio::readLobbyPlace(host.toStdString() + ":" + std::to_string(port_->value()));
  if (!place) return message_->setText("ホスト名に使えるのは、英字、数字と「.」「-」「_」だけです。");
  if (chosen) chosen(QString::fromStdString(netio::toString(*place)));
  accept();
}

QString LobbySettingWindow::messageText() const { return message_->text(); }

}  // namespace glamora::netgame
