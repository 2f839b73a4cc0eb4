#include "replay_cursor.h"

#include <algorithm>
#include <climits>
#include <utility>

namespace glamora {

ReplayCursor::ReplayCursor(Effects& effects, std::vector<std::string> lines, int round)
    : effects_(effects), lines_(std::move(lines)), round_(round), current_(newRun()) {}

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
  startState_.take(session());
  startPlace_ = current_.run->place();
  startMedia_ = current_.effects->due();
  // Position 0 is the round's start with every line of that moment run, as
  // a seek back to 0 would leave it.
  current_.run->play(0);
  current_.effects->unmute();
  return search;
}

void ReplayCursor::expectLength(std::int64_t ms) {
  if (!ending_) length_ = std::max<std::int64_t>(ms, 0);
}

bool ReplayCursor::advance(std::int64_t ms) {
  if (length_) ms = std::min(ms, *length_ - position());
  if (!current_.run->play(std::max<std::int64_t>(ms, 0)) && !length_) length_ = position();
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
  Run run = newRun();
  startState_.restore(run.run->session);
  run.run->goOnFrom(startPlace_);
  run.effects->goOnFrom(startMedia_);
  run.run->play(position);
  std::swap(current_, run);
  if (onNewSession) onNewSession(session());
  current_.effects->unmute();
  // `run` now holds the old session, which goes here, after its screen.
}

}  // namespace glamora
