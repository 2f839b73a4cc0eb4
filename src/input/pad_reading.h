// One gamepad's controls turned into key presses: the d-pad or the left stick
// held left or right is the player's left or right key, pressed once and then
// repeated after 300 ms every 100 ms while held; the south button (A, cross)
// is select and never repeats; Start pauses. Times are milliseconds on any
// steady clock the caller reads.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace glamora {

// What a pad's controls say at one moment.
struct PadControls {
  bool dpadLeft = false;
  bool dpadRight = false;
  int stickX = 0;  // the left stick, -32768 (left) .. 32767 (right)
  bool south = false;
  bool start = false;
};

enum class PadButton { Left, Right, Select, Pause };

class PadReading {
 public:
  static constexpr int kFirstRepeatMs = 300;
  static constexpr int kRepeatMs = 100;
  // The stick counts as pushed past half way and as let go again inside a
  // quarter of its travel: a stick resting near either line does not chatter,
  // and one push is one step.
  static constexpr int kStickPushed = 16384;
  static constexpr int kStickLetGo = 8192;

  // The presses that `controls`, read at `ms`, make: a direction newly held,
  // a repeat that has come due, select and pause newly pressed.
  std::vector<PadButton> read(const PadControls& controls, std::int64_t ms);
  // Takes `controls` as they are without pressing anything: what is held when
  // a game window becomes active acts only once let go and pressed again.
  void settle(const PadControls& controls);
  // When the direction held repeats next; none while no direction is held.
  std::optional<std::int64_t> nextRepeat() const;

 private:
  int stickDirection(int x) const;
  int direction(const PadControls& controls) const;

  int stick_ = 0;      // -1 left, 0 at rest, 1 right, after the hysteresis
  int direction_ = 0;  // the direction held, d-pad first
  bool south_ = false;
  bool start_ = false;
  std::int64_t repeatAt_ = 0;
};

}  // namespace glamora
