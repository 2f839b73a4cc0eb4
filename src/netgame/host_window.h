// "対戦相手を待つ": the window a host waits in. It shows this machine's name
// and addresses and the port, which can be changed, and the pass phrase a
// joiner must give (none: anyone may join); closing it or キャンセル stops
// waiting.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

#include "engine/message.h"

class QLabel;
class QLineEdit;
class QSpinBox;

namespace glamora::netgame {

class HostWindow final : public QDialog {
 public:
  HostWindow(QWidget* parent, const QString& machineName, const QStringList& addresses, quint16 port,
             const QString& phrase = {});

  // The port to wait on instead (ポートを変える).
  std::function<void(quint16)> portChosen;
  // The pass phrase to wait with instead (合言葉を決める; empty: none).
  std::function<void(const QString&)> phraseChosen;

  void showWaiting(quint16 port, bool withPhrase = false);
  // The port cannot be opened.
  void showProblem(const Message& text);
  // A joiner was turned away; the window goes on waiting.
  void showNotice(const Message& text);

  QString stateText() const;
  QString noticeText() const;

 private:
  QSpinBox* port_;
  QLineEdit* phrase_;
  QLabel* state_;
  QLabel* notice_;
};

}  // namespace glamora::netgame
