// What a game screen shows, as plain data: every board, carried item, supply
// marker, arrow, caption, colour and sign the rules have set. The engine
// writes it through the screen's ViewRelay; it can be copied with the rules
// state (a snapshot) and shown again on a view at any time.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "cells.h"
#include "effects.h"
#include "pictures.h"

namespace glamora {

struct PlayerViewModel {
  Board board{};            // the codes last drawn
  bool boardShown = false;  // redrawn at least once
  // The picture each cell shows: a code with no picture of its own leaves
  // the cell's last one (Unchanged: never drawn).
  std::array<Picture, kColumns * kRows> cells{};
  Picture carried = Picture::Unchanged;  // Unchanged: never set
  std::array<Picture, kColumns> markers{};
  int arrowCol = 3;
  int carriedCol = 3;
  bool operator==(const PlayerViewModel&) const = default;
};

struct LabelViewModel {
  bool captionSet = false, colourSet = false;
  std::string caption;
  Colour colour = kClBlack;
  bool operator==(const LabelViewModel&) const = default;
};

struct PauseViewModel {
  bool set = false;  // false: as designed, showing "PAUSE"
  bool shown = false;
  bool operator==(const PauseViewModel&) const = default;
};

struct ScreenViewModel {
  std::array<PlayerViewModel, 2> players{};
  std::array<LabelViewModel, kLabelCount> labels{};
  std::array<PauseViewModel, kPauseSignCount> pauses{};
  bool characterSet = false;
  Character character = Character::Elna;
  bool operator==(const ScreenViewModel&) const = default;

  // Takes one call of the engine to the screen.
  void redrawBoard(int player, const Board& board) {
    PlayerViewModel& m = players[player];
    m.board = board;
    m.boardShown = true;
    for (int c = 1; c <= kColumns; ++c) {
      for (int r = 1; r <= kRows; ++r) {
        const Picture p = cellPicture(board(c, r), c, r);
        if (p != Picture::Unchanged) m.cells[(c - 1) * kRows + (r - 1)] = p;
      }
    }
  }
  void showCarried(int player, Picture picture) {
    if (picture != Picture::Unchanged) players[player].carried = picture;
  }
  void showMarker(int player, int column, Picture picture) {
    if (picture != Picture::Unchanged) players[player].markers[column - 1] = picture;
  }
  void setCaption(Label label, std::string_view text) {
    LabelViewModel& l = labels[static_cast<int>(label)];
    l.caption = text;
    l.captionSet = true;
  }
  void setColour(Label label, Colour colour) {
    LabelViewModel& l = labels[static_cast<int>(label)];
    l.colour = colour;
    l.colourSet = true;
  }
  void setPause(PauseSign sign, bool shown) { pauses[static_cast<int>(sign)] = {true, shown}; }
  void characterChanged(Character c) {
    character = c;
    characterSet = true;
  }
};

}  // namespace glamora
