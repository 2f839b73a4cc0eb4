#include "clock_hold.h"

namespace glamora {

QEvent::Type ClockHoldEvent::eventType() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

}  // namespace glamora
