#include "scheduler.h"

#include <algorithm>
#include <cassert>
#include <limits>
#include <numeric>

namespace glamora {

TaskId SimClock::add(PeriodicTask task) {
  Entry entry{std::move(task), ++lastId_, 0};
  entry.due = now_ + entry.task.intervalMs;
  if (firing_) added_.push_back(std::move(entry));
  else insert(std::move(entry));
  return lastId_;
}

void SimClock::remove(TaskId id) {
  const auto hasId = [id](const Entry& e) { return e.id == id; };
  std::erase_if(added_, hasId);
  const auto at = std::find_if(entries_.begin(), entries_.end(), hasId);
  if (at == entries_.end()) return;
  // A firing moment walks entries_ by index and may be running this task.
  if (firing_) at->removed = true;
  else entries_.erase(at);
}

// After every task of an earlier owner and every task of the same owner added before.
void SimClock::insert(Entry entry) {
  const auto before = [](const Entry& a, const Entry& b) { return a.task.owner < b.task.owner; };
  entries_.insert(std::upper_bound(entries_.begin(), entries_.end(), entry, before), std::move(entry));
}

void SimClock::advance(std::int64_t ms) {
  const std::int64_t end = now_ + ms;
  for (;;) {
    std::int64_t next = std::numeric_limits<std::int64_t>::max();
    for (const Entry& e : entries_) next = std::min(next, e.due);
    if (next > end) break;
    now_ = next;
    // Indices stay valid: tasks added meanwhile wait in added_, removed ones
    // are only marked.
    firing_ = true;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      if (entries_[i].due != next || entries_[i].removed) continue;
      entries_[i].due += entries_[i].task.intervalMs;
      entries_[i].task.run();
    }
    firing_ = false;
    std::erase_if(entries_, [](const Entry& e) { return e.removed; });
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

void SimClock::dueTimes(TaskOwner owner, std::vector<std::int64_t>& due) const {
  due.clear();
  for (const Entry& e : entries_) {
    if (e.task.owner == owner && !e.removed) due.push_back(e.due);
  }
}

void SimClock::restoreDueTimes(TaskOwner owner, std::int64_t now, const std::vector<std::int64_t>& due) {
  assert(!firing_);
  now_ = now;
  std::size_t k = 0;
  for (Entry& e : entries_) {
    if (e.task.owner == owner && k < due.size()) e.due = due[k++];
  }
}

}  // namespace glamora
