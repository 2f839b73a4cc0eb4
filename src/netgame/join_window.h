// "対戦相手に接続": an address box (a host name or address, an optional
// ":port"), a box for the host's pass phrase, and the games found on the
// local network, refreshed while the window is open; choosing one fills the
// address box. A failed attempt is said in the
// window, which stays open for another.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <vector>

#include "engine/message.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace glamora::netgame {

// One line of the list of games found.
struct FoundLine {
  QString name;
  QString address;  // "192.0.2.7:47291"
  bool free = false;
  Message state;  // "待っています", "対戦中", "バージョンが違います（1.1）"
};

class JoinWindow final : public QDialog {
 public:
  JoinWindow(QWidget* parent, quint16 defaultPort);

  // 接続: the host (name or address) and port typed, checked already.
  std::function<void(const QString& host, quint16 port)> connectTo;

  void setFound(const std::vector<FoundLine>& found);
  void showConnecting(const QString& target);
  void showFailure(const Message& text);
  // Ready for another attempt (after a failure).
  void showIdle();

  QString messageText() const;
  // The pass phrase typed (empty: none).
  QString phrase() const;
  QLineEdit* addressBox() const { return address_; }
  QListWidget* foundList() const { return found_; }
  QPushButton* connectButton() const { return connect_; }

 protected:
  // The list of games found is shown again in the language chosen.
  void changeEvent(QEvent* event) override;

 private:
  void tryConnect();
  void showFound();

  quint16 defaultPort_;
  QLineEdit* address_;
  QLineEdit* phrase_;
  QPushButton* connect_;
  QListWidget* found_;
  QLabel* message_;
  std::vector<FoundLine> shownFound_;
};

}  // namespace glamora::netgame
