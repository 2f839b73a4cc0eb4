// Timers as data: each screen declares its periodic tasks and registers them.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <vector>

namespace glamora {

// Screens in the order their tasks fire when due at the same moment.
// Journal: the session journal's own task, which keeps the file up to the
// clock after every screen's tasks of that moment.
enum class ScreenId { Battle = 0, Training = 1, Title = 2, Assets = 3, Journal = 4 };

struct PeriodicTask {
  ScreenId screen;
  int number;      // the game's timer number on that screen (Timer13 -> 13)
  int intervalMs;  // 100, 300, 500 or 1000
  std::function<void()> run;
};

class Scheduler {
 public:
  virtual ~Scheduler() = default;
  // Starts the task now: it first fires one interval later, then every interval.
  virtual void add(PeriodicTask task) = 0;
};

// The simulated clock: time in whole milliseconds from 0; advancing fires every
// due task in time order, ties by screen and then by timer number. A task may
// add tasks while it runs: they join after the moment being fired.
class SimClock final : public Scheduler {
 public:
  // The clock's largest time (about 146 million years): far enough from the
  // int64 limit that no due time computed from it overflows.
  static constexpr std::int64_t kLatestTime = std::numeric_limits<std::int64_t>::max() / 2;

  void add(PeriodicTask task) override;
  // Fires every task due in (now, now + ms] and leaves the clock at now + ms.
  void advance(std::int64_t ms);
  std::int64_t now() const { return now_; }
  // The least common multiple of the tasks' intervals: after it every task
  // is due at the same offset from now as before.
  std::int64_t commonPeriod() const;
  // Moves the clock and every due time on by `ms`, a multiple of the common
  // period, without firing anything: for stretches known to change nothing.
  void skip(std::int64_t ms);

  // The due times of one screen's tasks, in tie order: with now(), what takes
  // that screen's tasks back to an earlier moment (a rollback).
  void dueTimes(ScreenId screen, std::vector<std::int64_t>& due) const;
  // Sets the clock to `now` and the screen's tasks to due times kept by
  // dueTimes(). The other screens' tasks keep theirs: set back to a moment
  // before their last firing, the clock fires them again only once it passes
  // their due times.
  void restoreDueTimes(ScreenId screen, std::int64_t now, const std::vector<std::int64_t>& due);

 private:
  struct Entry {
    PeriodicTask task;
    std::int64_t due;
  };
  void insert(Entry entry);
  std::vector<Entry> entries_;  // kept in tie order
  std::vector<Entry> added_;    // added while a moment is being fired
  bool firing_ = false;
  std::int64_t now_ = 0;
};

}  // namespace glamora
