// Work for a window on a thread of its own: the result comes back to the
// window's thread as a queued call, and the window, going, asks the work to
// stop and waits for its thread, as does the end of the event loop for a
// window still there then: no thread outlives the event loop or the window
// that started it. A result that arrives after the window has gone is dropped.
#pragma once

#include <QCoreApplication>
#include <stop_token>
#include <thread>
#include <utility>

namespace glamora {

// Held by the window it works for.
class WindowWorker {
 public:
  // Runs `work(stop)` on the thread, then `done(result)` on `window`'s thread
  // unless the work was asked to stop meanwhile.
  template <typename Work, typename Done>
  void start(QObject* window, Work work, Done done) {
    thread_ = std::jthread([window, work = std::move(work), done = std::move(done)](std::stop_token stop) mutable {
      auto result = work(stop);
      if (stop.stop_requested()) return;
      QMetaObject::invokeMethod(
          window, [done = std::move(done), result = std::move(result)]() mutable { done(std::move(result)); },
          Qt::QueuedConnection);
    });
    QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, window, [this] { stop(); });
  }
  void stop() {
    thread_.request_stop();
    if (thread_.joinable()) thread_.join();
  }

 private:
  std::jthread thread_;
};

}  // namespace glamora
