// One round of a kept script, shown from any moment of it. Playing on runs
// the script's session forward with its effects heard. A seek forward plays
// on with them muted; a seek back plays the round again from its start on a
// new session, muted, since the engine arrives at the same state however its
// time is cut into steps. The round's start, and every kKeyframeMs of it
// that play passes, is kept as a SessionSnapshot, so a seek back plays at
// most that much again, however long the session and the round. Either way the seek ends on exactly the state that
// playing straight through gives, with the media players as that would have
// left them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "replay.h"
#include "replay_media.h"
#include "session_snapshot.h"

namespace glamora {

class ReplayCursor {
 public:
  // `lines` must have passed firstBadLine(); `round` numbers the round to
  // show (1, 2, ...; one that is no round's number is never found).
  // `keyframeMs`: how much of the round lies between two kept states.
  static constexpr std::int64_t kKeyframeMs = 20'000;
  ReplayCursor(Effects& effects, std::vector<std::string> lines, int round, std::int64_t keyframeMs = kKeyframeMs);
  ~ReplayCursor();
  ReplayCursor(const ReplayCursor&) = delete;
  ReplayCursor& operator=(const ReplayCursor&) = delete;

  // One bounded step of the search for the round's start, muted, as
  // ReplayRun::advanceTowardsRound takes it. Once Reached, the cursor stands
  // at position 0 with its effects heard.
  ReplayRun::Search findStart(std::size_t lines, std::int64_t ms);
  bool found() const { return found_; }

  // The session shown. A seek back puts a new one in its place, and tells
  // `onNewSession` before the old one goes.
  Session& session() { return current_.run->session; }
  const ReplayRun& run() const { return *current_.run; }
  std::function<void(Session&)> onNewSession;
  std::size_t lineCount() const { return lines_.size(); }

  // The round's start on the replay's clock, and the time played since.
  std::int64_t start() const { return start_; }
  std::int64_t position() const { return current_.run->session.clock.now() - start_; }
  // How long the round lasts: as a note said it (expectLength), until the
  // round's own end, or the script's, is met.
  std::optional<std::int64_t> length() const { return length_; }
  void expectLength(std::int64_t ms);
  bool atEnd() const { return length_ && position() >= *length_; }
  // The round as it ended, once the cursor has met its end.
  const std::optional<RoundRecord>& ending() const { return ending_; }

  // Plays on for `ms`, never past the round's end.
  void play(std::int64_t ms);
  // Goes to `position` (within 0 and the length).
  void seek(std::int64_t position);

 private:
  struct Run {
    std::unique_ptr<ReplayEffects> effects;
    std::unique_ptr<ReplayRun> run;
  };
  Run newRun();
  // Keeps the state the session stands in at `position`.
  void keep(std::int64_t position);
  // Plays on at most `ms` and up to the round's end; false when the round's
  // end was met within it and passed.
  bool advance(std::int64_t ms);
  void seekBack(std::int64_t position);

  Effects& effects_;
  std::vector<std::string> lines_;
  int round_;
  MediaState heard_;
  Run current_;
  // A moment of the round: the session, the script's place and the media.
  struct Keyframe {
    SessionSnapshot state;
    ReplayRun::Place place;
    MediaState media;
  };
  std::int64_t keyframeMs_;
  std::map<std::int64_t, Keyframe> keyframes_;  // by position, from the start
  bool found_ = false;
  std::int64_t start_ = 0;
  std::optional<std::int64_t> length_;
  std::optional<RoundRecord> ending_;
};

}  // namespace glamora
