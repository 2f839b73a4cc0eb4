// "ロビーの設定": where rooms are made and joined, a host name or address and
// a UDP port (47292 unless changed), and how to run a lobby of one's own.
// Opened from the menu, or before a first room when none is set.
#pragma once

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QSpinBox;

namespace glamora::netgame {

class LobbySettingWindow final : public QDialog {
 public:
  // `current` is "host[:port]" (empty: none set); `firstTime` says that a
  // room needs one before it can be made or joined.
  LobbySettingWindow(QWidget* parent, const QString& current, bool firstTime);

  // OK with a place that reads well: "host" or "host:port".
  std::function<void(const QString& place)> chosen;

  QLineEdit* hostBox() const { return host_; }
  QSpinBox* portBox() const { return port_; }
  QString messageText() const;

 private:
  void tryAccept();

  QLineEdit* host_;
  QSpinBox* port_;
  QLabel* message_;
};

}  // namespace glamora::netgame
