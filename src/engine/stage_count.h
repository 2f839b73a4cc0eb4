// The 3-2-1 count over the boards before a stage: the stage reaches the
// engine when it ends, so the countdowns begin when the players can see them.
// It counts in the clock's 100 ms steps; a network battle's count is the
// ticks until its stage choice acts.
#pragma once

#include <utility>

namespace glamora {

class StageCount {
 public:
  static constexpr int kSteps = 30;

  StageCount() = default;
  StageCount(int stage, int stepsLeft) : stage_(stage), left_(stepsLeft) {}

  // A second choice during the count replaces the first; the count goes on.
  void start(int stage) {
    if (!running()) left_ = kSteps;
    stage_ = stage;
  }
  void stop() { stage_ = 0; }
  // One step; the stage to start when the count has ended, else 0.
  int step() {
    if (!running() || --left_ > 0) return 0;
    return std::exchange(stage_, 0);
  }

  bool running() const { return stage_ != 0 && left_ > 0; }
  int stage() const { return running() ? stage_ : 0; }
  // The number the count shows: 3, 2 or 1.
  int number() const { return (left_ + 9) / 10; }

 private:
  int stage_ = 0;
  int left_ = 0;
};

}  // namespace glamora
