// What this game says of itself when it greets a peer or answers a probe: its
// version and the signature of its rules (the same glamora-sim --bench
// prints), at the one speed a person plays at.
#pragma once

#include "engine/net/packet.h"

namespace glamora::netgame {

// Plays the rules signature's games (under 0.1 s in a release build): call it
// away from the event loop, or ahead of need.
net::Greeting gameGreeting();
const char* gameVersion();

}  // namespace glamora::netgame
