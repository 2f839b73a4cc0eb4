// "部屋を作る": the window a room's host waits in. It shows the room's code
// large enough to read across a room, with a button that copies it, the
// "公開する" box that lists the room in everyone's list, the name the plates
// will show for this machine, the lobby and the pass phrase a joiner must
// give (none: whoever has the code), and what it waits for; closing it or
// キャンセル closes the room. A room that fails says why, and "作り直す" makes
// another.
#pragma once

#include <QDialog>
#include <functional>

#include "engine/message.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace glamora::netgame {

class RoomHostWindow final : public QDialog {
 public:
  RoomHostWindow(QWidget* parent, const QString& machineName, const QString& lobbyName, const QString& phrase = {},
                 bool listed = false);

  // The "公開する" box was ticked or cleared.
  std::function<void(bool listed)> listedChosen;
  // The pass phrase to wait with from now on (合言葉を決める; empty: none).
  std::function<void(const QString&)> phraseChosen;
  // "作り直す": a new room after a failure.
  std::function<void()> remake;

  // The room is being registered: no code yet.
  void showRegistering();
  void showCode(const QString& code);
  void showWaiting(bool withPhrase);
  // A joiner came: the two are meeting.
  void showMeeting();
  // The room failed: the code is no longer good, "作り直す" shows.
  void showProblem(const Message& text);

  QString code() const;
  bool listed() const;
  QString stateText() const;
  QPushButton* copyButton() const { return copy_; }
  QPushButton* remakeButton() const { return remake_; }

 private:
  QLabel* code_;
  QPushButton* copy_;
  QCheckBox* listed_;
  QLineEdit* phrase_;
  QLabel* state_;
  QPushButton* remake_;
  QString shownCode_;
};

}  // namespace glamora::netgame
