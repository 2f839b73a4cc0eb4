// Timers as data: each screen declares its periodic tasks and registers them.
#pragma once

#include <cstdint>
#include <functional>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

namespace glamora {

// Every owner of the clock's tasks, in the order their tasks fire when due at
// the same moment; one owner's tasks fire in the order they were added.
enum class TaskOwner {
  Battle,         // the battle rules' timer table (battle.cpp), the computer players' tasks last
  Training,       // the training rules' timer table (training.cpp)
  Title,          // the title screen's start-up step and faces
  Pictures,       // the animated pictures' step
  MusicLoop,      // the music's loop
  BattleCount,    // the battle screen's covers and count: after every rule's
  TrainingCount,  // task of a moment, as a person's input between two ticks
  Journal,        // the session journal's keep-up, after every screen's tasks
};

struct PeriodicTask {
  TaskOwner owner;
  int intervalMs;  // 100, 300, 500 or 1000
  std::function<void()> run;
};

using TaskId = std::uint64_t;

class Scheduler {
 public:
  virtual ~Scheduler() = default;
  // Starts the task now: it first fires one interval later, then every
  // interval, until removed. The rules' own tasks stay for the whole run.
  virtual TaskId add(PeriodicTask task) = 0;
  // Ends the task; it may be the one firing now, or one due in the same moment.
  virtual void remove(TaskId id) = 0;
};

// A task that a window or helper owns: removed when its owner goes. The
// scheduler must outlive it.
class OwnedTask {
 public:
  OwnedTask() = default;
  OwnedTask(Scheduler& scheduler, PeriodicTask task) : added_(&scheduler, Remove{scheduler.add(std::move(task))}) {}

 private:
  struct Remove {
    TaskId id;
    void operator()(Scheduler* scheduler) const { scheduler->remove(id); }
  };
  std::unique_ptr<Scheduler, Remove> added_;
};

// The simulated clock: time in whole milliseconds from 0; advancing fires every
// due task in time order, ties in TaskOwner order. A task may add tasks while
// it runs: they join after the moment being fired.
class SimClock final : public Scheduler {
 public:
  // The clock's largest time (about 146 million years): far enough from the
  // int64 limit that no due time computed from it overflows.
  static constexpr std::int64_t kLatestTime = std::numeric_limits<std::int64_t>::max() / 2;

  TaskId add(PeriodicTask task) override;
  void remove(TaskId id) override;
  // Fires every task due in (now, now + ms] and leaves the clock at now + ms.
  void advance(std::int64_t ms);
  std::int64_t now() const { return now_; }
  // The least common multiple of the tasks' intervals: after it every task
  // is due at the same offset from now as before.
  std::int64_t commonPeriod() const;
  // Moves the clock and every due time on by `ms`, a multiple of the common
  // period, without firing anything: for stretches known to change nothing.
  void skip(std::int64_t ms);

  // The due times of one owner's tasks, in tie order: with now(), what takes
  // those tasks back to an earlier moment (a rollback).
  void dueTimes(TaskOwner owner, std::vector<std::int64_t>& due) const;
  // Sets the clock to `now` and the owner's tasks to due times kept by
  // dueTimes(). The other owners' tasks keep theirs: set back to a moment
  // before their last firing, the clock fires them again only once it passes
  // their due times.
  void restoreDueTimes(TaskOwner owner, std::int64_t now, const std::vector<std::int64_t>& due);

 private:
  struct Entry {
    PeriodicTask task;
    TaskId id;
    std::int64_t due;
    bool removed = false;  // removed while its moment fires; erased after it
  };
  void insert(Entry entry);
  std::vector<Entry> entries_;  // kept in tie order
  std::vector<Entry> added_;    // added while a moment is being fired
  bool firing_ = false;
  std::int64_t now_ = 0;
  TaskId lastId_ = 0;
};

}  // namespace glamora
