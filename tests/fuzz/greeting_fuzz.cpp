// The greeting with a pass phrase on any bytes: a keyed host and joiner at
// each step of an honest greeting are given the bytes as from the other
// side. What they answer reads back as a greeting packet, and a side greets
// only on exactly the packet the honest other side sent at that step, with
// the same token. The key here is a plain stand-in, cheap and deterministic,
// so that the search can reach every step; the real one is libsodium's.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/net/handshake.h"
#include "fuzz_check.h"

namespace {

using namespace glamora::net;

class PlainKey final : public PassKey {
 public:
  Salt salt() const override { return salt_; }
  void derive(const Salt& salt) override { salt_ = salt; }
  Nonce nonce() const override {
    Nonce n{};
    n[0] = ++made_;
    return n;
  }
  Proof proof(std::string_view label, const Nonce& joiner, const Nonce& host) const override {
    Proof p{};
    for (std::size_t k = 0; k < p.size(); ++k) {
      p[k] = static_cast<std::uint8_t>(joiner[k] ^ host[k] ^ salt_[k % salt_.size()] ^ label[k % label.size()]);
    }
    return p;
  }
  bool proves(const Proof& claimed, std::string_view label, const Nonce& joiner, const Nonce& host) const override {
    return claimed == proof(label, joiner, host);
  }

 private:
  Salt salt_{7, 1, 9};
  mutable std::uint8_t made_ = 0;
};

const Greeting kGreeting{kProtocolVersion, "1.0", 1, 1000};

// A side at one step of the honest greeting, and the packet that moves it on.
struct Step {
  Handshake side;
  std::vector<std::uint8_t> honest;
  bool mayGreet;
};

void check(std::span<const std::uint8_t> bytes) {
  PlainKey hostKey, joinerKey;
  Handshake host = Handshake::host(kGreeting, &hostKey);
  Handshake joiner = Handshake::joiner(kGreeting, 42, &joinerKey);
  std::vector<Step> steps{{host, joiner.hello(), false}, {joiner, {}, false}};
  std::vector<std::uint8_t> challenge, proof, welcome;
  host.receive(steps[0].honest, challenge);
  steps[1].honest = challenge;
  steps.push_back({host, {}, true});
  joiner.receive(challenge, proof);
  steps[2].honest = proof;
  steps.push_back({joiner, {}, true});
  FUZZ_CHECK(host.receive(proof, welcome) == Handshake::State::Accepted);
  steps[3].honest = welcome;
  FUZZ_CHECK(joiner.receive(welcome, proof) == Handshake::State::Accepted && joiner.token() == host.token());

  for (Step& s : steps) {
    std::vector<std::uint8_t> reply;
    const Handshake::State state = s.side.receive(bytes, reply);
    if (!reply.empty()) {
      const std::optional<Packet> answer = decodePacket(reply);
      FUZZ_CHECK(answer && answer->type != PacketType::Inputs && answer->type != PacketType::Hello);
    }
    if (state == Handshake::State::Accepted) {
      FUZZ_CHECK(s.mayGreet && std::equal(bytes.begin(), bytes.end(), s.honest.begin(), s.honest.end()));
      FUZZ_CHECK(s.side.token() == host.token());
    }
  }
}

}  // namespace

// The bytes as they are, and with their last four made the checksum of the
// rest, so that the search gets past the checksum to the fields behind it.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  check({data, size});
  if (size < 4) return 0;
  std::vector<std::uint8_t> sealed(data, data + size);
  const std::uint32_t crc = crc32(std::span(sealed).first(size - 4));
  for (int k = 0; k < 4; ++k) sealed[size - 4 + k] = static_cast<std::uint8_t>(crc >> (8 * k));
  check(sealed);
  return 0;
}
