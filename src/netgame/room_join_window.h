// "コードで参加": a box for the room's code (six characters: lower case is
// read as upper case, spaces and hyphens are dropped, and what the code
// alphabet leaves out is refused with a message), a box for the host's pass
// phrase, and the lobby's public rooms with their names and how long each
// has waited; choosing one fills the code box. A failed join is said in the
// window, which stays open for another.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <optional>
#include <vector>

#include "engine/message.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace glamora::netgame {

// One line of the public rooms.
struct RoomLine {
  QString code;
  QString name;
  Message waited;   // "3 分"
  QString version;  // the room's game's, shown when it is not this one's
  bool sameVersion = true;
};

class RoomJoinWindow final : public QDialog {
 public:
  RoomJoinWindow(QWidget* parent, const QString& lobbyName);

  // 参加: a whole code, and the pass phrase typed (empty: none).
  std::function<void(const QString& code, const QString& phrase)> joinRoom;

  void setRooms(const std::vector<RoomLine>& rooms);
  // The list could not be had: said in its place.
  void showListProblem(const Message& text);
  void showJoining(const QString& code);
  void showProblem(const Message& text);
  // Ready for another attempt.
  void showIdle();

  QString messageText() const;
  QLineEdit* codeBox() const { return code_; }
  QLineEdit* phraseBox() const { return phrase_; }
  QPushButton* joinButton() const { return join_; }
  QTreeWidget* roomList() const { return rooms_; }

 protected:
  // The list and its heads are shown again in the language chosen.
  void changeEvent(QEvent* event) override;

 private:
  void codeEdited(const QString& typed);
  void tryJoin();
  void showHeads();
  void showRooms();
  void listMessage(const Message& text);

  QLineEdit* code_;
  QLineEdit* phrase_;
  QPushButton* join_;
  QTreeWidget* rooms_;
  QLabel* message_;
  // What the list shows: a note in its place, or the rooms.
  std::optional<Message> listNote_;
  std::vector<RoomLine> shownRooms_;
};

}  // namespace glamora::netgame
