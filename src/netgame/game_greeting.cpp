#include "game_greeting.h"

#include "engine/rules_signature.h"

namespace glamora::netgame {

const char* gameVersion() { return GLAMORA_VERSION; }

net::Greeting gameGreeting() {
  net::Greeting g;
  g.gameVersion = GLAMORA_VERSION;
  g.signature = playRulesSignature().signature;
  g.speedMilli = 1000;
  return g;
}

}  // namespace glamora::netgame
