#include "clock_driver.h"

namespace glamora {

ClockDriver::ClockDriver(SimClock& clock, QObject* parent) : QObject(parent), clock_(clock) {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setInterval(kStepMs);
  connect(&timer_, &QTimer::timeout, this, [this] { catchUp(elapsed_.elapsed()); });
}

void ClockDriver::start() {
  elapsed_.start();
  timer_.start();
}

void ClockDriver::catchUp(std::int64_t elapsedMs) {
  const std::int64_t behind = elapsedMs - skippedMs_ - clock_.now();
  // A tick that comes a little early still counts; rounding keeps the clock
  // within half a step of real time.
  std::int64_t steps = (behind + kStepMs / 2) / kStepMs;
  if (steps <= 0) return;
  if (steps > kMostSteps) {
    skippedMs_ += (steps - kMostSteps) * kStepMs;
    steps = kMostSteps;
  }
  for (std::int64_t i = 0; i < steps; ++i) clock_.advance(kStepMs);
}

}  // namespace glamora
