#include "supply_tracker.h"

namespace glamora {

bool SupplyTracker::matches(const Offers& offers, bool allowStale) const {
  for (int c = 1; c <= kColumns; ++c) {
    const Code expected = pos_[c] > kSlots ? Code::UsedUp : entry(c, pos_[c]);
    if (offers[c] == expected) continue;
    // The offers are refreshed every 100 ms: right after a take the screen
    // may still show the item just taken.
    if (allowStale && lastTaken_[c] && pos_[c] >= 2 && offers[c] == entry(c, pos_[c] - 1)) continue;
    return false;
  }
  return true;
}

bool SupplyTracker::derive(const Offers& offers, bool reversed) {
  reversed_ = reversed;
  for (int c = 1; c <= kColumns; ++c) {
    if (offers[c] == Code::UsedUp) {
      pos_[c] = kSupplyUsedUp;
      continue;
    }
    int slot = 1;
    while (slot <= kSlots && entry(c, slot) != offers[c]) ++slot;
    if (slot > kSlots) return false;
    pos_[c] = slot;
  }
  return true;
}

void SupplyTracker::observe(const Offers& offers, const Supply& table) {
  if (!(table == table_)) {
    table_ = table;
    known_ = false;
  }
  if (known_) {
    bool allUsed = true;
    for (int c = 1; c <= kColumns; ++c) allUsed = allUsed && pos_[c] > kSlots;
    bool anyOffer = false;
    for (int c = 1; c <= kColumns; ++c) anyOffer = anyOffer || offers[c] != Code::UsedUp;
    if (allUsed && anyOffer) {  // the refill: the other order from slot 1
      reversed_ = !reversed_;
      pos_.fill(1);
      lastTaken_.fill(0);
    }
    if (matches(offers, true)) return;
  }
  // Of the two orders, the one that explains the offers with the fewest
  // takes: a new round shows slot 1 of the stage order everywhere.
  int takes[2] = {-1, -1};
  for (int order = 0; order < 2; ++order) {
    if (!derive(offers, order == 1)) continue;
    takes[order] = 0;
    for (int c = 1; c <= kColumns; ++c) takes[order] += pos_[c];
  }
  known_ = takes[0] >= 0 || takes[1] >= 0;
  const bool reversed = takes[1] >= 0 && (takes[0] < 0 || takes[1] < takes[0]);
  if (known_) derive(offers, reversed);
  else pos_.fill(1), reversed_ = false;
  lastTaken_.fill(0);
}

void SupplyTracker::took(int col) {
  pos_[col] += 1;
  lastTaken_.fill(0);
  lastTaken_[col] = 1;
}

Code SupplyTracker::offerAfter(int col, int takes) const {
  const int slot = pos_[col] + takes;
  return slot > kSlots ? Code::UsedUp : entry(col, slot);
}

}  // namespace glamora
