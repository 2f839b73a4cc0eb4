// A game screen's pause holds the simulated clock. The screen sends this event
// to itself; whoever runs the clock in real time (the clock driver, which sees
// the application's events) holds the clock or lets it go, so that neither
// needs to know the other.
#pragma once

#include <QEvent>

namespace glamora {

class ClockHoldEvent final : public QEvent {
 public:
  explicit ClockHoldEvent(bool held) : QEvent(eventType()), held_(held) {}
  static QEvent::Type eventType();
  bool held() const { return held_; }

 private:
  bool held_;
};

}  // namespace glamora
