// Two headless sides of a network battle in one process, over a simulated
// link on the simulated clock: the netcode above the transport, played
// exactly the same way for the same options.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "headless_peer.h"
#include "packet.h"
#include "simulated_link.h"

namespace glamora::net {

struct SimulatedMatchOptions {
  std::array<ComputerLevel, 2> levels{ComputerLevel::Hard, ComputerLevel::Hard};  // host, joiner
  LinkConditions link;
  int rounds = 1;
  int roundLimitTicks = kRoundLimitTicks;
  std::uint64_t seed = 1;
  std::int64_t cutAtMs = -1;          // from this simulated time on nothing gets through
  std::array<Greeting, 2> greetings;  // what each side says of itself
  // Each side's tick on the link's clock: two machines' clocks never run
  // quite alike.
  std::array<std::int64_t, 2> tickUs{std::int64_t{kTickMs} * 1000, std::int64_t{kTickMs} * 1000};
};

struct SimulatedMatch {
  std::array<PeerReport, 2> reports;  // host, joiner
  std::array<std::string, 2> journals;
  std::int64_t simulatedUs = 0;
};

SimulatedMatch runSimulatedMatch(const SimulatedMatchOptions& options);

// The journal without its `#` lines: what both sides must agree on.
std::string withoutComments(const std::string& journal);

}  // namespace glamora::net
