#include "scheduler.h"

#include <algorithm>
#include <limits>

namespace glamora {

void SimClock::add(PeriodicTask task) {
  Entry entry{std::move(task), 0};
  entry.due = now_ + entry.task.intervalMs;
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
    for (Entry& e : entries_) {
      if (e.due != next) continue;
      e.due += e.task.intervalMs;
      e.task.run();
    }
  }
  now_ = end;
}

}  // namespace glamora
