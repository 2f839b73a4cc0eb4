// What one player does in one tick of a network battle: the keys in the order
// pressed, each with its offset in the tick, and (the host only) a stage
// chosen for a later tick.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "engine/editor_values.h"
#include "engine/player.h"

namespace glamora::net {

inline constexpr int kTickMs = 100;
// Ticks a side may play on a guess of the other side's keys.
inline constexpr int kPredictionTicks = 10;
// A stage choice acts this many ticks after it is made at the earliest (the
// count shown before a round), and no more than kStageLeadMaxTicks after.
inline constexpr int kStageLeadTicks = 30;
inline constexpr int kStageLeadMaxTicks = 300;
inline constexpr int kMaxKeysPerTick = 16;
inline constexpr int kEditorBoxCount = kColumns * kSlots + 2;

// The editor's texts, boxes in check order (pa11..pa68, psc, ptm).
using EditorTexts = std::array<std::string, kEditorBoxCount>;

struct KeyPress {
  Key key = Key::None;
  int offsetMs = 0;  // 0..kTickMs-1 after the tick began on the presser's machine
  bool operator==(const KeyPress&) const = default;
};

// The host's choice of a stage for tick `at`; stage 15 carries the host's
// editor texts, which the choice types into the battle's own editor first.
struct StageChoice {
  int stage = 0;
  int at = 0;
  EditorTexts texts{};  // all empty unless stage 15
  bool operator==(const StageChoice&) const = default;
};

struct TickInput {
  int keyCount = 0;
  std::array<KeyPress, kMaxKeysPerTick> keys{};
  std::optional<StageChoice> choice;
  // The host's end tick, named in this tick (-1: none). It travels with the
  // inputs as well as on the reliable channel, so that a side always learns
  // of it before it can confirm the end tick.
  int endAt = -1;

  std::span<const KeyPress> pressed() const { return {keys.data(), static_cast<std::size_t>(keyCount)}; }
  bool operator==(const TickInput& o) const {
    return keyCount == o.keyCount && std::equal(keys.begin(), keys.begin() + keyCount, o.keys.begin()) &&
           choice == o.choice && endAt == o.endAt;
  }
};

// One key of the merged order of a tick: whose, and which.
struct MergedKey {
  int player = 0;
  Key key = Key::None;
};

// Both players' keys of one tick in the order both machines apply them: by
// offset, then player 1 before player 2; one player's keys keep the order
// they were pressed in. Returns the number written to `out`.
int mergeKeys(const TickInput& first, const TickInput& second, std::array<MergedKey, 2 * kMaxKeysPerTick>& out);

// The character a player's key is, as the keyboard and scripts give it:
// player 1 a/s/d, player 2 4/5/6.
char keyCharacter(int player, Key key);

// Whether a text may stand in an editor box sent by the other side: valid
// UTF-8, no control character, at most the box's typed length.
bool acceptableEditorText(const EditorBox& box, std::string_view text);

// The editor's texts as they stand, in check order.
EditorTexts editorTexts(const EditorValues& editor);

}  // namespace glamora::net
