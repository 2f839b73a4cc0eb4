#include "assets/pictures/painting_thread.h"

namespace glamora {

std::future<QImage> PaintingThread::paint(std::function<QImage()> painting) {
  std::packaged_task<QImage()> task(std::move(painting));
  std::future<QImage> result = task.get_future();
  {
    std::lock_guard lock(mutex_);
    queue_.push_back(std::move(task));
  }
  wake_.notify_one();
  return result;
}

void PaintingThread::run(std::stop_token stop) {
  for (;;) {
    std::packaged_task<QImage()> task;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, stop, [this] { return !queue_.empty(); });
      if (stop.stop_requested()) return;
      task = std::move(queue_.front());
      queue_.pop_front();
    }
    task();
  }
}

}  // namespace glamora
