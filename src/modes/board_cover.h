// What a game screen lays over one player's side: the hint how to begin while
// no round runs, the 3-2-1 count before a round, and the pause cover.
#pragma once

#include <QStringList>
#include <QWidget>
#include <functional>

class QPainter;

namespace glamora {

class BoardCover final : public QWidget {
  Q_OBJECT

 public:
  enum class Look { None, Hint, Count, Pause };

  // `area` is the player's side in the client (its board and the rows under
  // it); `hint` the lines of the hint, the first two set off as the heading.
  BoardCover(QWidget* client, QRect area, QStringList hint);

  void showHint() { setLook(Look::Hint); }
  // Repaints only when the lines change.
  void setHint(QStringList hint) {
    if (hint == hint_) return;
    hint_ = std::move(hint);
    update();
  }
  // The count over the board: `stage` (its menu caption) and a big `number`.
  void showCount(const QString& stage, int number);
  void showPause() { setLook(Look::Pause); }
  void clear() { setLook(Look::None); }

  Look look() const { return look_; }
  // What the cover says now, line by line ("" when it shows nothing).
  QString text() const;
  // A click on the pause cover.
  std::function<void()> clicked;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  void setLook(Look look);
  void paintHint(QPainter& painter);
  void paintCount(QPainter& painter);
  void paintPause(QPainter& painter);

  Look look_ = Look::None;
  QStringList hint_;
  QString stage_;
  int number_ = 0;
};

// The pause cover's words.
inline constexpr const char* kPausedCaption = QT_TRANSLATE_NOOP("BoardCover", "一時停止中");
inline constexpr const char* kResumeNote = QT_TRANSLATE_NOOP("BoardCover", "P キーかクリックで再開");

}  // namespace glamora
