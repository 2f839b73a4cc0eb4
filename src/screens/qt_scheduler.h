// The game's Scheduler: one QTimer per task, started when the task is added.
#pragma once

#include <QObject>

#include "engine/scheduler.h"

namespace glamora {

class QtScheduler final : public QObject, public Scheduler {
 public:
  explicit QtScheduler(QObject* parent = nullptr) : QObject(parent) {}
  void add(PeriodicTask task) override;
};

}  // namespace glamora
