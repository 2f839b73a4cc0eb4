#include "pad_seats.h"

#include <algorithm>

namespace glamora {

const PadSeats::Pad* PadSeats::find(int pad) const {
  const auto it = std::find_if(pads_.begin(), pads_.end(), [pad](const Pad& p) { return p.id == pad; });
  return it == pads_.end() ? nullptr : &*it;
}

void PadSeats::plugged(int pad, const std::string& guid) {
  if (find(pad)) return;
  int number = 1;
  while (std::any_of(pads_.begin(), pads_.end(), [&](const Pad& p) { return p.guid == guid && p.number == number; }))
    ++number;
  pads_.push_back({pad, guid, number, std::nullopt});
  Pad& added = pads_.back();
  if (const std::optional<int> wanted = rememberedPlayer(added); wanted && !padOf(*wanted)) added.player = wanted;
  fillFreeSeats();
}

void PadSeats::pulled(int pad) {
  std::erase_if(pads_, [pad](const Pad& p) { return p.id == pad; });
  fillFreeSeats();
}

// Pads without a player take the free players in the order the pads came:
// player 1 first, unless a pad's remembered player is the one free.
void PadSeats::fillFreeSeats() {
  for (Pad& pad : pads_) {
    if (pad.player) continue;
    const std::optional<int> wanted = rememberedPlayer(pad);
    if (wanted && !padOf(*wanted)) pad.player = wanted;
    else if (!padOf(0)) pad.player = 0;
    else if (!padOf(1)) pad.player = 1;
  }
}

std::optional<int> PadSeats::rememberedPlayer(const Pad& pad) const {
  for (const RememberedSeat& seat : remembered_) {
    if (seat.guid == pad.guid && seat.number == pad.number) return seat.player;
  }
  return std::nullopt;
}

std::optional<int> PadSeats::player(int pad) const {
  const Pad* p = find(pad);
  return p ? p->player : std::nullopt;
}

std::optional<int> PadSeats::padOf(int player) const {
  for (const Pad& pad : pads_) {
    if (pad.player == player) return pad.id;
  }
  return std::nullopt;
}

int PadSeats::number(int pad) const {
  const Pad* p = find(pad);
  return p ? p->number : 0;
}

std::vector<int> PadSeats::pads() const {
  std::vector<int> ids;
  for (const Pad& pad : pads_) ids.push_back(pad.id);
  return ids;
}

void PadSeats::swap() {
  for (Pad& pad : pads_) {
    if (pad.player) pad.player = 1 - *pad.player;
  }
  // The newest choice first; the oldest are forgotten.
  for (const Pad& pad : pads_) {
    if (!pad.player) continue;
    std::erase_if(remembered_, [&](const RememberedSeat& s) { return s.guid == pad.guid && s.number == pad.number; });
    remembered_.insert(remembered_.begin(), {pad.guid, pad.number, *pad.player});
  }
  if (remembered_.size() > kMostRememberedSeats) remembered_.resize(kMostRememberedSeats);
}

}  // namespace glamora
