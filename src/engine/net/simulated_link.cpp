#include "simulated_link.h"

#include <algorithm>

namespace glamora::net {

SimulatedLink::SimulatedLink(const LinkConditions& conditions, std::uint64_t seed) : c_(conditions), random_(seed) {
  c_.burst = std::max(1, c_.burst);
  // Bursts of 1..burst packets (mean m) that start with chance q leave a
  // share q*m / (1 - q + q*m) of the packets lost: q is set to give the
  // share asked for.
  const double f = std::clamp(c_.lossPercent / 100.0, 0.0, 0.99);
  const double m = (c_.burst + 1) / 2.0;
  burstStartPercent_ = 100.0 * f / (m * (1.0 - f) + f);
}

bool SimulatedLink::chance(double percent) {
  return static_cast<double>(random_.next() >> 11) * 0x1.0p-53 * 100.0 < percent;
}

std::int64_t SimulatedLink::delayUs() {
  const std::int64_t jitter = c_.jitterMs > 0 ? random_.below(2 * c_.jitterMs * 1000 + 1) - c_.jitterMs * 1000 : 0;
  return std::max<std::int64_t>(0, std::int64_t{c_.delayMs} * 1000 + jitter);
}

void SimulatedLink::queue(int to, std::span<const std::uint8_t> bytes, bool reliable, std::int64_t atUs) {
  queue_.push({{atUs, to, reliable, std::vector<std::uint8_t>(bytes.begin(), bytes.end())}, order_++});
}

void SimulatedLink::send(int from, std::span<const std::uint8_t> bytes, bool reliable, std::int64_t nowUs) {
  bytesSent_[from] += bytes.size();
  if (cut_) return;
  const int to = 1 - from;
  if (reliable) {
    // Each loss costs a resend about a round trip and a little later.
    std::int64_t at = nowUs + delayUs();
    while (chance(c_.lossPercent)) at += 2 * std::int64_t{c_.delayMs} * 1000 + 50'000;
    at = std::max(at, lastReliableUs_[from]);
    lastReliableUs_[from] = at;
    queue(to, bytes, true, at);
    return;
  }
  if (burstLeft_[from] > 0 || chance(burstStartPercent_)) {
    burstLeft_[from] = burstLeft_[from] > 0 ? burstLeft_[from] - 1 : random_.below(c_.burst);
    return;
  }
  std::int64_t at = nowUs + delayUs();
  if (chance(c_.reorderPercent)) at += random_.below(150'001);
  queue(to, bytes, false, at);
  if (chance(c_.duplicatePercent)) queue(to, bytes, false, nowUs + delayUs());
}

std::optional<std::int64_t> SimulatedLink::nextDueUs() const {
  if (queue_.empty()) return std::nullopt;
  return queue_.top().delivery.atUs;
}

std::optional<Delivery> SimulatedLink::take(std::int64_t nowUs) {
  if (queue_.empty() || queue_.top().delivery.atUs > nowUs) return std::nullopt;
  Delivery d = queue_.top().delivery;
  queue_.pop();
  return d;
}

}  // namespace glamora::net
