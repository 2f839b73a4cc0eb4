// "対戦相手を待つ": the window a host waits in. It shows this machine's name
// and addresses and the port, which can be changed; closing it or キャンセル
// stops waiting.
#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QSpinBox;

namespace glamora::netgame {

class HostWindow final : public QDialog {
 public:
  HostWindow(QWidget* parent, const QString& machineName, const QStringList& addresses, quint16 port);

  // The port to wait on instead (ポートを変える).
  std::function<void(quint16)> portChosen;

  void showWaiting(quint16 port);
  // The port cannot be opened.
  void showProblem(const QString& text);
  // A joiner was turned away; the window goes on waiting.
  void showNotice(const QString& text);

  QString stateText() const;
  QString noticeText() const;

 private:
  QSpinBox* port_;
  QLabel* state_;
  QLabel* notice_;
};

}  // namespace glamora::netgame
