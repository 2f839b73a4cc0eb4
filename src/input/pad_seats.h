// Which gamepad plays which player. The first pad plugged in plays player 1,
// the next player 2; a pad plugged in while both are taken plays nobody until
// a player's pad is pulled out. When a person swaps the players' pads, the
// choice is remembered by each pad's model (SDL's GUID) and, for pads of one
// model, by their order among the pads of that model plugged in: the first of
// them is number 1, the next number 2, and a number freed by a pulled pad
// goes to the next pad of that model plugged in. A remembered pad takes its
// player back when it is plugged in and that player is free.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "settings/control_settings.h"

namespace glamora {

class PadSeats {
 public:
  explicit PadSeats(std::vector<RememberedSeat> remembered = {}) : remembered_(std::move(remembered)) {}

  // `pad` is an id unique among the pads plugged in.
  void plugged(int pad, const std::string& guid);
  void pulled(int pad);

  // The player a pad plays, if any.
  std::optional<int> player(int pad) const;
  // The pad that plays a player, if any.
  std::optional<int> padOf(int player) const;
  // The pad's number among the pads of its model.
  int number(int pad) const;
  // The pads plugged in, in the order they were.
  std::vector<int> pads() const;

  // The players change pads (a player without one takes the other's), and
  // the choice is remembered for every pad that now plays.
  void swap();
  const std::vector<RememberedSeat>& remembered() const { return remembered_; }

 private:
  struct Pad {
    int id;
    std::string guid;
    int number;
    std::optional<int> player;
  };
  const Pad* find(int pad) const;
  void fillFreeSeats();
  std::optional<int> rememberedPlayer(const Pad& pad) const;

  std::vector<Pad> pads_;  // in the order plugged in
  std::vector<RememberedSeat> remembered_;
};

}  // namespace glamora
