#include "clock_driver.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QWidget>
#include <algorithm>
#include <memory>

#include "modes/clock_hold.h"

namespace glamora {

namespace {

ClockDriver::RealClock steadyClock() {
  auto elapsed = std::make_shared<QElapsedTimer>();
  elapsed->start();
  return [elapsed] { return elapsed->elapsed(); };
}

bool isPersonsInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel: return true;
    default: return false;
  }
}

}  // namespace

ClockDriver::ClockDriver(SimClock& clock, QObject* parent, RealClock realClock)
    : QObject(parent), clock_(clock), realClock_(std::move(realClock)) {
  timer_.setTimerType(Qt::PreciseTimer);
  timer_.setSingleShot(true);
  connect(&timer_, &QTimer::timeout, this, &ClockDriver::tick);
}

ClockDriver::~ClockDriver() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

void ClockDriver::start() {
  if (!realClock_) realClock_ = steadyClock();
  if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
  arm();
}

void ClockDriver::hold(bool held) {
  if (held == held_) return;
  held_ = held;
  if (held) {
    heldSince_ = realNow();
    timer_.stop();
  } else {
    skippedMs_ += realNow() - heldSince_;
    if (realClock_) arm();
  }
}

void ClockDriver::catchUp(std::int64_t elapsedMs) {
  if (held_) return;
  const std::int64_t behind = elapsedMs - skippedMs_ - clock_.now();
  // Rounding keeps the clock within half a step of real time.
  advanceSteps((behind + kStepMs / 2) / kStepMs);
}

void ClockDriver::advanceSteps(std::int64_t steps) {
  if (steps <= 0) return;
  if (steps > kMostSteps) {
    skippedMs_ += (steps - kMostSteps) * kStepMs;
    steps = kMostSteps;
  }
  for (std::int64_t i = 0; i < steps; ++i) clock_.advance(kStepMs);
}

std::int64_t ClockDriver::msToNextWake(std::int64_t elapsedMs) const {
  const std::int64_t stride = resting() ? kRestingStepMs : kStepMs;
  const std::int64_t next = (clock_.now() / stride + 1) * stride;
  return std::max<std::int64_t>(0, next + skippedMs_ - elapsedMs);
}

void ClockDriver::tick() {
  catchUp(realClock_());
  arm();
}

void ClockDriver::arm() {
  armPending_ = false;
  if (held_) return;
  restingArmed_ = resting();
  timer_.start(static_cast<int>(msToNextWake(realClock_())));
}

// After the event that may have changed what is on view has been handled.
void ClockDriver::armSoon() {
  if (armPending_) return;
  armPending_ = true;
  QMetaObject::invokeMethod(
      this, [this] { arm(); }, Qt::QueuedConnection);
}

bool ClockDriver::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == ClockHoldEvent::eventType()) {
    hold(static_cast<ClockHoldEvent*>(event)->held());
  } else if (held_) {
    // The clock stands whatever the person does.
  } else if (restingArmed_ && isPersonsInput(type)) {
    // The clock stands where a 100 ms tick would have left it: whole steps
    // only, never ahead of real time.
    advanceSteps((realClock_() - skippedMs_ - clock_.now()) / kStepMs);
    armSoon();
  } else if ((type == QEvent::Show || type == QEvent::Hide) && watched->isWidgetType() &&
             static_cast<QWidget*>(watched)->isWindow()) {
    armSoon();
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace glamora
