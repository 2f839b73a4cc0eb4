#include "controls_window.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "screens/form_kit.h"

namespace glamora {

namespace {

QString noPad() { return translated(Message("ControlsWindow", "なし（キーボード）")); }
QString pressAKey() { return translated(Message("ControlsWindow", "キーを押してください")); }

bool isModifierOnly(int key) {
  switch (key) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Meta:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Super_L:
    case Qt::Key_Super_R: return true;
    default: return false;
  }
}

QPushButton* button(QWidget* parent, const QString& caption, const QString& name) {
  auto* b = new QPushButton(caption, parent);
  b->setObjectName(name);
  // The window takes every key itself while a key is being chosen.
  b->setFocusPolicy(Qt::NoFocus);
  return b;
}

}  // namespace

ControlsWindow::ControlsWindow(PadChoice& pads, QWidget* parent) : QDialog(parent), pads_(pads) {
  setObjectName("ControlsForm");
  // Closing it never ends the program, whatever else is on view.
  setAttribute(Qt::WA_QuitOnClose, false);
  bindText(this, Message("ControlsWindow", "%1 - 操作設定").arg(Message::fixed(kAppTitle)), "windowTitle");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setFont(formFont(12));
  auto* layout = new QVBoxLayout(this);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  auto* padBox = bound(new QGroupBox(this), Message("ControlsWindow", "ゲームパッド"), "title");
  auto* padGrid = new QGridLayout(padBox);
  for (int p = 0; p < 2; ++p) {
    padGrid->addWidget(new QLabel(QString("PLAYER%1").arg(p + 1), padBox), p, 0);
    padNames_[p] = new QLabel(padBox);
    padNames_[p]->setObjectName(QString("pad%1").arg(p + 1));
    padNames_[p]->setMinimumWidth(240);
    padGrid->addWidget(padNames_[p], p, 1);
  }
  swap_ = bound(button(padBox, {}, "swapPads"), Message("ControlsWindow", "入れ替え(&W)"));
  padGrid->addWidget(swap_, 0, 2, 2, 1);
  padNote_ = new QLabel(padBox);
  padGrid->addWidget(padNote_, 2, 0, 1, 3);
  connect(swap_, &QPushButton::clicked, this, [this] {
    pads_.swapPads();
    showPads();
  });
  layout->addWidget(padBox);

  auto* keyBox = bound(new QGroupBox(this), Message("ControlsWindow", "キー"), "title");
  auto* keyGrid = new QGridLayout(keyBox);
  for (int p = 0; p < 2; ++p) {
    auto* heading = new QLabel(QString("PLAYER%1").arg(p + 1), keyBox);
    heading->setAlignment(Qt::AlignCenter);
    keyGrid->addWidget(heading, 0, p + 1);
  }
  for (int row = 0; row < 3; ++row) {
    const Key action = kPlayerKeyOrder[row];
    keyGrid->addWidget(new QLabel(keyActionCaption(action), keyBox), row + 1, 0);
    for (int p = 0; p < 2; ++p) {
      QPushButton* b = button(keyBox, {}, QString("key%1_%2").arg(p + 1).arg(row + 1));
      b->setMinimumWidth(120);
      connect(b, &QPushButton::clicked, this, [this, p, action] { chooseKey(p, action); });
      keyButtons_[p][row] = b;
      keyGrid->addWidget(b, row + 1, p + 1);
    }
  }
  message_ = new QLabel(keyBox);
  message_->setObjectName("message");
  message_->setMinimumHeight(18);
  keyGrid->addWidget(message_, 4, 0, 1, 3);
  QPushButton* defaults = bound(button(keyBox, {}, "defaults"), Message("ControlsWindow", "初期設定に戻す(&D)"));
  keyGrid->addWidget(defaults, 5, 0, 1, 3, Qt::AlignLeft);
  connect(defaults, &QPushButton::clicked, this, [this] {
    choosing_.reset();
    keys_.reset();
    showKeyButtons();
    say(translated(Message("ControlsWindow", "A/S/D と 4/5/6 に戻しました")), false);
    if (onKeysChanged) onKeysChanged(keys_);
  });
  layout->addWidget(keyBox);

  QPushButton* ok = button(this, "&OK", "return1");
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok, 0, Qt::AlignRight);

  showKeyButtons();
  showPads();
}

