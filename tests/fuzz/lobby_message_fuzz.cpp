// The lobby's messages on any bytes. What decode reads, encode writes back
// byte for byte. Then the lobby, with a room waiting, introduced or relayed,
// gets the bytes from the host, the joiner, a stranger and an address that
// never echoed a cookie; from the first three also with the cookie, the
// room's code and a tag under the room's key put in when the bytes read as a
// request, so that the search reaches past the cookie and the proofs. Nothing
// but a cookie, no larger than what asked, may go to the address without
// one; whatever goes anywhere else is an answer that reads back or a
// relayed datagram; the lobby holds no more rooms than it may.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "fuzz_check.h"
#include "lobby_server.h"

namespace {

using namespace glamora::lobby;

struct Side {
  Endpoint at;
  Cookie cookie{};
};

class Stage {
 public:
  // 0: a room waiting; 1: introduced; 2: relayed.
  explicit Stage(int stage) : lobby_(limits(), [](std::string_view) {}) {
    for (Side* side : {&host_, &joiner_, &stranger_}) {
      deliver(side->at, Request{1, {}, List{0}});
      side->cookie = std::get<CookieGiven>(lastAnswer().body).cookie;
    }
    deliver(host_.at, Request{2, host_.cookie, Register{"1.0", 7, "Room", true, {}}});
    code_ = std::get<Registered>(lastAnswer().body).code;
    if (stage >= 1) {
      deliver(joiner_.at, Request{3, joiner_.cookie, Join{code_, "1.0", 7, {}}});
      key_ = std::get<Introduced>(lastAnswer().body).key;
    }
    for (const auto& [side, role] : {std::pair{&host_, Role::Host}, std::pair{&joiner_, Role::Joiner}}) {
      if (stage >= 2) deliver(side->at, fixed(Request{4, {}, Relay{code_, role, 1, {}}}, *side));
    }
  }

  void check(std::span<const std::uint8_t> bytes) {
    const std::optional<Message> read = decode(bytes);
    for (Side* side : {&host_, &joiner_, &stranger_}) {
      deliver(side->at, bytes);
      if (read && std::holds_alternative<Request>(*read)) deliver(side->at, fixed(std::get<Request>(*read), *side));
    }
    out_.clear();
    lobby_.receive(nobody_, bytes, nowUs_, out_);
    for (const Outgoing& o : out_) {
      FUZZ_CHECK(o.to == nobody_ && o.bytes.size() <= bytes.size());
      const std::optional<Message> answer = decode(o.bytes);
      FUZZ_CHECK(answer && std::holds_alternative<CookieGiven>(std::get<Answer>(*answer).body));
    }
    nowUs_ += 20'000'000;
    lobby_.tick(nowUs_, out_);
    FUZZ_CHECK(lobby_.rooms() <= limits().rooms && lobby_.relayedRooms() <= limits().relayedRooms);
  }

 private:
  static Limits limits() {
    Limits l;
    l.rooms = 2;
    l.relayedRooms = 1;
    l.addressSlots = 64;  // small, so that each input starts a lobby quickly
    return l;
  }
  void deliver(const Endpoint& from, std::span<const std::uint8_t> bytes) {
    out_.clear();
    lobby_.receive(from, bytes, nowUs_, out_);
    for (const Outgoing& o : out_) {
      FUZZ_CHECK(!(o.to == nobody_));
      const std::optional<Message> m = hasPrefix(o.bytes) ? decode(o.bytes) : std::nullopt;
      FUZZ_CHECK(m ? std::holds_alternative<Answer>(*m)
                   : std::equal(o.bytes.begin(), o.bytes.end(), bytes.begin(), bytes.end()));
    }
  }
  void deliver(const Endpoint& from, const Request& request) { deliver(from, encode(request)); }
  Answer lastAnswer() const { return std::get<Answer>(*decode(out_.back().bytes)); }
  // The request as one of the room's sides would send it.
  std::vector<std::uint8_t> fixed(Request request, const Side& side) const {
    request.cookie = side.cookie;
    std::visit(
        [&](auto& body) {
          if constexpr (requires { body.code; }) body.code = code_;
          if constexpr (requires { body.role; }) body.tag = tagOf(key_, "relay", code_, body.role, false, body.nonce);
          if constexpr (requires { body.relayed; })
            body.tag = tagOf(key_, "started", code_, Role::Host, body.relayed, 0);
        },
        request.body);
    return encode(request);
  }

  LobbyServer lobby_;
  std::vector<Outgoing> out_;
  std::int64_t nowUs_ = 1'000'000;
  Side host_{{0x0A000001, 1000}}, joiner_{{0x0A000002, 2000}}, stranger_{{0x0A000003, 3000}};
  Endpoint nobody_{0x0A000004, 4000};
  std::string code_;
  RoomKey key_{};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  if (const std::optional<Message> read = decode(bytes)) {
    const std::vector<std::uint8_t> again = encode(*read);
    FUZZ_CHECK(std::equal(again.begin(), again.end(), bytes.begin(), bytes.end()));
  }
  for (int stage = 0; stage < 3; ++stage) Stage(stage).check(bytes);
  return 0;
}
