// The lobby on a simulated clock, and games that talk to it from their
// endpoints: a game fetches its cookie on its first request, and whatever
// the lobby sends anywhere is kept per endpoint for the tests to read.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lobby_server.h"

namespace glamora::lobby::testing {

using RequestBody = decltype(Request::body);
using AnswerBody = decltype(Answer::body);

inline Endpoint at(std::uint32_t ip, std::uint16_t port = 40000) { return {0xC6120000 + ip, port}; }

inline Limits roomyLimits() {
  Limits limits;
  limits.requestsPerSecond = 1000;
  return limits;
}

struct Harness {
  explicit Harness(Limits limits = roomyLimits())
      : server(limits, [this](std::string_view l) { logs.emplace_back(l); }) {}

  // Every datagram the lobby sent to `to`, in order.
  std::vector<std::vector<std::uint8_t>> sentTo(const Endpoint& to) const {
    std::vector<std::vector<std::uint8_t>> bytes;
    for (const Outgoing& o : sent)
      if (o.to == to) bytes.push_back(o.bytes);
    return bytes;
  }
  // Hands over one datagram; returns how many datagrams went out for it.
  std::size_t deliver(const Endpoint& from, const std::vector<std::uint8_t>& datagram) {
    std::vector<Outgoing> out;
    server.receive(from, datagram, nowUs, out);
    sent.insert(sent.end(), out.begin(), out.end());
    return out.size();
  }
  // Moves the clock on, ticking every 100 ms as the program does.
  void advance(std::int64_t us) {
    for (const std::int64_t end = nowUs + us; nowUs < end;) {
      nowUs = std::min(end, nowUs + 100'000);
      std::vector<Outgoing> out;
      server.tick(nowUs, out);
      sent.insert(sent.end(), out.begin(), out.end());
    }
  }
  bool logged(std::string_view part) const {
    for (const std::string& line : logs)
      if (line.find(part) != std::string::npos) return true;
    return false;
  }

  std::vector<std::string> logs;  // before the server, which logs as it starts
  LobbyServer server;
  std::int64_t nowUs = 7'000'000'000;
  std::vector<Outgoing> sent;
};

struct Game {
  Harness& lobby;
  Endpoint from;
  Cookie cookie{};
  std::uint32_t nextId = 1;

  // The answers to this request, after fetching a cookie if the game has none.
  std::vector<Answer> ask(const RequestBody& body) {
    const std::uint32_t id = nextId++;
    std::vector<Answer> answers = send(id, body);
    if (answers.size() == 1 && std::holds_alternative<CookieGiven>(answers[0].body)) {
      cookie = std::get<CookieGiven>(answers[0].body).cookie;
      answers = send(id, body);
    }
    return answers;
  }
  // The one answer to this request, of the expected kind.
  template <typename Body>
  Body answer(const RequestBody& body) {
    const std::vector<Answer> answers = ask(body);
    if (answers.size() != 1 || !std::holds_alternative<Body>(answers[0].body)) {
      ADD_FAILURE() << "expected one answer of the kind asked for, got " << answers.size();
      return Body{};
    }
    return std::get<Body>(answers[0].body);
  }
  Refusal refusal(const RequestBody& body) { return answer<Refused>(body).why; }
  // News nobody asked for (id 0) sent to this game so far.
  std::vector<AnswerBody> news() const {
    std::vector<AnswerBody> found;
    for (const auto& bytes : lobby.sentTo(from)) {
      const std::optional<Message> m = decode(bytes);
      if (m && std::holds_alternative<Answer>(*m) && std::get<Answer>(*m).id == 0)
        found.push_back(std::get<Answer>(*m).body);
    }
    return found;
  }

 private:
  std::vector<Answer> send(std::uint32_t id, const RequestBody& body) {
    const std::size_t before = lobby.sent.size();
    lobby.deliver(from, encode(Request{id, cookie, body}));
    std::vector<Answer> answers;
    for (std::size_t k = before; k < lobby.sent.size(); ++k) {
      if (!(lobby.sent[k].to == from)) continue;
      const std::optional<Message> m = decode(lobby.sent[k].bytes);
      if (m && std::holds_alternative<Answer>(*m) && std::get<Answer>(*m).id == id)
        answers.push_back(std::get<Answer>(*m));
    }
    return answers;
  }
};

inline Register registration(std::string name = "Room", bool open = true) {
  return Register{"1.0", 77, std::move(name), open, {{0x0A000002, 47291}}};
}
inline Join joining(std::string code) { return Join{std::move(code), "1.0", 77, {{0x0A000003, 47291}}}; }

}  // namespace glamora::lobby::testing