void ControlsWindow::showKeys(const PlayerKeys& keys) {
  keys_ = keys;
  showKeyButtons();
}

void ControlsWindow::showPads() {
  const std::array<QString, 2> names = pads_.padNames();
  for (int p = 0; p < 2; ++p) padNames_[p]->setText(names[p].isEmpty() ? noPad() : names[p]);
  swap_->setEnabled(pads_.available() && (!names[0].isEmpty() || !names[1].isEmpty()));
  bindText(padNote_, pads_.available() ? Message("ControlsWindow", "一人で特訓とネット対戦では、どのパッドでも遊べます")
                                       : Message("ControlsWindow", "ゲームパッドは使えません"));
}

void ControlsWindow::chooseKey(int player, Key action) {
  choosing_ = {player, action};
  showKeyButtons();
  say(translated(Message("ControlsWindow", "PLAYER%1 の「%2」にする%3（Esc でやめます）")
                     .arg(player + 1)
                     .arg(fixedText(keyActionCaption(action)))
                     .arg(fixedText(pressAKey()))),
      false);
}

QString ControlsWindow::message() const { return message_->text(); }

void ControlsWindow::say(const QString& text, bool refused) {
  message_->setText(text);
  QPalette palette = message_->palette();
  palette.setColor(QPalette::WindowText, refused ? Qt::red : palette.color(QPalette::Text));
  message_->setPalette(palette);
}

void ControlsWindow::showKeyButtons() {
  for (int p = 0; p < 2; ++p) {
    for (int row = 0; row < 3; ++row) {
      const Key action = kPlayerKeyOrder[row];
      const bool waiting = choosing_ == std::pair{p, action};
      keyButtons_[p][row]->setText(waiting ? pressAKey() : keyName(keys_.key(p, action)));
      keyButtons_[p][row]->setDown(waiting);
    }
  }
}

// While a key is being chosen every key press comes here first, before the
// buttons' mnemonics, Tab and Esc do anything else with it.
bool ControlsWindow::event(QEvent* event) {
  if (choosing_ && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
    auto* key = static_cast<QKeyEvent*>(event);
    event->accept();
    if (event->type() == QEvent::KeyPress && !key->isAutoRepeat()) {
      if (key->key() == Qt::Key_Escape) {
        choosing_.reset();
        showKeyButtons();
        say({}, false);
      } else if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
        if (!isModifierOnly(key->key()))
          say(translated(Message("ControlsWindow", "Ctrl や Alt を押さずにキーを押してください")), true);
      } else if (!isModifierOnly(key->key())) {
        takeKey(gameKeyCode(key->key(), key->modifiers() & Qt::KeypadModifier));
      }
    }
    return true;
  }
  return QDialog::event(event);
}

void ControlsWindow::takeKey(int gameKey) {
  const auto [player, action] = *choosing_;
  const QString refused = keys_.choose(player, action, gameKey);
  if (!refused.isEmpty()) {
    say(translated(Message("ControlsWindow", "%1。ほかのキーを押してください").arg(fixedText(refused))), true);
    return;
  }
  choosing_.reset();
  showKeyButtons();
  say(translated(Message("ControlsWindow", "PLAYER%1 の「%2」は %3 です")
                     .arg(player + 1)
                     .arg(fixedText(keyActionCaption(action)))
                     .arg(fixedText(keyName(gameKey)))),
      false);
  if (onKeysChanged) onKeysChanged(keys_);
}

}  // namespace glamora
