// One background thread that paints pictures in the order asked, so that
// painting many pictures ahead starts one thread, not one per picture, and
// taking a result never waits for a thread to end.
#pragma once

#include <QImage>

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <mutex>
#include <thread>

namespace glamora {

class PaintingThread {
 public:
  // Going, it drops the paintings not yet begun and finishes the one under way.
  std::future<QImage> paint(std::function<QImage()> painting);

 private:
  void run(std::stop_token stop);

  std::mutex mutex_;
  std::condition_variable_any wake_;
  std::deque<std::packaged_task<QImage()>> queue_;
  std::jthread thread_{[this](std::stop_token stop) { run(stop); }};  // last: starts once the above exist
};

}  // namespace glamora
