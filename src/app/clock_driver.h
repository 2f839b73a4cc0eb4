// Runs the simulated clock in real time, in 100 ms steps, on one precise
// timer. After the event loop was blocked it catches up, at most 2 s at once;
// time beyond that is let go.
//
// While the game rests on its title (no game screen on view, no round
// running), nothing a player sees or hears changes between the clock's
// half-second marks, when the title's and the pictures' tasks run. The driver
// then wakes only at those marks and runs the steps in between at once, still
// 100 ms at a time, so an idle title costs next to nothing. A person's key or
// click first brings the clock up to the real time, as a 100 ms tick would have.
//
// A game screen's pause (a ClockHoldEvent) holds the clock: it stands until
// let go, and the real time in between is let go too.
#pragma once

#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

#include "engine/scheduler.h"

namespace glamora {

class ClockDriver final : public QObject {
 public:
  static constexpr int kStepMs = 100;
  static constexpr int kMostSteps = 20;
  static constexpr int kRestingStepMs = 500;

  // Real milliseconds since start(); a steady clock unless a test gives one.
  using RealClock = std::function<std::int64_t()>;

  explicit ClockDriver(SimClock& clock, QObject* parent = nullptr, RealClock realClock = {});
  ~ClockDriver() override;

  // Whether the game rests on its title now; asked each time the timer is set.
  void setResting(std::function<bool()> resting) { resting_ = std::move(resting); }
  void start();

  // Advances the clock to match `elapsedMs` of real time since start; a tick
  // that comes a little early still counts.
  void catchUp(std::int64_t elapsedMs);
  // Real milliseconds from `elapsedMs` until the next step the driver wakes for.
  std::int64_t msToNextWake(std::int64_t elapsedMs) const;
  bool resting() const { return resting_ && resting_(); }

  // The clock stands from hold(true) to hold(false); the real time between is
  // let go. Also reached by a ClockHoldEvent sent to any object once started.
  void hold(bool held);
  bool held() const { return held_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void advanceSteps(std::int64_t steps);
  void tick();
  void arm();
  void armSoon();
  std::int64_t realNow() const { return realClock_ ? realClock_() : 0; }

  SimClock& clock_;
  RealClock realClock_;
  std::function<bool()> resting_;
  QTimer timer_;
  bool restingArmed_ = false;  // the timer was set for the next half-second mark
  bool armPending_ = false;
  std::int64_t skippedMs_ = 0;  // real time let go after long blocks and while held
  bool held_ = false;
  std::int64_t heldSince_ = 0;  // real ms when the hold began
};

}  // namespace glamora
