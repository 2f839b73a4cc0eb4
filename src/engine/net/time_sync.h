// Keeps two machines' clocks level: each side estimates how far it runs
// ahead of the other (from the other's tick, half the round trip and the
// time since its last tick) and tells the other; the side ahead by the mean
// of both estimates lengthens its ticks a little until the two are level.
// Neither side ever skips or shortens a tick.
#pragma once

#include <array>
#include <cstdint>

#include "packet.h"

namespace glamora::net {

class TimeSync {
 public:
  explicit TimeSync(std::int64_t tickUs) : tickUs_(tickUs) {}

  // A packet of the other side arrived at `nowUs`, while this side's open
  // tick is `myTick`, opened at `myTickStartUs`.
  void heard(const InputsBody& packet, std::int64_t nowUs, int myTick, std::int64_t myTickStartUs);

  // This side's lead over the other in thousandths of a tick (mean of the
  // last estimates).
  std::int32_t leadMilliTicks() const;
  // How much longer than its nominal length the next tick is to be.
  std::int64_t extraUs() const;
  std::int64_t roundTripUs() const { return roundTripUs_; }

  // A mean lead below this is taken as level.
  static constexpr std::int32_t kLevelMilliTicks = 50;
  // A tick is lengthened by at most a tenth.
  static constexpr std::int32_t kMostExtraMilliTicks = 100;

 private:
  std::int64_t tickUs_;
  std::int64_t roundTripUs_ = -1;
  std::array<std::int32_t, 8> leads_{};
  int leadCount_ = 0;
  std::int32_t theirLead_ = 0;
};

}  // namespace glamora::net
