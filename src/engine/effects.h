// What the engine asks of the outside world: media, dialogs, error boxes and
// what the screens show. The game implements it with Qt, SDL2 and FluidSynth;
// glamora-sim records it; tests use fakes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "cells.h"
#include "message.h"
#include "pictures.h"

namespace glamora {

enum class Media { Bgm, P1mw, P2mw, P1sw, P1sl };
inline constexpr int kMediaCount = 5;
const char* mediaName(Media m);  // "MediaBgm", ...

enum class MediaOp { Open, Play, Stop, Rewind };
const char* mediaOpName(MediaOp op);  // "open", ...

// The result dialogs: a battle won by either player, a training round won or lost.
enum class Dialog { PlayerOneWins, PlayerTwoWins, TrainingWon, TrainingLost };
// The dialog's form name, as scripts and journals write it ("Mw1Form", ...).
const char* dialogName(Dialog d);

// Media, modal dialogs and error boxes: shared by every screen.
class Effects {
 public:
  virtual ~Effects() = default;
  // Opens the player on a file; throws GameError with a readable text on failure.
  virtual void openMedia(Media player, const std::string& path) = 0;
  // play, stop or rewind; does nothing on a player with no file open.
  virtual void media(Media player, MediaOp op) = 0;
  // Opens a result dialog modally; the handler goes on at once, at the same t.
  virtual void openDialog(Dialog dialog) = 0;
  // Shows the game's error box with this full text (already ending in ".").
  virtual void showError(const Message& text) = 0;
};

// A Windows colour value (blue-green-red byte order), as the screens use them.
struct Colour {
  std::uint32_t bgr = 0;
  bool operator==(const Colour&) const = default;
};
inline constexpr Colour kClBlack{0x000000}, kClMaroon{0x000080}, kClGreen{0x008000}, kClNavy{0x800000},
    kClPurple{0x800080}, kClRed{0x0000FF}, kClLime{0x00FF00}, kClYellow{0x00FFFF}, kClBlue{0xFF0000},
    kClFuchsia{0xFF00FF}, kClAqua{0xFFFF00}, kClWhite{0xFFFFFF};

// The signs and counters whose caption or colour the rules change. P1 is the
// left side (the training player too), P2 the right one.
// clang-format off
enum class Label {
  Stage,
  WhatPhaseP1, WherePhaseP1, WhatTimeP1, WhereTimeP1, ScoreP1, WinsP1,
  WhatPhaseP2, WherePhaseP2, WhatTimeP2, WhereTimeP2, ScoreP2, WinsP2,
  MirrorCountdown,  // training: seconds to the next timed mirror
  TargetScore,      // training: the score the stage asks for
  TrainingLosses,
};
// clang-format on
inline constexpr int kLabelCount = static_cast<int>(Label::TrainingLosses) + 1;

// The "PAUSE" signs over a side's supply row and its carried-item row.
enum class PauseSign { SupplyP1, CarriedP1, SupplyP2, CarriedP2 };
inline constexpr int kPauseSignCount = 4;

enum class Character { Elna, Mirabe };

// What one game screen shows. Player 0 is the left board (keys A/S/D),
// player 1 the right one. Every call says what to show now; the view keeps no
// game state of its own.
class ScreenView {
 public:
  virtual ~ScreenView() = default;
  virtual void redrawBoard(int player, const Board& board) = 0;
  virtual void showCarried(int player, Picture picture) = 0;
  virtual void showMarker(int player, int column, Picture picture) = 0;
  virtual void moveArrow(int player, int column) = 0;
  virtual void moveCarried(int player, int column) = 0;
  virtual void setCaption(Label label, std::string_view text) = 0;
  virtual void setColour(Label label, Colour colour) = 0;
  // A "PAUSE" sign: opaque with "PAUSE", or transparent and empty.
  virtual void setPause(PauseSign sign, bool shown) = 0;
  // Check marks or enabled menu items changed (read them from the engine).
  virtual void menuChanged() = 0;
  // The training character changed: portrait, name plate, dialog faces.
  virtual void characterChanged(Character character) = 0;
};

// Effects that go nowhere: checking or replaying a script, matches, benchmarks.
class SilentEffects final : public Effects {
 public:
  void openMedia(Media, const std::string&) override {}
  void media(Media, MediaOp) override {}
  void openDialog(Dialog) override {}
  void showError(const Message&) override {}
};

// A view that shows nothing: glamora-sim and benchmarks. A view that watches
// one kind of call overrides just that one.
class NullView : public ScreenView {
 public:
  void redrawBoard(int, const Board&) override {}
  void showCarried(int, Picture) override {}
  void showMarker(int, int, Picture) override {}
  void moveArrow(int, int) override {}
  void moveCarried(int, int) override {}
  void setCaption(Label, std::string_view) override {}
  void setColour(Label, Colour) override {}
  void setPause(PauseSign, bool) override {}
  void menuChanged() override {}
  void characterChanged(Character) override {}
};

}  // namespace glamora
