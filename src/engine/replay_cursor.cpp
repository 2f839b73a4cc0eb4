#include "replay_cursor.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace glamora {

ReplayCursor::ReplayCursor(Effects& effects, std::vector<std::string> lines, int round, std::int64_t keyframeMs)
    : effects_(effects),
      lines_(std::move(lines)),
      round_(round),
      current_(newRun()),
      keyframeMs_(std::max<std::int64_t>(keyframeMs, 100)) {}

ReplayCursor::~ReplayCursor() = default;

// Every session of the cursor starts muted and hears of the round's end.
ReplayCursor::Run ReplayCursor::newRun() {
  Run run;
  run.effects = std::make_unique<ReplayEffects>(effects_, heard_);
  run.effects->mute();
  run.run = std::make_unique<ReplayRun>(*run.effects, lines_);
  run.run->session.onRoundEnded = [this](const RoundRecord& ended) {
    if (ended.number != round_ || !found_) return;
    ending_ = ended;
    length_ = ended.end - start_;
  };
  return run;
}

ReplayRun::Search ReplayCursor::findStart(std::size_t lines, std::int64_t ms) {
  if (found_) return ReplayRun::Search::Reached;
  const ReplayRun::Search search = current_.run->advanceTowardsRound(round_, lines, ms);
  if (search != ReplayRun::Search::Reached) return search;
  found_ = true;
  start_ = session().clock.now();
  keep(0);
  // Position 0 is the round's start with every line of that moment run, as
  // a seek back to 0 would leave it.
  current_.run->play(0);
  current_.effects->unmute();
  return search;
}

void ReplayCursor::expectLength(std::int64_t ms) {
  if (!ending_) length_ = std::max<std::int64_t>(ms, 0);
}

void ReplayCursor::keep(std::int64_t position) {
  Keyframe& kept = keyframes_[position];
  kept.state.take(session());
  kept.place = current_.run->place();
  kept.media = current_.effects->due();
}

// Stops at each keyframe's moment on the way to keep it. A step of 0 still
// runs the lines of the present moment.
bool ReplayCursor::advance(std::int64_t ms) {
  if (length_) ms = std::min(ms, *length_ - position());
  const std::int64_t target = position() + std::max<std::int64_t>(ms, 0);
  bool more = true;
  do {
    const std::int64_t next = (position() / keyframeMs_ + 1) * keyframeMs_;
    more = current_.run->play(std::min(target, next) - position());
    if (position() == next && !keyframes_.contains(next)) keep(next);
  } while (more && position() < target);
  if (!more && !length_) length_ = position();
  return !length_ || position() <= *length_;
}

void ReplayCursor::play(std::int64_t ms) {
  if (!found_) return;
  // A round whose end no note told may end inside a step; the step is then
  // taken again up to the end, so that the last frame is the round's own.
  if (!advance(ms)) seek(*length_);
}

void ReplayCursor::seek(std::int64_t position) {
  if (!found_) return;
  position = std::max<std::int64_t>(position, 0);
  if (length_) position = std::min(position, *length_);
  if (position < this->position()) return seekBack(position);
  current_.effects->mute();
  if (advance(position - this->position())) current_.effects->unmute();
  else seekBack(*length_);
}

void ReplayCursor::seekBack(std::int64_t position) {
  // The last state kept at or before `position`: there is one every
  // keyframeMs_ up to the furthest moment played.
  const auto& [from, kept] = *std::prev(keyframes_.upper_bound(position));
  Run run = newRun();
  kept.state.restore(run.run->session);
  run.run->goOnFrom(kept.place);
  run.effects->goOnFrom(kept.media);
  run.run->play(position - from);
  std::swap(current_, run);
  if (onNewSession) onNewSession(session());
  current_.effects->unmute();
  // `run` now holds the old session, which goes here, after its screen.
}

}  // namespace glamora
