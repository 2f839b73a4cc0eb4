#include "assets/pictures/painting_thread.h"

namespace glamora {

PaintingThread::PaintingThread() : thread_([this] { run(); }) {}

PaintingThread::~PaintingThread() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
  }
  wake_.notify_one();
  thread_.join();
}

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

void PaintingThread::run() {
  for (;;) {
    std::packaged_task<QImage()> task;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
      if (stopping_) return;
      task = std::move(queue_.front());
      queue_.pop_front();
    }
    task();
  }
}

}  // namespace glamora
