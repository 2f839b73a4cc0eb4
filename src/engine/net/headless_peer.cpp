#include "headless_peer.h"

#include <cstdio>

#include "engine/computer_view.h"
#include "engine/stages.h"
#include "engine/text_checks.h"

namespace glamora::net {

namespace {

// The computer's random choices and the host's stages come from the seed,
// each stream its own.
std::uint64_t stream(std::uint64_t seed, std::uint64_t k) {
  ComputerRandom r(seed ^ (k * 0xD1B54A32D192ED03ull));
  return r.next();
}

}  // namespace

std::string hashText(std::uint64_t hash) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

std::string reportLine(const PeerReport& r) {
  if (!r.ok) return "{\"error\":" + jsonString(r.error) + "}";
  const std::string path = r.path.empty() ? "" : ",\"path\":" + jsonString(r.path);
  return std::string("{\"net\":\"") + (r.host ? "host" : "join") + "\"" + path +
         ",\"rounds\":" + std::to_string(r.tally.rounds) + ",\"wins\":[" + std::to_string(r.tally.wins[0]) + "," +
         std::to_string(r.tally.wins[1]) + "],\"draws\":" + std::to_string(r.tally.draws) + ",\"hash\":\"" +
         hashText(r.hash) + "\",\"rollbacks\":" + std::to_string(r.rollback.rollbacks) +
         ",\"maxRollbackTicks\":" + std::to_string(r.rollback.maxRollbackTicks) +
         ",\"stallTicks\":" + std::to_string(r.stallTicks) + ",\"bytesSent\":" + std::to_string(r.bytesSent) +
         ",\"bytesReceived\":" + std::to_string(r.bytesReceived) + ",\"dropped\":" + std::to_string(r.dropped) +
         ",\"simulatedMs\":" + std::to_string(r.ticks * kTickMs) + "}";
}

HeadlessPeer::HeadlessPeer(const HeadlessOptions& options, std::uint64_t token, std::int64_t tickUs, PeerLink& link,
                           std::function<void(std::string_view)> journal)
    : options_(options),
      peer_(options.host ? 0 : 1, token, tickUs, link, effects_),
      computer_(options.level, stream(options.seed, options.host ? 1 : 2)),
      stages_(stream(options.seed, 3)) {
  if (journal) {
    journal_.emplace(std::move(journal));
    journal_->comment(std::string("Glamora network battle, ") + (options.host ? "host" : "joiner") + " side");
    peer_.onConfirmed = [this](const ConfirmedTick& t) {
      journal_->tick(t);
      if (t.tick == peer_.battle().endTick()) journal_->finish(t.tick);
    };
  }
  peer_.onTick = [this] { tick(); };
}

void HeadlessPeer::tick() {
  const RollbackBattle& b = peer_.battle();
  const Battle& battle = b.session().battle;
  const int p = b.localPlayer();
  const Key key = computer_.tick(makeComputerView(battle.player(p).state, &battle.player(1 - p).state,
                                                  battle.state.flags, battle.state.stageNo, 0));
  if (key != Key::None) peer_.pressLocalAt(key, 0);
  if (options_.host) plan();
}

// The next round is chosen once the last one has started and ended at
// confirmed ticks; at the last one's time limit the next choice is made in
// advance so that it acts exactly then.
void HeadlessPeer::plan() {
  if (ending_) return;
  const RollbackBattle& b = peer_.battle();
  const ConfirmedTally& t = b.tally();
  const int now = b.now();
  const bool over = scheduled_ == 0 || (t.rounds == scheduled_ && !t.roundOpen && b.confirmed() >= lastAt_);
  if (over && !limitPlanned_) {
    nextRound(now + kStageLeadTicks, now);
  } else if (!limitPlanned_ && now >= lastAt_ + options_.roundLimitTicks - kStageLeadTicks) {
    limitPlanned_ = true;
    nextRound(lastAt_ + options_.roundLimitTicks, lastAt_ + options_.roundLimitTicks);
  }
}

void HeadlessPeer::nextRound(int at, int endTick) {
  if (scheduled_ >= options_.rounds) {
    ending_ = true;
    peer_.endAt(endTick);
    return;
  }
  if (!peer_.chooseStage(1 + stages_.below(kBuiltInStages), at, EditorTexts{})) return;
  ++scheduled_;
  lastAt_ = at;
  limitPlanned_ = false;
}

PeerReport HeadlessPeer::report() const {
  const RollbackBattle& b = peer_.battle();
  PeerReport r;
  r.host = options_.host;
  r.ok = peer_.status() == NetPeer::Status::Finished;
  r.error = peer_.error();
  r.tally = b.tally();
  r.hash = b.endTick() >= 0 && b.confirmed() >= b.endTick() ? b.hashAt(b.endTick()) : 0;
  r.rollback = b.stats();
  r.stallTicks = peer_.stallTicks();
  r.ticks = b.endTick() >= 0 ? b.endTick() : b.now();
  r.dropped = peer_.dropped();
  return r;
}

}  // namespace glamora::net
