// One player's side of a game screen as one widget: the board with its
// "OUT ZONE" row, the phase signs and countdowns, the arrow, the offers, the
// carried item and the two "PAUSE" signs, painted from the screen's view model.
#pragma once

#include <QPixmap>
#include <QWidget>
#include <array>
#include <optional>

#include "assets/pictures/picture_library.h"
#include "engine/view_model.h"
#include "sign_view.h"

namespace glamora {

class BoardView final : public QWidget {
 public:
  // `left` is the client's x of the player's column 1 (16 or 448).
  BoardView(QWidget* client, int left, int player, const ScreenViewModel& shown, const PictureLibrary& pictures);

  // The model changed in one of these ways: repaint what it touched. A board,
  // an offer or the carried item shows the frame its picture holds now.
  void boardChanged();
  void offerChanged(int column);
  void carriedChanged();
  void arrowMoved(int fromColumn);
  void carriedMoved(int fromColumn);
  void signChanged(Label role);
  void pauseChanged(PauseSign sign);
  // Shows `model` whole from now on (another screen model, or one put back).
  void show(const ScreenViewModel& model);

  bool showsSign(Label role) const { return slotOf(role) != nullptr; }
  QRect signRect(Label role) const;
  QString signCaption(Label role) const;
  std::optional<Colour> signBackground(Label role) const;

  // Where things are, in the widget: tests and tools look at these places.
  static QRect cellRect(int column, int row);
  static QRect offerRect(int column);
  static QRect arrowRect(int column);
  static QRect carriedRect(int column);

  // The picture an offer shows.
  PictureId offerShown(int column) const { return offers_[column - 1]; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  static int index(int column, int row) { return (column - 1) * kRows + (row - 1); }
  const PlayerViewModel& model() const { return shown_->players[player_]; }
  const SignSlot* slotOf(Label role) const;
  QPixmap still(PictureId id) const { return pictures_.pixmap(id, devicePixelRatioF()); }
  const QPixmap& arrowPicture() const;
  const QPixmap& carriedRowPicture() const;

  int player_;
  const ScreenViewModel* shown_;
  const PictureLibrary& pictures_;
  std::array<SignSlot, 4> slots_;
  std::array<PauseSign, 2> pauseSigns_;  // over the supply row, over the carried row
  std::array<PictureId, kColumns * kRows> cells_{};
  std::array<PictureId, kColumns> offers_{};
  std::optional<PictureId> carried_;
  mutable QPixmap arrow_, carriedRow_;
};

}  // namespace glamora
