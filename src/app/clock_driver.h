// Runs the simulated clock in real time: one precise 100 ms timer advances it
// in 100 ms steps. After the event loop was blocked it catches up, at most
// 2 s at once; time beyond that is let go.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>

#include "engine/scheduler.h"

namespace glamora {

class ClockDriver final : public QObject {
 public:
  static constexpr int kStepMs = 100;
  static constexpr int kMostSteps = 20;

  explicit ClockDriver(SimClock& clock, QObject* parent = nullptr);
  void start();
  // Advances the clock to match `elapsedMs` of real time since start.
  void catchUp(std::int64_t elapsedMs);

 private:
  SimClock& clock_;
  QTimer timer_;
  QElapsedTimer elapsed_;
  std::int64_t skippedMs_ = 0;  // real time let go after long blocks
};

}  // namespace glamora
