// How two games meet through the lobby, without a socket: the owner passes in
// the datagrams that came (lobby::hasPrefix), the time in microseconds, and a
// way to send; the rendezvous says when the battle's connection takes the
// room's key and where the joiner connects.
//
// The host registers a room and keeps it (Keepalive every second) until the
// lobby introduces a joiner. Both then punch every endpoint of the other every
// 100 ms; the host answers each punch that proves the room's key, and the
// joiner connects to the first endpoint whose answer proves it (direct). A
// joiner that has no answer within 5 s of the introduction proves its
// endpoint to the lobby (Relay) and, once both have, connects to the lobby,
// which passes the battle's datagrams on (relay); a host not connected within
// 5 s proves its endpoint too. Once the host's connection is open it tells
// the lobby which path it took (Started). While relayed, both say every
// second that they are still there. A room the lobby reopens (no battle
// within 15 s) finds the host waiting again.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "lobby/lobby_wire.h"
#include "lobby_talk.h"

namespace glamora::netio {

struct RendezvousOptions {
  bool host = true;
  lobby::Endpoint lobby;
  std::string lobbyName;  // as the player gave it, for the errors ("" : the endpoint)
  std::string version;
  std::uint64_t signature = 0;
  std::string name;                     // the host's room
  bool open = false;                    // the host's room is listed
  std::string code;                     // the joiner's room
  std::vector<lobby::Endpoint> locals;  // this side's endpoints on its own networks
};

class Rendezvous {
 public:
  // Contacting: registering or joining. Waiting: a host whose room is open.
  // Meeting: punching, or proving endpoints for the relay. Connected: the
  // joiner has connected; the host's connection is open.
  enum class Phase { Contacting, Waiting, Meeting, Connected, Failed };
  enum class Path { None, Direct, Relay };
  // Why it failed: the lobby never answered, refused (refusal()), stopped
  // answering a waiting host, or the joiner could not reach the host.
  enum class Problem { None, Unreachable, Refused, LobbySilent, PeerUnreachable };

  static constexpr std::int64_t kRetryUs = 500'000;
  static constexpr std::int64_t kKeepaliveUs = 1'000'000;
  static constexpr std::int64_t kPunchUs = 100'000;
  static constexpr std::int64_t kPunchLimitUs = 5'000'000;
  static constexpr std::int64_t kUnreachableUs = 5'000'000;
  static constexpr std::int64_t kSilentLobbyUs = 10'000'000;
  static constexpr std::int64_t kRelayLostUs = 3'000'000;
  static constexpr std::int64_t kStartedLimitUs = 5'000'000;
  // A joiner that the relay does not join to the host within this time gives up.
  static constexpr std::int64_t kRelayLimitUs = 10'000'000;

  Rendezvous(RendezvousOptions options, DatagramSend send, std::int64_t nowUs);

  // A datagram with the lobby's prefix, from the lobby or the other game.
  void receive(const lobby::Endpoint& from, std::span<const std::uint8_t> datagram, std::int64_t nowUs);
  // Sends what is due: retries, keepalives, punches.
  void service(std::int64_t nowUs);
  // The host's connection is open, to `peer`: the path is the relay when the
  // peer is the lobby.
  void opened(const lobby::Endpoint& peer, std::int64_t nowUs);
  // The host's room is listed, or no longer.
  void setPublic(bool open, std::int64_t nowUs);
  // A host that gives up waiting tells the lobby once, so that its room
  // leaves the list at once rather than after 10 s of silence.
  void leave(std::int64_t nowUs);

  Phase phase() const { return phase_; }
  Path path() const { return path_; }
  const std::string& code() const { return code_; }
  const std::string& error() const { return error_; }
  Problem problem() const { return problem_; }
  std::optional<lobby::Refusal> refusal() const { return refusal_; }
  // The battle goes through the lobby, which has not answered for 3 s.
  bool relayLost(std::int64_t nowUs) const;

  // The room's key: the battle's greeting proves it from now on.
  std::function<void(const lobby::RoomKey&)> onKey;
  // The joiner's: connect the battle's connection to this endpoint.
  std::function<void(const lobby::Endpoint&)> onConnect;

 private:
  void heard(const LobbyTalk::Heard& heard, std::int64_t nowUs);
  void refused(std::optional<std::size_t> kind, lobby::Refusal why);
  void introduced(const lobby::Introduced& news, std::int64_t nowUs);
  void registered(const std::string& code, std::int64_t nowUs);
  void relaying(bool both);
  void punched(const lobby::Endpoint& from, const lobby::Punch& punch);
  void connect(const lobby::Endpoint& to, Path path);
  void startRelay(std::int64_t nowUs);
  void backToWaiting(std::int64_t nowUs);
  void punch(const lobby::Endpoint& to, bool answer, std::uint64_t nonce);
  void checkSilence(std::int64_t nowUs);
  void fail(Problem problem, std::string error);
  std::string unreachable() const;
  lobby::Role role() const { return options_.host ? lobby::Role::Host : lobby::Role::Joiner; }

  RendezvousOptions options_;
  DatagramSend send_;
  LobbyTalk talk_;
  Phase phase_ = Phase::Contacting;
  Path path_ = Path::None;
  std::string code_;
  std::string error_;
  Problem problem_ = Problem::None;
  std::optional<lobby::Refusal> refusal_;
  std::optional<lobby::RoomKey> key_;
  std::vector<lobby::Endpoint> others_;  // the other game's endpoints, deduplicated
  std::int64_t introducedUs_ = 0;
  std::int64_t nextPunchUs_ = 0;
  std::int64_t relaySinceUs_ = -1;  // when this side began proving its endpoint
  bool registeredOpen_ = false;     // the host's room as the lobby has it
  bool wantOpen_ = false;
  bool askedOpen_ = false;  // the last SetPublic's
  std::uint64_t nonce_;
};

}  // namespace glamora::netio
