// The simulated clock's tasks: tie order from TaskOwner, tasks added and
// removed while a moment fires, and owned tasks that go with their owner.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "engine/scheduler.h"

namespace glamora {
namespace {

struct ClockLog {
  SimClock clock;
  std::vector<std::string> fired;
  // A 100 ms task that notes "name@t"; the text lives in the task itself.
  PeriodicTask task(TaskOwner owner, std::string name, std::function<void()> then = {}) {
    return {owner, 100, [this, name, then] {
              fired.push_back(name + "@" + std::to_string(clock.now()));
              if (then) then();
            }};
  }
};

TEST(SimClockTest, TiesFireInOwnerOrderThenInTheOrderAdded) {
  ClockLog log;
  const std::pair<TaskOwner, const char*> added[] = {
      {TaskOwner::Journal, "journal"}, {TaskOwner::BattleCount, "count"}, {TaskOwner::Training, "t1"},
      {TaskOwner::Battle, "b1"},       {TaskOwner::Training, "t2"},       {TaskOwner::Pictures, "pictures"},
      {TaskOwner::Battle, "b2"},
  };
  for (const auto& [owner, name] : added) log.clock.add(log.task(owner, name));
  log.clock.advance(100);
  EXPECT_EQ(log.fired, (std::vector<std::string>{"b1@100", "b2@100", "t1@100", "t2@100", "pictures@100", "count@100",
                                                 "journal@100"}));
}

TEST(SimClockTest, TasksAddedWhileAMomentFiresJoinAfterIt) {
  ClockLog log;
  bool added = false;
  log.clock.add(log.task(TaskOwner::Training, "t", [&] {
    if (std::exchange(added, true)) return;
    log.clock.add(log.task(TaskOwner::Battle, "b"));
    log.clock.add(log.task(TaskOwner::Journal, "j"));
  }));
  log.clock.advance(300);
  // Added at t=100 to start one interval later, then in tie order.
  EXPECT_EQ(log.fired, (std::vector<std::string>{"t@100", "b@200", "t@200", "j@200", "b@300", "t@300", "j@300"}));
}

TEST(SimClockTest, TasksRemovedWhileAMomentFiresRunNoMore) {
  ClockLog log;
  std::optional<OwnedTask> self, later, added;
  // A task that removes itself, then one due later in the same moment, then
  // one added in this moment; each stays usable until its run returns.
  self.emplace(log.clock, log.task(TaskOwner::Battle, "self", [&] {
    self.reset();
    later.reset();
    added.emplace(log.clock, log.task(TaskOwner::Battle, "added"));
    added.reset();
  }));
  later.emplace(log.clock, log.task(TaskOwner::Journal, "later"));
  OwnedTask kept(log.clock, log.task(TaskOwner::Title, "kept"));
  OwnedTask moved = std::move(kept);  // the moved-from handle removes nothing
  log.clock.advance(200);
  EXPECT_EQ(log.fired, (std::vector<std::string>{"self@100", "kept@100", "kept@200"}));
  moved = {};
  log.clock.advance(100);
  EXPECT_EQ(log.fired.size(), 3u);
}

}  // namespace
}  // namespace glamora
