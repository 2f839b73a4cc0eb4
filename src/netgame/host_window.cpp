#include "host_window.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "screens/form_kit.h"
#include "screens/live_text.h"
#include "window_rows.h"

namespace glamora::netgame {

HostWindow::HostWindow(QWidget* parent, const QString& machineName, const QStringList& addresses, quint16 port,
                       const QString& phrase)
    : QDialog(parent) {
  setObjectName("netHostWindow");
  bindText(this, Message("HostWindow", "%1 - 対戦相手を待つ").arg(Message::fixed(kAppTitle)), "windowTitle");
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  auto* intro =
      bound(new QLabel(this), Message("HostWindow",
                                      "相手に、この機械のアドレスかこの名前で「対戦相手に接続」してもらいます。\n"
                                      "同じネットワークなら、相手の一覧にこの機械が出ます。"));
  layout->addWidget(intro);

  auto* form = new QFormLayout;
  auto* name = new QLabel(machineName, this);
  name->setObjectName("netMachineName");
  name->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form->addRow(bound(new QLabel(this), Message("HostWindow", "この機械の名前:")), name);
  auto* list = new QLabel(addresses.join("\n"), this);
  if (addresses.isEmpty()) bindText(list, Message("HostWindow", "（ネットワークにつながっていません）"));
  list->setObjectName("netAddresses");
  list->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form->addRow(bound(new QLabel(this), Message("HostWindow", "アドレス:")), list);
  auto* portRow = new QHBoxLayout;
  port_ = new QSpinBox(this);
  port_->setObjectName("netPort");
  port_->setRange(1, 65535);
  port_->setValue(port);
  auto* change = bound(new QPushButton(this), Message("HostWindow", "ポートを変える(&P)"));
  change->setObjectName("netChangePort");
  portRow->addWidget(port_);
  portRow->addWidget(change);
  portRow->addStretch();
  form->addRow(bound(new QLabel(this), Message("HostWindow", "ポート (UDP):")), portRow);
  const HostPhraseRow phraseRow =
      addHostPhraseRow(this, form, phrase, Message("HostWindow", "なし（だれでも接続できます）"));
  phrase_ = phraseRow.phrase;
  QPushButton* setPhrase = phraseRow.set;
  layout->addLayout(form);

  state_ = new QLabel(this);
  state_->setObjectName("netHostState");
  state_->setWordWrap(true);
  layout->addWidget(state_);
  notice_ = new QLabel(this);
  notice_->setObjectName("netHostNotice");
  notice_->setWordWrap(true);
  notice_->setStyleSheet("color: #b00000");
  layout->addWidget(notice_);
  auto* note = bound(new QLabel(this),
                     Message("HostWindow", "ファイアウォールがあるときは、このポートの UDP を通してください。"));
  note->setStyleSheet("color: #606060");
  layout->addWidget(note);

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* cancel =
      bound(buttons->addButton(QString(), QDialogButtonBox::RejectRole), Message("HostWindow", "キャンセル"));
  cancel->setObjectName("netCancel");
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(change, &QPushButton::clicked, this, [this] {
    if (portChosen) portChosen(static_cast<quint16>(port_->value()));
  });
  connect(setPhrase, &QPushButton::clicked, this, [this] {
    if (phraseChosen) phraseChosen(phrase_->text());
  });
  setMinimumWidth(420);
}

void HostWindow::showWaiting(quint16 port, bool withPhrase) {
  port_->setValue(port);
  const Message number = Message::fixed(port);
  showUnderWay(state_,
               withPhrase
                   ? Message("HostWindow", "ポート %1 で相手を待っています…（合言葉を知っている相手だけ）").arg(number)
                   : Message("HostWindow", "ポート %1 で相手を待っています…").arg(number));
}

void HostWindow::showProblem(const Message& text) { showTrouble(state_, text); }

void HostWindow::showNotice(const Message& text) {
  bindText(notice_, text);
  growToFit(this);
}

QString HostWindow::stateText() const { return state_->text(); }
QString HostWindow::noticeText() const { return notice_->text(); }

}  // namespace glamora::netgame
