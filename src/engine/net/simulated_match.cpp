#include "simulated_match.h"

#include <memory>
#include <optional>

#include "handshake.h"

namespace glamora::net {

namespace {

class SideLink final : public PeerLink {
 public:
  SideLink(SimulatedLink& link, int side, const std::int64_t& nowUs) : link_(link), side_(side), nowUs_(nowUs) {}
  void sendUnsequenced(std::span<const std::uint8_t> packet) override { link_.send(side_, packet, false, nowUs_); }
  void sendReliable(std::span<const std::uint8_t> packet) override { link_.send(side_, packet, true, nowUs_); }

 private:
  SimulatedLink& link_;
  int side_;
  const std::int64_t& nowUs_;
};

struct Side {
  Side(SimulatedLink& link, int index, const std::int64_t& nowUs, Handshake greeting)
      : link(link, index, nowUs), handshake(std::move(greeting)) {}
  SideLink link;
  Handshake handshake;
  std::unique_ptr<HeadlessPeer> peer;
  std::string journal;
  std::uint64_t bytesReceived = 0;
  bool stopped() const {
    return handshake.state() == Handshake::State::Refused ||
           (peer && peer->peer().status() != NetPeer::Status::Playing);
  }
};

std::uint64_t mixed(std::uint64_t seed, std::uint64_t k) {
  ComputerRandom r(seed ^ (k * 0x9E3779B97F4A7C15ull));
  return r.next();
}

}  // namespace

std::string withoutComments(const std::string& journal) {
  std::string out;
  for (std::size_t at = 0; at < journal.size();) {
    const std::size_t end = std::min(journal.find('\n', at), journal.size());
    if (journal[at] != '#') out.append(journal, at, end + 1 - at);
    at = end + 1;
  }
  return out;
}

SimulatedMatch runSimulatedMatch(const SimulatedMatchOptions& options) {
  const std::int64_t tickUs = std::int64_t{kTickMs} * 1000;
  std::int64_t nowUs = 0;
  SimulatedLink link(options.link, mixed(options.seed, 1));
  std::array<std::unique_ptr<Side>, 2> sides{
      std::make_unique<Side>(link, 0, nowUs, Handshake::host(options.greetings[0])),
      std::make_unique<Side>(link, 1, nowUs, Handshake::joiner(options.greetings[1], mixed(options.seed, 2)))};
  link.send(1, sides[1]->handshake.hello(), true, 0);

  // No battle runs longer than its rounds at their time limit with the
  // choices' lead, and a minute.
  const std::int64_t limitUs =
      (std::int64_t{options.rounds} * (options.roundLimitTicks + 2 * kStageLeadTicks) + 600) * tickUs + 60'000'000;
  std::vector<std::uint8_t> reply;
  while (!(sides[0]->stopped() && sides[1]->stopped())) {
    std::optional<std::int64_t> next = link.nextDueUs();
    for (const auto& s : sides) {
      if (s->peer && !s->stopped())
        next = std::min(next.value_or(s->peer->peer().nextWakeUs()), s->peer->peer().nextWakeUs());
    }
    if (!next || *next > limitUs) break;
    nowUs = *next;
    if (options.cutAtMs >= 0 && nowUs >= options.cutAtMs * 1000) link.cut();
    while (std::optional<Delivery> d = link.take(nowUs)) {
      Side& s = *sides[d->to];
      s.bytesReceived += d->bytes.size();
      if (s.peer) {
        s.peer->peer().receive(d->bytes, nowUs);
        continue;
      }
      if (!d->reliable) continue;
      const Handshake::State state = s.handshake.receive(d->bytes, reply);
      if (!reply.empty()) link.send(d->to, reply, true, nowUs);
      if (state != Handshake::State::Accepted) continue;
      HeadlessOptions o;
      o.host = d->to == 0;
      o.level = options.levels[d->to];
      o.seed = mixed(options.seed, 3 + d->to);
      o.rounds = options.rounds;
      o.roundLimitTicks = options.roundLimitTicks;
      s.peer = std::make_unique<HeadlessPeer>(o, s.handshake.token(), options.tickUs[d->to], s.link,
                                              [&s](std::string_view line) { s.journal += line; });
      s.peer->peer().start(nowUs);
    }
    for (const auto& s : sides) {
      if (s->peer) s->peer->peer().update(nowUs);
    }
  }

  SimulatedMatch result;
  result.simulatedUs = nowUs;
  for (int k = 0; k < 2; ++k) {
    Side& s = *sides[k];
    PeerReport& r = result.reports[k];
    if (s.peer) {
      r = s.peer->report();
      if (s.peer->peer().status() == NetPeer::Status::Playing) r.error = "the simulated battle did not end";
    } else {
      r.host = k == 0;
      r.error = s.handshake.error().empty() ? "no handshake" : s.handshake.error();
    }
    r.bytesSent = link.bytesSent(k);
    r.bytesReceived = s.bytesReceived;
    result.journals[k] = std::move(s.journal);
  }
  return result;
}

}  // namespace glamora::net
