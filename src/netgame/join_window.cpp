#include "join_window.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "net_texts.h"
#include "screens/form_kit.h"
#include "window_rows.h"

namespace glamora::netgame {

namespace {

constexpr int kAddressRole = Qt::UserRole;

}  // namespace

JoinWindow::JoinWindow(QWidget* parent, quint16 defaultPort) : QDialog(parent), defaultPort_(defaultPort) {
  setObjectName("netJoinWindow");
  setWindowTitle(QString(kAppTitle) + " - 対戦相手に接続");
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("相手のアドレス（名前か 192.168.1.5 の形、ポートは「:47291」のように続けます）:", this));
  auto* row = new QHBoxLayout;
  address_ = new QLineEdit(this);
  address_->setObjectName("netAddress");
  address_->setPlaceholderText(QString("192.168.1.5 か 192.168.1.5:%1").arg(defaultPort));
  connect_ = new QPushButton("接続(&C)", this);
  connect_->setObjectName("netConnect");
  connect_->setDefault(true);
  row->addWidget(address_, 1);
  row->addWidget(connect_);
  layout->addLayout(row);
  phrase_ = addJoinPhraseRow(this, layout);

  layout->addWidget(new QLabel("このネットワークで見つかった対戦（選ぶとアドレスに入ります）:", this));
  found_ = new QListWidget(this);
  found_->setObjectName("netFound");
  found_->setMinimumHeight(110);
  layout->addWidget(found_);
  message_ = new QLabel(this);
  message_->setObjectName("netMessage");
  message_->setWordWrap(true);
  layout->addWidget(message_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* cancel = buttons->addButton("キャンセル", QDialogButtonBox::RejectRole);
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
  QString problem;
  const std::optional<TypedAddress> a = readTypedAddress(address_->text(), defaultPort_, problem);
  if (!a) return showFailure(problem);
  if (connectTo) connectTo(a->host, a->port);
}

void JoinWindow::setFound(const std::vector<FoundLine>& found) {
  const QString chosen = found_->currentItem() ? found_->currentItem()->data(kAddressRole).toString() : QString();
  const QSignalBlocker quiet(found_);
  found_->clear();
  if (found.empty()) {
    auto* none = new QListWidgetItem("（探しています…）", found_);
    none->setFlags(Qt::NoItemFlags);
    return;
  }
  for (const FoundLine& line : found) {
    auto* item = new QListWidgetItem(line.name + "　" + line.address + "　" + line.state, found_);
    // The box takes the address without the port when it is the usual one.
    const QString suffix = QString(":%1").arg(defaultPort_);
    item->setData(kAddressRole, line.address.endsWith(suffix) ? line.address.chopped(suffix.size()) : line.address);
    if (!line.free) item->setForeground(Qt::gray);
    if (item->data(kAddressRole).toString() == chosen) found_->setCurrentItem(item);
  }
}

void JoinWindow::showConnecting(const QString& target) {
  connect_->setEnabled(false);
  showUnderWay(message_, QString("%1 に接続しています…").arg(target));
}

void JoinWindow::showFailure(const QString& text) {
  showIdle();
  showTrouble(message_, text);
}

void JoinWindow::showIdle() {
  connect_->setEnabled(true);
  message_->clear();
}

QString JoinWindow::messageText() const { return message_->text(); }
QString JoinWindow::phrase() const { return phrase_->text(); }

}  // namespace glamora::netgame
