#include "room_join_window.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "lobby/lobby_wire.h"
#include "room_texts.h"
#include "screens/form_kit.h"
#include "window_rows.h"

namespace glamora::netgame {

namespace {

constexpr int kCodeRole = Qt::UserRole;
enum Column { kName, kCode, kWaited };

QFont codeBoxFont() { return roomCodeFont(24); }

}  // namespace

RoomJoinWindow::RoomJoinWindow(QWidget* parent, const QString& lobbyName) : QDialog(parent) {
  setObjectName("netRoomJoinWindow");
  setWindowTitle(QString(kAppTitle) + " - コードで参加");
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel("相手から聞いた部屋のコード（6 文字）:", this));
  auto* row = new QHBoxLayout;
  code_ = new QLineEdit(this);
  code_->setObjectName("netRoomCode");
  code_->setFont(codeBoxFont());
  code_->setPlaceholderText("例: K7M2QX");
  join_ = new QPushButton("参加(&J)", this);
  join_->setObjectName("netJoinRoom");
  join_->setDefault(true);
  join_->setMinimumHeight(code_->sizeHint().height());
  row->addWidget(code_, 1);
  row->addWidget(join_);
  layout->addLayout(row);
  phrase_ = addJoinPhraseRow(this, layout);

  layout->addWidget(new QLabel("公開されている部屋（選ぶとコードが入ります）:", this));
  rooms_ = new QTreeWidget(this);
  rooms_->setObjectName("netRooms");
  rooms_->setRootIsDecorated(false);
  rooms_->setColumnCount(3);
  rooms_->setHeaderLabels({"部屋の名前", "コード", "待っている時間"});
  rooms_->header()->setSectionResizeMode(kName, QHeaderView::Stretch);
  rooms_->header()->setSectionResizeMode(kCode, QHeaderView::ResizeToContents);
  rooms_->header()->setSectionResizeMode(kWaited, QHeaderView::ResizeToContents);
  rooms_->header()->setStretchLastSection(false);
  rooms_->setMinimumHeight(150);
  layout->addWidget(rooms_);
  message_ = new QLabel(this);
  message_->setObjectName("netMessage");
  message_->setWordWrap(true);
  message_->setMinimumHeight(36);
  layout->addWidget(message_);

  auto* bottom = new QHBoxLayout;
  auto* lobby = new QLabel("ロビー: " + lobbyName, this);
  lobby->setObjectName("netLobbyName");
  lobby->setStyleSheet("color: #606060");
  bottom->addWidget(lobby, 1);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton("キャンセル", QDialogButtonBox::RejectRole)->setObjectName("netCancel");
  bottom->addWidget(buttons);
  layout->addLayout(bottom);

  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(join_, &QPushButton::clicked, this, &RoomJoinWindow::tryJoin);
  connect(code_, &QLineEdit::textEdited, this, &RoomJoinWindow::codeEdited);
  // Return in either box presses 参加, the default button.
  connect(rooms_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (!item || item->data(kName, kCodeRole).isNull()) return;
    code_->setText(item->data(kName, kCodeRole).toString());
    message_->clear();
  });
  connect(rooms_, &QTreeWidget::itemDoubleClicked, this, [this] { tryJoin(); });
  listMessage("（部屋の一覧を読んでいます…）");
  setMinimumWidth(500);
}

// The box holds the code as it will be sent; what it cannot hold is said,
// and stays said until the code is whole or the box empty.
void RoomJoinWindow::codeEdited(const QString& typed) {
  const TypedCode read = readTypedCode(typed);
  if (read.code != typed) {
    // The cursor stays after what was kept of the characters before it.
    const auto cursor = readTypedCode(typed.left(code_->cursorPosition())).code.size();
    code_->setText(read.code);
    code_->setCursorPosition(static_cast<int>(cursor));
  }
  if (!read.problem.isEmpty()) {
    showTrouble(message_, read.problem);
  } else if (read.code.isEmpty() || read.code.size() == static_cast<qsizetype>(lobby::kCodeLength)) {
    message_->clear();
  }
}

void RoomJoinWindow::tryJoin() {
  if (!join_->isEnabled()) return;
  const QString code = code_->text();
  if (const QString problem = codeProblem(code); !problem.isEmpty()) return showProblem(problem);
  if (joinRoom) joinRoom(code, phrase_->text());
}

void RoomJoinWindow::setRooms(const std::vector<RoomLine>& rooms) {
  if (rooms.empty()) return listMessage("（公開されている部屋はありません）");
  const QTreeWidgetItem* current = rooms_->currentItem();
  const QString chosen = current ? current->data(kName, kCodeRole).toString() : QString();
  const QSignalBlocker quiet(rooms_);
  rooms_->clear();
  for (const RoomLine& line : rooms) {
    const QString name = line.sameVersion ? line.name : QString("%1（バージョン %2）").arg(line.name, line.version);
    auto* item = new QTreeWidgetItem(rooms_, {name, line.code, line.waited});
    item->setData(kName, kCodeRole, line.code);
    item->setTextAlignment(kWaited, Qt::AlignRight | Qt::AlignVCenter);
    if (!line.sameVersion) {
      for (int column = 0; column < 3; ++column) item->setForeground(column, Qt::gray);
    }
    if (line.code == chosen) rooms_->setCurrentItem(item);
  }
}

void RoomJoinWindow::showListProblem(const QString& text) { listMessage("（" + text + "）"); }

void RoomJoinWindow::listMessage(const QString& text) {
  const QSignalBlocker quiet(rooms_);
  rooms_->clear();
  auto* item = new QTreeWidgetItem(rooms_, {text});
  item->setFlags(Qt::NoItemFlags);
  item->setFirstColumnSpanned(true);
}

void RoomJoinWindow::showJoining(const QString& code) {
  join_->setEnabled(false);
  showUnderWay(message_, QString("部屋 %1 に参加しています…").arg(code));
}

void RoomJoinWindow::showProblem(const QString& text) {
  showIdle();
  showTrouble(message_, text);
}

void RoomJoinWindow::showIdle() {
  join_->setEnabled(true);
  message_->clear();
}

QString RoomJoinWindow::messageText() const { return message_->text(); }

}  // namespace glamora::netgame
