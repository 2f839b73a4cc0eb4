// A network between two sides on the simulated clock, with no sockets and no
// sleeping: every packet is delayed (a base delay and a seeded jitter, so
// packets overtake each other), unsequenced packets are lost in bursts,
// sometimes held back further or delivered twice; reliable packets always
// arrive, in order, later by a resend for each loss. The same seed gives the
// same network.
#pragma once

#include <cstdint>
#include <optional>
#include <queue>
#include <span>
#include <vector>

#include "engine/computer_level.h"

namespace glamora::net {

struct LinkConditions {
  int delayMs = 0;
  int jitterMs = 0;
  double lossPercent = 0;       // of unsequenced packets, in the long run
  int burst = 1;                // a loss takes 1..burst packets in a row
  double reorderPercent = 1;    // held back a further 0..150 ms
  double duplicatePercent = 1;  // delivered twice
};

struct Delivery {
  std::int64_t atUs = 0;
  int to = 0;  // side 0 or 1
  bool reliable = false;
  std::vector<std::uint8_t> bytes;
};

class SimulatedLink {
 public:
  SimulatedLink(const LinkConditions& conditions, std::uint64_t seed);

  void send(int from, std::span<const std::uint8_t> bytes, bool reliable, std::int64_t nowUs);
  // The time of the next delivery, if any is on its way.
  std::optional<std::int64_t> nextDueUs() const;
  // Takes the next delivery due by `nowUs`.
  std::optional<Delivery> take(std::int64_t nowUs);
  // From now on nothing gets through (a cable pulled).
  void cut() { cut_ = true; }

  std::uint64_t bytesSent(int from) const { return bytesSent_[from]; }

 private:
  struct Queued {
    Delivery delivery;
    std::uint64_t order;
    bool operator<(const Queued& o) const {
      return delivery.atUs != o.delivery.atUs ? delivery.atUs > o.delivery.atUs : order > o.order;
    }
  };
  bool chance(double percent);
  std::int64_t delayUs();
  void queue(int to, std::span<const std::uint8_t> bytes, bool reliable, std::int64_t atUs);

  LinkConditions c_;
  ComputerRandom random_;
  double burstStartPercent_ = 0;
  int burstLeft_[2] = {0, 0};
  std::int64_t lastReliableUs_[2] = {0, 0};
  std::uint64_t bytesSent_[2] = {0, 0};
  std::uint64_t order_ = 0;
  bool cut_ = false;
  std::priority_queue<Queued> queue_;
};

}  // namespace glamora::net
