#include "pad_reading.h"

namespace glamora {

int PadReading::stickDirection(int x) const {
  if (stick_ < 0 && x < -kStickLetGo) return -1;
  if (stick_ > 0 && x > kStickLetGo) return 1;
  if (x <= -kStickPushed) return -1;
  if (x >= kStickPushed) return 1;
  return 0;
}

int PadReading::direction(const PadControls& controls) const {
  const int dpad = (controls.dpadRight ? 1 : 0) - (controls.dpadLeft ? 1 : 0);
  return dpad != 0 ? dpad : stick_;
}

std::vector<PadButton> PadReading::read(const PadControls& controls, std::int64_t ms) {
  std::vector<PadButton> presses;
  stick_ = stickDirection(controls.stickX);
  const int held = direction(controls);
  const PadButton step = held < 0 ? PadButton::Left : PadButton::Right;
  if (held != direction_) {
    direction_ = held;
    if (held != 0) {
      presses.push_back(step);
      repeatAt_ = ms + kFirstRepeatMs;
    }
  } else if (held != 0 && ms >= repeatAt_) {
    presses.push_back(step);
    // One repeat per reading: after a long gap the repeats go on from now
    // instead of coming all at once.
    repeatAt_ += kRepeatMs;
    if (repeatAt_ <= ms) repeatAt_ = ms + kRepeatMs;
  }
  if (controls.south && !south_) presses.push_back(PadButton::Select);
  if (controls.start && !start_) presses.push_back(PadButton::Pause);
  south_ = controls.south;
  start_ = controls.start;
  return presses;
}

void PadReading::settle(const PadControls& controls) {
  stick_ = stickDirection(controls.stickX);
  direction_ = direction(controls);
  // A direction held on is taken as pressed long ago: it does not repeat
  // until it is let go and pushed again.
  repeatAt_ = INT64_MAX;
  south_ = controls.south;
  start_ = controls.start;
}

std::optional<std::int64_t> PadReading::nextRepeat() const {
  if (direction_ == 0 || repeatAt_ == INT64_MAX) return std::nullopt;
  return repeatAt_;
}

}  // namespace glamora
