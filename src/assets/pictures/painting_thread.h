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
  PaintingThread();
  // Paintings not yet begun are dropped; the one under way is finished first.
  ~PaintingThread();
  PaintingThread(const PaintingThread&) = delete;
  PaintingThread& operator=(const PaintingThread&) = delete;

  std::future<QImage> paint(std::function<QImage()> painting);

 private:
  void run();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<std::packaged_task<QImage()>> queue_;
  bool stopping_ = false;
  std::thread thread_;
};

}  // namespace glamora
