// The network battle's packet reader on any bytes: it reads nothing beyond
// them, and what it accepts writes back to exactly the same bytes. Both
// sides of a battle under way, and both sides of a greeting, are then given
// the bytes as from the other side: they use them or drop them, and the
// battle plays on soundly either way (a key, a stage choice with editor
// texts, an end, acknowledgements and hashes out of any order).
#include <cstdint>
#include <span>
#include <vector>

#include "engine/net/handshake.h"
#include "engine/net/net_peer.h"
#include "engine/net/packet.h"
#include "fuzz_check.h"
#include "sealed_input.h"

namespace {

using namespace glamora;
using namespace glamora::net;

class NoLink final : public PeerLink {
 public:
  void sendUnsequenced(std::span<const std::uint8_t>) override {}
  void sendReliable(std::span<const std::uint8_t>) override {}
};

constexpr std::int64_t kTickUs = 100'000;

void check(std::span<const std::uint8_t> bytes) {
  const std::optional<Packet> packet = decodePacket(bytes);
  if (packet) FUZZ_CHECK(encodePacket(*packet) == std::vector<std::uint8_t>(bytes.begin(), bytes.end()));

  // The token the packet carries, so that its fields reach the checks behind it.
  const std::uint64_t token = packet ? packet->token : 42;
  SilentEffects effects;
  NoLink link;
  for (int side = 0; side < 2; ++side) {
    NetPeer peer(side, token, kTickUs, link, effects);
    peer.start(0);
    peer.pressLocalAt(Key::Select, 5);
    peer.update(3 * kTickUs);
    const std::int64_t before = peer.dropped();
    peer.receive(bytes, 3 * kTickUs);
    FUZZ_CHECK(peer.dropped() == before || peer.dropped() == before + 1);
    peer.update(20 * kTickUs);
    const RollbackBattle& b = peer.battle();
    FUZZ_CHECK(b.confirmed() <= b.closedLocal() && b.closedLocal() <= b.now());
    FUZZ_CHECK(b.now() - b.lastRemote() <= kPredictionTicks || b.endTick() >= 0);
  }
  std::vector<std::uint8_t> reply;
  Handshake host = Handshake::host({kProtocolVersion, "1.0", 1, 1000});
  Handshake joiner = Handshake::joiner({kProtocolVersion, "1.0", 1, 1000}, token);
  host.receive(bytes, reply);
  joiner.receive(bytes, reply);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return checkAsIsAndSealed(data, size, [](std::span<const std::uint8_t> bytes) { check(bytes); });
}
