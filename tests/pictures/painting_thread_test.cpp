#include "assets/pictures/painting_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <vector>

namespace glamora {
namespace {

QImage filled(int width) {
  QImage image(width, 1, QImage::Format_ARGB32);
  image.fill(Qt::red);
  return image;
}

TEST(PaintingThread, PaintsEachPictureInTheOrderAsked) {
  PaintingThread thread;
  std::vector<int> order;
  std::vector<std::future<QImage>> results;
  for (int width = 1; width <= 20; ++width) {
    results.push_back(thread.paint([width, &order] {
      order.push_back(width);  // one thread: no two paintings run at once
      return filled(width);
    }));
  }
  for (int width = 1; width <= 20; ++width) EXPECT_EQ(results[width - 1].get().width(), width);
  std::vector<int> expected(20);
  for (int i = 0; i < 20; ++i) expected[i] = i + 1;
  EXPECT_EQ(order, expected);
}

TEST(PaintingThread, EndsWithoutPaintingWhatIsStillQueued) {
  std::atomic<int> painted = 0;
  std::promise<void> started, release;
  std::shared_future<void> released = release.get_future().share();
  std::future<QImage> blocked, queued;
  {
    PaintingThread thread;
    blocked = thread.paint([&] {
      started.set_value();
      released.wait();
      ++painted;
      return filled(1);
    });
    started.get_future().wait();
    for (int i = 0; i < 50; ++i)
      queued = thread.paint([&] {
        ++painted;
        return filled(2);
      });
    release.set_value();
  }
  EXPECT_EQ(blocked.get().width(), 1);
  EXPECT_LE(painted, 51);
  // A painting dropped at the end reports so instead of hanging its taker.
  if (painted < 51) {
    EXPECT_THROW(queued.get(), std::future_error);
  }
}

}  // namespace
}  // namespace glamora
