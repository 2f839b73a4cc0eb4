// A window's worker thread: its result comes back on the window's thread, and
// the window going stops the work and waits for its thread.
#include <QCoreApplication>
#include <QThread>
#include <atomic>
#include <condition_variable>
#include <memory>
#include <mutex>

#include <gtest/gtest.h>

#include "modes/window_worker.h"

namespace glamora {
namespace {

struct Window : QObject {
  WindowWorker worker;
};

TEST(WindowWorkerTest, TheResultComesBackOnTheWindowsThread) {
  Window window;
  QThread* doneOn = nullptr;
  window.worker.start(
      &window, [](std::stop_token) { return 7; },
      [&](int result) {
        EXPECT_EQ(result, 7);
        doneOn = QThread::currentThread();
      });
  while (!doneOn) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  EXPECT_EQ(doneOn, window.thread());
}

TEST(WindowWorkerTest, AWindowGoingStopsItsWorkAndWaitsForIt) {
  std::atomic<bool> ended = false;
  bool done = false;
  auto window = std::make_unique<Window>();
  window->worker.start(
      window.get(),
      [&](std::stop_token stop) {
        std::mutex mutex;
        std::condition_variable_any never;
        std::unique_lock lock(mutex);
        never.wait(lock, stop, [] { return false; });  // until asked to stop
        ended = true;
        return 0;
      },
      [&](int) { done = true; });
  window.reset();
  EXPECT_TRUE(ended);
  QCoreApplication::processEvents();
  EXPECT_FALSE(done);
}

}  // namespace
}  // namespace glamora
