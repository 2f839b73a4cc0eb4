// The effects of a replay's session. While it plays on they reach the
// outside as they come; while it seeks they are muted (no sound, no dialog,
// no error box) and only what they would leave the media players holding is
// kept, so that the seek can end with the players as playing straight would
// have left them.
#pragma once

#include <array>
#include <string>

#include "effects.h"

namespace glamora {

// What the media players hold: the file each has open and whether the music
// plays; and for the voices, which were started (a voice stops by itself).
struct MediaState {
  std::array<std::string, kMediaCount> files{};
  std::array<bool, kMediaCount> playing{};
  bool operator==(const MediaState&) const = default;

  void take(Media player, MediaOp op);
};

class ReplayEffects final : public Effects {
 public:
  // `heard` is what the outside's players hold: shared by every session of
  // one replay, since a seek back hands the outside over to a new one.
  ReplayEffects(Effects& out, MediaState& heard) : out_(out), heard_(heard) {}

  bool muted() const { return muted_; }
  void mute();
  // Ends a mute. The players are brought to where this session's effects
  // would have left them: a file opened meanwhile is opened, the music is
  // started from its beginning (when it was stopped, or started over
  // meanwhile) or stopped, and a voice from before the mute is cut off; no
  // voice is started.
  void unmute();
  // Where this session's effects have left (or would have left) the players.
  const MediaState& due() const { return due_; }
  // A muted session put where another one stood goes on from where that
  // one's effects had left the players, the music started over.
  void goOnFrom(const MediaState& due) {
    due_ = due;
    musicRestarted_ = true;
  }

  void openMedia(Media player, const std::string& path) override;
  void media(Media player, MediaOp op) override;
  void openDialog(Dialog dialog) override;
  void showError(const Message& text) override;

 private:
  Effects& out_;
  MediaState& heard_;
  MediaState due_;
  bool muted_ = false;
  bool musicRestarted_ = false;  // the music was rewound while muted
};

}  // namespace glamora
