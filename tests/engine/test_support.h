// Fakes and helpers shared by the engine tests.
#pragma once

#include <functional>
#include <ostream>
#include <string>
#include <vector>

#include "engine/battle.h"
#include "engine/editor_values.h"
#include "engine/effects.h"
#include "engine/scheduler.h"

namespace glamora::test {

// Records media operations, dialogs and error boxes as short strings:
// "MediaBgm rewind", "dialog Mw1Form", "error <text>".
class RecordingEffects final : public Effects {
 public:
  std::vector<std::string> log;
  std::function<void(Dialog)> whileDialogOpen;  // runs as if inside the modal dialog
  void openMedia(Media m, const std::string& path) override {
    log.push_back(std::string(mediaName(m)) + " open " + path);
  }
  void media(Media m, MediaOp op) override { log.push_back(std::string(mediaName(m)) + " " + mediaOpName(op)); }
  void openDialog(Dialog d) override {
    log.push_back(std::string("dialog ") + dialogName(d));
    if (whileDialogOpen) whileDialogOpen(d);
  }
  void showError(const Message& text) override { log.push_back("error " + text.text()); }
};

// A cell in a test's table of codes: a named code or its number.
struct Cell {
  Code code;
  constexpr Cell(Code c) : code(c) {}
  constexpr Cell(int n) : code{n} {}
  bool operator==(const Cell&) const = default;
  friend std::ostream& operator<<(std::ostream& out, Cell c) { return out << static_cast<int>(c.code); }
};
using Cells = std::vector<Cell>;

// Builds a column bottom up from codes: column(board, 2, {1, 1, 4}).
inline void setColumn(Board& board, int col, std::initializer_list<Cell> codes) {
  int row = 1;
  for (Cell cell : codes) board(col, row++) = cell.code;
}

inline void setRow(Board& board, int row, std::initializer_list<Cell> codes) {
  int col = 1;
  for (Cell cell : codes) board(col++, row) = cell.code;
}

inline Cells column(const Board& board, int col, int rows = 10) {
  Cells out;
  for (int r = 1; r <= rows; ++r) out.push_back(board(col, r));
  return out;
}

inline Cells row(const Board& board, int r) {
  Cells out;
  for (int c = 1; c <= kColumns; ++c) out.push_back(board(c, r));
  return out;
}

// A battle on the simulated clock with a round running on stage 1.
struct BattleFixture {
  RecordingEffects effects;
  NullView view;
  EditorValues editor;
  SimClock clock;
  Battle battle{effects, view, editor};
  PlayerState& a = battle.player(0).state;
  PlayerState& b = battle.player(1).state;

  BattleFixture() { battle.registerTasks(clock); }
  void start(int stage = 1) {
    battle.chooseStage(stage);
    effects.log.clear();
  }
  void keys(const std::string& text) {
    for (char ch : text) battle.keyPress(static_cast<unsigned char>(ch));
  }
};

}  // namespace glamora::test

namespace glamora {
// How a failing check shows a code.
inline void PrintTo(Code code, std::ostream* out) { *out << static_cast<int>(code); }
}  // namespace glamora
