#include "room_join_window.h"

#include <QDialogButtonBox>
#include <QEvent>
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
#include "screens/live_text.h"
#include "window_rows.h"

namespace glamora::netgame {

namespace {

constexpr int kCodeRole = Qt::UserRole;
enum Column { kName, kCode, kWaited };

QFont codeBoxFont() { return roomCodeFont(24); }

}  // namespace

RoomJoinWindow::RoomJoinWindow(QWidget* parent, const QString& lobbyName) : QDialog(parent) {
  setObjectName("netRoomJoinWindow");
  bindText(this, Message("RoomJoinWindow", "%1 - コードで参加").arg(Message::fixed(kAppTitle)), "windowTitle");
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bound(new QLabel(this), Message("RoomJoinWindow", "相手から聞いた部屋のコード（6 文字）:")));
  auto* row = new QHBoxLayout;
  code_ = new QLineEdit(this);
  code_->setObjectName("netRoomCode");
  code_->setFont(codeBoxFont());
  bindText(code_, Message("RoomJoinWindow", "例: K7M2QX"), "placeholderText");
  join_ = bound(new QPushButton(this), Message("RoomJoinWindow", "参加(&J)"));
  join_->setObjectName("netJoinRoom");
  join_->setDefault(true);
  join_->setMinimumHeight(code_->sizeHint().height());
  row->addWidget(code_, 1);
  row->addWidget(join_);
  layout->addLayout(row);
  phrase_ = addJoinPhraseRow(this, layout);

  layout->addWidget(bound(new QLabel(this),
                          Message("RoomJoinWindow", "公開されている部屋（選ぶとコードが入ります）:")));
  rooms_ = new QTreeWidget(this);
  rooms_->setObjectName("netRooms");
  rooms_->setRootIsDecorated(false);
  rooms_->setColumnCount(3);
  showHeads();
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
  auto* lobby = bound(new QLabel(this), Message("RoomJoinWindow", "ロビー: %1").arg(fixedText(lobbyName)));
  lobby->setObjectName("netLobbyName");
  lobby->setStyleSheet("color: #606060");
  bottom->addWidget(lobby, 1);
  auto* buttons = new QDialogButtonBox(this);
  bound(buttons->addButton(QString(), QDialogButtonBox::RejectRole), Message("RoomJoinWindow", "キャンセル"))
      ->setObjectName("netCancel");
  bottom->addWidget(buttons);
  layout->addLayout(bottom);

  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(join_, &QPushButton::clicked, this, &RoomJoinWindow::tryJoin);
  connect(code_, &QLineEdit::textEdited, this, &RoomJoinWindow::codeEdited);
  // Return in either box presses 参加, the default button.
  connect(rooms_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
    if (!item || item->data(kName, kCodeRole).isNull()) return;
    code_->setText(item->data(kName, kCodeRole).toString());
    clearLine(message_);
  });
  connect(rooms_, &QTreeWidget::itemDoubleClicked, this, [this] { tryJoin(); });
  listMessage(Message("RoomJoinWindow", "（部屋の一覧を読んでいます…）"));
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
  if (!saysNothing(read.problem)) {
    showTrouble(message_, read.problem);
  } else if (read.code.isEmpty() || read.code.size() == static_cast<qsizetype>(lobby::kCodeLength)) {
    clearLine(message_);
  }
}

void RoomJoinWindow::tryJoin() {
  if (!join_->isEnabled()) return;
  const QString code = code_->text();
  if (const Message problem = codeProblem(code); !saysNothing(problem)) return showProblem(problem);
  if (joinRoom) joinRoom(code, phrase_->text());
}

void RoomJoinWindow::setRooms(const std::vector<RoomLine>& rooms) {
  shownRooms_ = rooms;
  showRooms();
}

void RoomJoinWindow::showHeads() {
  rooms_->setHeaderLabels({translated(Message("RoomJoinWindow", "部屋の名前")),
                           translated(Message("RoomJoinWindow", "コード")),
                           translated(Message("RoomJoinWindow", "待っている時間"))});
}

void RoomJoinWindow::showRooms() {
  const std::vector<RoomLine>& rooms = shownRooms_;
  if (rooms.empty()) return listMessage(Message("RoomJoinWindow", "（公開されている部屋はありません）"));
  listNote_.reset();
  const QTreeWidgetItem* current = rooms_->currentItem();
  const QString chosen = current ? current->data(kName, kCodeRole).toString() : QString();
  const QSignalBlocker quiet(rooms_);
  rooms_->clear();
  for (const RoomLine& line : rooms) {
    const QString name = line.sameVersion ? line.name
                                          : translated(Message("RoomJoinWindow", "%1（バージョン %2）")
                                                           .arg(fixedText(line.name))
                                                           .arg(fixedText(line.version)));
    auto* item = new QTreeWidgetItem(rooms_, {name, line.code, translated(line.waited)});
    item->setData(kName, kCodeRole, line.code);
    item->setTextAlignment(kWaited, Qt::AlignRight | Qt::AlignVCenter);
    if (!line.sameVersion) {
      for (int column = 0; column < 3; ++column) item->setForeground(column, Qt::gray);
    }
    if (line.code == chosen) rooms_->setCurrentItem(item);
  }
}

void RoomJoinWindow::showListProblem(const Message& text) {
  listMessage(Message("RoomJoinWindow", "（%1）").arg(text));
}

void RoomJoinWindow::listMessage(const Message& text) {
  listNote_ = text;
  const QSignalBlocker quiet(rooms_);
  rooms_->clear();
  auto* item = new QTreeWidgetItem(rooms_, {translated(text)});
  item->setFlags(Qt::NoItemFlags);
  item->setFirstColumnSpanned(true);
}

void RoomJoinWindow::showJoining(const QString& code) {
  join_->setEnabled(false);
  showUnderWay(message_, Message("RoomJoinWindow", "部屋 %1 に参加しています…").arg(fixedText(code)));
}

void RoomJoinWindow::showProblem(const Message& text) {
  showIdle();
  showTrouble(message_, text);
}

void RoomJoinWindow::showIdle() {
  join_->setEnabled(true);
  clearLine(message_);
}

void RoomJoinWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    showHeads();
    if (listNote_) listMessage(*listNote_);
    else showRooms();
  }
  QDialog::changeEvent(event);
}

QString RoomJoinWindow::messageText() const { return message_->text(); }

}  // namespace glamora::netgame
