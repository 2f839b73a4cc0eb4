#include "blocking_peer.h"

#include <algorithm>
#include <limits>

#include "engine/net/handshake.h"
#include "net/enet_connection.h"
#include "net/this_machine.h"
#include "peer_loop.h"

namespace glamora::sim {

namespace {

using Connection = netio::EnetConnection;

// A joiner gives up when no host answers within the game window's time.
constexpr std::int64_t kJoinLimitUs = netio::kAnswerLimitUs;
// Checked here before the connection's own limit of the same length, which
// would turn the joiner away in silence.
constexpr std::int64_t kGreetingLimitUs = 5'000'000;

// Waits until the connection is open: "" then, or why it is not.
std::string greet(Connection& c, const BlockingPeerOptions& o, const Clock& clock) {
  // A host turns callers that greet badly away, or lets them go, and waits
  // on; when no one came, it says whom it turned away last.
  std::string turnedAway;
  c.onTurnedAway = [&](const std::string& address, net::Refusal why) {
    turnedAway = "; turned away " + address + ": " + net::refusalText(why);
  };
  const std::int64_t connectBy = o.host ? std::int64_t{o.waitSeconds} * 1'000'000 : kJoinLimitUs;
  const std::string noAnswer = "no answer from " + o.address + ":" + std::to_string(o.port);
  const std::string left = "the peer left during the greeting";
  std::int64_t greetingSince = 0;
  for (;;) {
    const std::int64_t now = clock.us();
    const Connection::State before = c.state();
    if (before == Connection::State::Greeting && now - greetingSince > kGreetingLimitUs) {
      return "no greeting from the peer within 5 s";
    }
    c.service(now);
    switch (c.state()) {
      case Connection::State::Open: return {};
      case Connection::State::Failed:
        if (c.problem() != Connection::Problem::NoAnswer) return c.error();
        return before == Connection::State::Greeting ? left : noAnswer;
      case Connection::State::Greeting:
        if (before == Connection::State::Waiting) greetingSince = now;
        break;
      case Connection::State::Waiting:
        if (before == Connection::State::Greeting) return left;
        if (now >= connectBy) {
          return o.host ? "no peer came within " + std::to_string(o.waitSeconds) + " s" + turnedAway : noAnswer;
        }
    }
    const std::int64_t by = c.state() == Connection::State::Greeting ? greetingSince + kGreetingLimitUs : connectBy;
    waitFor(c.socket(), std::min<std::int64_t>((by - clock.us()) / 1000 + 1, 50));
  }
}

}  // namespace

net::PeerReport runBlockingPeer(const BlockingPeerOptions& o) {
  // The connection takes addresses only: names are looked up here.
  const std::string address = o.address.empty() ? "" : netio::firstIPv4(o.address);
  if (address.empty() && !o.address.empty()) return failure(o.host, "cannot resolve " + o.address);
  const Clock clock;
  Connection c(Connection::Options{o.host, address, o.port, o.greeting, std::numeric_limits<std::int64_t>::max(),
                                   o.phrase},
               clock.us());
  if (std::string error = greet(c, o, clock); !error.empty()) {
    goodbye(c, clock);
    return failure(o.host, std::move(error));
  }

  return playBattle({c, [&c](std::int64_t nowUs) { c.service(nowUs); }, {}}, o.headless, o.greeting, o.journal, clock);
}

}  // namespace glamora::sim
