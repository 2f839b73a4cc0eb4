// The greeting with a pass phrase on any bytes, given to a host and a joiner
// at each step of an honest greeting: what they answer reads back, and a side
// greets only on exactly the packet the honest other side sent at that step,
// with the same token. The key is a cheap stand-in so that the search reaches
// every step; the real one is libsodium's.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/net/handshake.h"
#include "fuzz_check.h"
#include "sealed_input.h"

namespace {

using namespace glamora::net;

class PlainKey final : public PassKey {
 public:
  Salt salt() const override { return {}; }
  void derive(const Salt&) override {}
  Nonce nonce() const override { return {++made_}; }
  Proof proof(std::string_view label, const Nonce& joiner, const Nonce& host) const override {
    Proof p{};
    for (std::size_t k = 0; k < p.size(); ++k) p[k] = joiner[k] ^ host[k] ^ label[k % label.size()];
    return p;
  }
  bool proves(const Proof& claimed, std::string_view label, const Nonce& joiner, const Nonce& host) const override {
    return claimed == proof(label, joiner, host);
  }

 private:
  mutable std::uint8_t made_ = 0;
};

void check(std::span<const std::uint8_t> bytes) {
  const Greeting greeting{kProtocolVersion, "1.0", 1, 1000};
  PlainKey hostKey, joinerKey;
  Handshake host = Handshake::host(greeting, &hostKey), joiner = Handshake::joiner(greeting, 42, &joinerKey);
  // Each step: the side, the packet the other side honestly sends it then.
  std::vector<std::pair<Handshake, std::vector<std::uint8_t>>> steps{{host, joiner.hello()}, {joiner, {}}};
  host.receive(steps[0].second, steps[1].second);
  steps.push_back({host, {}});
  joiner.receive(steps[1].second, steps[2].second);
  steps.push_back({joiner, {}});
  FUZZ_CHECK(host.receive(steps[2].second, steps[3].second) == Handshake::State::Accepted);

  for (std::size_t k = 0; k < steps.size(); ++k) {
    auto& [side, honest] = steps[k];
    std::vector<std::uint8_t> reply;
    if (side.receive(bytes, reply) == Handshake::State::Accepted) {
      FUZZ_CHECK(k >= 2 && std::equal(bytes.begin(), bytes.end(), honest.begin(), honest.end()));
      FUZZ_CHECK(side.token() == host.token());
    }
    FUZZ_CHECK(reply.empty() || decodePacket(reply));
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  return checkAsIsAndSealed(data, size, [](std::span<const std::uint8_t> bytes) { check(bytes); });
}
