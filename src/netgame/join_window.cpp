#include "join_window.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "net_texts.h"
#include "screens/form_kit.h"
#include "screens/live_text.h"
#include "window_rows.h"

namespace glamora::netgame {

namespace {

constexpr int kAddressRole = Qt::UserRole;

}  // namespace

JoinWindow::JoinWindow(QWidget* parent, quint16 defaultPort) : QDialog(parent), defaultPort_(defaultPort) {
  setObjectName("netJoinWindow");
  bindText(this, Message("JoinWindow", "%1 - 対戦相手に接続").arg(Message::fixed(kAppTitle)), "windowTitle");
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(
      bound(new QLabel(this),
            Message("JoinWindow", "相手のアドレス（名前か 192.168.1.5 の形、ポートは「:47291」のように続けます）:")));
  auto* row = new QHBoxLayout;
  address_ = new QLineEdit(this);
  address_->setObjectName("netAddress");
  bindText(address_, Message("JoinWindow", "192.168.1.5 か 192.168.1.5:%1").arg(Message::fixed(defaultPort)),
           "placeholderText");
  connect_ = bound(new QPushButton(this), Message("JoinWindow", "接続(&C)"));
  connect_->setObjectName("netConnect");
  connect_->setDefault(true);
  row->addWidget(address_, 1);
  row->addWidget(connect_);
  layout->addLayout(row);
  phrase_ = addJoinPhraseRow(this, layout);

  layout->addWidget(bound(new QLabel(this),
                          Message("JoinWindow", "このネットワークで見つかった対戦（選ぶとアドレスに入ります）:")));
  found_ = new QListWidget(this);
  found_->setObjectName("netFound");
  found_->setMinimumHeight(110);
  layout->addWidget(found_);
  message_ = new QLabel(this);
  message_->setObjectName("netMessage");
  message_->setWordWrap(true);
  layout->addWidget(message_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* cancel =
      bound(buttons->addButton(QString(), QDialogButtonBox::RejectRole), Message("JoinWindow", "キャンセル"));
  cancel->setObjectName("netCancel");
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(connect_, &QPushButton::clicked, this, &JoinWindow::tryConnect);
  connect(address_, &QLineEdit::returnPressed, this, &JoinWindow::tryConnect);
  connect(phrase_, &QLineEdit::returnPressed, this, &JoinWindow::tryConnect);
  connect(found_, &QListWidget::currentItemChanged, this, [this](QListWidgetItem* item) {
    if (item) address_->setText(item->data(kAddressRole).toString());
  });
  connect(found_, &QListWidget::itemDoubleClicked, this, [this] { tryConnect(); });
  setMinimumWidth(460);
}

void JoinWindow::tryConnect() {
  if (!connect_->isEnabled()) return;
  Message problem;
  const std::optional<TypedAddress> a = readTypedAddress(address_->text(), defaultPort_, problem);
  if (!a) return showFailure(problem);
  if (connectTo) connectTo(a->host, a->port);
}

void JoinWindow::setFound(const std::vector<FoundLine>& found) {
  shownFound_ = found;
  showFound();
}

void JoinWindow::showFound() {
  const std::vector<FoundLine>& found = shownFound_;
  const QString chosen = found_->currentItem() ? found_->currentItem()->data(kAddressRole).toString() : QString();
  const QSignalBlocker quiet(found_);
  found_->clear();
  if (found.empty()) {
    auto* none = new QListWidgetItem(translated(Message("JoinWindow", "（探しています…）")), found_);
    none->setFlags(Qt::NoItemFlags);
    return;
  }
  for (const FoundLine& line : found) {
    auto* item = new QListWidgetItem(line.name + "　" + line.address + "　" + translated(line.state), found_);
    // The box takes the address without the port when it is the usual one.
    const QString suffix = QString(":%1").arg(defaultPort_);
    item->setData(kAddressRole, line.address.endsWith(suffix) ? line.address.chopped(suffix.size()) : line.address);
    if (!line.free) item->setForeground(Qt::gray);
    if (item->data(kAddressRole).toString() == chosen) found_->setCurrentItem(item);
  }
}

void JoinWindow::showConnecting(const QString& target) {
  connect_->setEnabled(false);
  showUnderWay(message_, Message("JoinWindow", "%1 に接続しています…").arg(fixedText(target)));
}

void JoinWindow::showFailure(const Message& text) {
  showIdle();
  showTrouble(message_, text);
}

void JoinWindow::showIdle() {
  connect_->setEnabled(true);
  clearLine(message_);
}

void JoinWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) showFound();
  QDialog::changeEvent(event);
}

QString JoinWindow::messageText() const { return message_->text(); }
QString JoinWindow::phrase() const { return phrase_->text(); }

}  // namespace glamora::netgame
