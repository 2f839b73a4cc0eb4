#include "room_host_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/form_kit.h"
#include "screens/live_text.h"
#include "window_rows.h"

namespace glamora::netgame {

namespace {

constexpr const char* kNoCode = "- - - - - -";

// Six characters to be read across a room.
QFont codeFont() { return roomCodeFont(54); }

}  // namespace

RoomHostWindow::RoomHostWindow(QWidget* parent, const QString& machineName, const QString& lobbyName,
                               const QString& phrase, bool listed)
    : QDialog(parent) {
  setObjectName("netRoomHostWindow");
  bindText(this, Message("RoomHostWindow", "%1 - 部屋を作る").arg(Message::fixed(kAppTitle)), "windowTitle");
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bound(new QLabel(this),
                          Message("RoomHostWindow", "このコードを相手に伝えて、「コードで参加」で入ってもらいます。")));

  auto* codeFrame = new QFrame(this);
  codeFrame->setFrameShape(QFrame::StyledPanel);
  codeFrame->setStyleSheet("QFrame { background: #fffdf4; }");
  auto* codeRow = new QHBoxLayout(codeFrame);
  code_ = new QLabel(kNoCode, codeFrame);
  code_->setObjectName("netRoomCode");
  code_->setFont(codeFont());
  code_->setAlignment(Qt::AlignCenter);
  code_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  code_->setMinimumHeight(84);
  copy_ = bound(new QPushButton(codeFrame), Message("RoomHostWindow", "コピー(&C)"));
  copy_->setObjectName("netCopyCode");
  copy_->setEnabled(false);
  codeRow->addWidget(code_, 1);
  codeRow->addWidget(copy_, 0, Qt::AlignVCenter);
  layout->addWidget(codeFrame);

  listed_ = bound(new QCheckBox(this), Message("RoomHostWindow", "公開する(&P)"));
  listed_->setObjectName("netPublic");
  listed_->setChecked(listed);
  auto* listedNote =
      bound(new QLabel(this), Message("RoomHostWindow", "（だれでも「コードで参加」の一覧から入れます）"));
  listedNote->setStyleSheet("color: #606060");
  auto* listedRow = new QHBoxLayout;
  listedRow->addWidget(listed_);
  listedRow->addWidget(listedNote, 1);
  layout->addLayout(listedRow);

  auto* form = new QFormLayout;
  auto* name = new QLabel(machineName, this);
  name->setObjectName("netMachineName");
  name->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form->addRow(bound(new QLabel(this), Message("RoomHostWindow", "名札に出る名前:")), name);
  auto* lobby = new QLabel(lobbyName, this);
  lobby->setObjectName("netLobbyName");
  lobby->setTextInteractionFlags(Qt::TextSelectableByMouse);
  form->addRow(bound(new QLabel(this), Message("RoomHostWindow", "ロビー:")), lobby);
  const HostPhraseRow phraseRow =
      addHostPhraseRow(this, form, phrase, Message("RoomHostWindow", "なし（コードを知っていればだれでも）"));
  phrase_ = phraseRow.phrase;
  QPushButton* setPhrase = phraseRow.set;
  layout->addLayout(form);

  state_ = new QLabel(this);
  state_->setObjectName("netRoomState");
  state_->setWordWrap(true);
  state_->setMinimumHeight(36);
  layout->addWidget(state_);

  auto* buttons = new QDialogButtonBox(this);
  remake_ =
      bound(buttons->addButton(QString(), QDialogButtonBox::ActionRole), Message("RoomHostWindow", "作り直す(&R)"));
  remake_->setObjectName("netRemake");
  remake_->hide();
  bound(buttons->addButton(QString(), QDialogButtonBox::RejectRole), Message("RoomHostWindow", "キャンセル"))
      ->setObjectName("netCancel");
  layout->addWidget(buttons);

  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(copy_, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(shownCode_); });
  connect(listed_, &QCheckBox::toggled, this, [this](bool on) {
    if (listedChosen) listedChosen(on);
  });
  connect(setPhrase, &QPushButton::clicked, this, [this] {
    if (phraseChosen) phraseChosen(phrase_->text());
  });
  connect(remake_, &QPushButton::clicked, this, [this] {
    if (remake) remake();
  });
  setMinimumWidth(480);
}

void RoomHostWindow::showRegistering() {
  shownCode_.clear();
  code_->setText(kNoCode);
  code_->setStyleSheet("color: #a0a0a0");
  copy_->setEnabled(false);
  remake_->hide();
  showUnderWay(state_, Message("RoomHostWindow", "ロビーに部屋を作っています…"));
}

void RoomHostWindow::showCode(const QString& code) {
  shownCode_ = code;
  code_->setText(code);
  code_->setStyleSheet("color: #202060");
  copy_->setEnabled(true);
  copy_->setFocus();
}

void RoomHostWindow::showWaiting(bool withPhrase) {
  showUnderWay(state_, withPhrase ? Message("RoomHostWindow", "相手を待っています（合言葉を知っている相手だけ）…")
                                  : Message("RoomHostWindow", "相手を待っています…"));
}

void RoomHostWindow::showMeeting() {
  showUnderWay(state_, Message("RoomHostWindow", "相手が来ました。つないでいます…"));
}

void RoomHostWindow::showProblem(const Message& text) {
  code_->setStyleSheet("color: #a0a0a0");
  copy_->setEnabled(false);
  remake_->show();
  showTrouble(state_, text);
}

QString RoomHostWindow::code() const { return shownCode_; }
bool RoomHostWindow::listed() const { return listed_->isChecked(); }
QString RoomHostWindow::stateText() const { return state_->text(); }

}  // namespace glamora::netgame
