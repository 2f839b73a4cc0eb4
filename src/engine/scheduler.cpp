#include "scheduler.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <numeric>

namespace glamora {

void SimClock::add(PeriodicTask task) {
  Entry entry{std::move(task), 0};
  entry.due = now_ + entry.task.intervalMs;
  if (firing_) added_.push_back(std::move(entry));
  else insert(std::move(entry));
}

void SimClock::insert(Entry entry) {
  auto before = [](const Entry& a, const Entry& b) {
    if (a.task.screen != b.task.screen) return a.task.screen < b.task.screen;
    return a.task.number < b.task.number;
  };
  entries_.insert(std::upper_bound(entries_.begin(), entries_.end(), entry, before), std::move(entry));
}

void SimClock::advance(std::int64_t ms) {
  const std::int64_t end = now_ + ms;
  for (;;) {
    std::int64_t next = std::numeric_limits<std::int64_t>::max();
    for (const Entry& e : entries_) next = std::min(next, e.due);
    if (next > end) break;
    now_ = next;
    // Indices stay valid: tasks added meanwhile wait in added_.
    firing_ = true;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].due != next) continue;
      entries_[i].due += entries_[i].task.intervalMs;
      entries_[i].task.run();
    }
    firing_ = false;
    for (Entry& e : added_) insert(std::move(e));
    added_.clear();
  }
  now_ = end;
}

std::int64_t SimClock::commonPeriod() const {
  std::int64_t period = 1;
  for (const Entry& e : entries_) period = std::lcm(period, std::int64_t{e.task.intervalMs});
  return period;
}

void SimClock::skip(std::int64_t ms) {
  assert(ms >= 0 && ms % commonPeriod() == 0 && added_.empty());
  now_ += ms;
  for (Entry& e : entries_) e.due += ms;
}

void SimClock::dueTimes(ScreenId screen, std::vector<std::int64_t>& due) const {
  due.clear();
  for (const Entry& e : entries_) {
    if (e.task.screen == screen) due.push_back(e.due);
  }
}

void SimClock::restoreDueTimes(ScreenId screen, std::int64_t now, const std::vector<std::int64_t>& due) {
  assert(!firing_);
  now_ = now;
  std::size_t k = 0;
  for (Entry& e : entries_) {
    if (e.task.screen == screen && k < due.size()) e.due = due[k++];
  }
}

}  // namespace glamora
