#include "qt_scheduler.h"

#include <QTimer>

namespace glamora {

void QtScheduler::add(PeriodicTask task) {
  auto* timer = new QTimer(this);
  timer->setTimerType(Qt::PreciseTimer);
  timer->setInterval(task.intervalMs);
  QObject::connect(timer, &QTimer::timeout, timer, std::move(task.run));
  timer->start();
}

}  // namespace glamora
