// What a practised player keeps in mind about the supply: the screen shows
// only each column's offer, but knowing the stage table and counting the
// takes tells what every column offers next.
#pragma once

#include "cells.h"

namespace glamora {

class SupplyTracker {
 public:
  // Reconciles the count with the offers on screen: a refill, a new round or
  // a first look start the count again from what the offers show.
  void observe(const Offers& offers, const Supply& table);
  void took(int col);
  bool usedUp(int col) const { return pos_[col] > kSlots; }
  // What column `col` offers after `takes` more takes (Code::UsedUp past its end).
  Code offerAfter(int col, int takes) const;
  bool operator==(const SupplyTracker&) const = default;

 private:
  Code entry(int col, int slot) const { return reversed_ ? table_(col, kSlots + 1 - slot) : table_(col, slot); }
  bool matches(const Offers& offers, bool allowStale) const;
  bool derive(const Offers& offers, bool reversed);

  Supply table_{};
  PerColumn pos_{{1, 1, 1, 1, 1, 1}};
  PerColumn lastTaken_{};  // takes whose offer the screen may not show yet
  bool reversed_ = false;
  bool known_ = false;
};

}  // namespace glamora
