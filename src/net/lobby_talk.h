// The requests a game has out at the lobby, without a socket: each is sent at
// once and again at its pace, with the cookie the lobby last gave this game,
// until it is answered or, for those that say the game is still there, until
// it is stopped. A CookieGiven is kept and the request it answers resent at
// once. At most one request of each kind is out; asking another replaces it.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <type_traits>
#include <utility>
#include <variant>

#include "lobby/lobby_wire.h"

namespace glamora::netio {

// Sends one datagram from the game's socket.
using DatagramSend = std::function<void(const lobby::Endpoint& to, std::span<const std::uint8_t> datagram)>;

class LobbyTalk {
 public:
  using Body = decltype(lobby::Request::body);
  enum class Until { Answered, Stopped };

  // The kind of request a body type is, for stop() and the others.
  template <typename T>
  static constexpr std::size_t kind() {
    return kindIn<T>(std::make_index_sequence<std::variant_size_v<Body>>());
  }

  LobbyTalk(const lobby::Endpoint& lobby, DatagramSend send);
  const lobby::Endpoint& lobby() const { return lobby_; }

  // Sends a request now and every `everyUs` from then on. `make` is called
  // for every send, so that each carries fresh nonces; retries keep the id.
  void ask(std::function<Body()> make, std::int64_t everyUs, Until until, std::int64_t nowUs);
  void ask(const Body& body, std::int64_t everyUs, Until until, std::int64_t nowUs);
  void stop(std::size_t kind) { out_[kind].reset(); }
  bool asking(std::size_t kind) const { return out_[kind].has_value(); }
  // A request still out: from now on sent every `everyUs`.
  void pace(std::size_t kind, std::int64_t everyUs);
  // How long the lobby has said nothing to a request still out: since it was
  // asked or last answered (0 when none is out).
  std::int64_t silentUs(std::size_t kind, std::int64_t nowUs) const;

  // Sends the requests that are due.
  void service(std::int64_t nowUs);
  // What the lobby said: an answer, with the kind of request it answers, or
  // news nobody asked for (no kind).
  struct Heard {
    std::optional<std::size_t> kind;
    lobby::Answer answer;
  };
  // A datagram from the lobby: none for anything but an answer to a request
  // out or news, a cookie too.
  std::optional<Heard> receive(std::span<const std::uint8_t> datagram, std::int64_t nowUs);

 private:
  template <typename T, std::size_t... K>
  static constexpr std::size_t kindIn(std::index_sequence<K...>) {
    std::size_t found = 0;
    ((std::is_same_v<T, std::variant_alternative_t<K, Body>> ? (found = K, true) : false) || ...);
    return found;
  }
  struct Out {
    std::uint32_t id = 0;
    std::function<Body()> make;
    std::int64_t everyUs = 0;
    Until until = Until::Answered;
    std::int64_t nextUs = 0;
    std::int64_t heardUs = 0;  // asked, or last answered
  };
  void send(Out& out, std::int64_t nowUs);

  lobby::Endpoint lobby_;
  DatagramSend send_;
  lobby::Cookie cookie_{};
  std::uint32_t nextId_;
  std::array<std::optional<Out>, std::variant_size_v<Body>> out_;
};

}  // namespace glamora::netio
