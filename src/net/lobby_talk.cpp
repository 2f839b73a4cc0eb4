#include "lobby_talk.h"

#include <random>

namespace glamora::netio {

LobbyTalk::LobbyTalk(const lobby::Endpoint& lobby, DatagramSend send) : lobby_(lobby), send_(std::move(send)) {
  // Ids start anywhere, so that a late answer to an earlier run's request
  // from the same port is unlikely to match; 0 is the lobby's news.
  std::random_device device;
  nextId_ = device() | 1;
}

void LobbyTalk::ask(std::function<Body()> make, std::int64_t everyUs, Until until, std::int64_t nowUs) {
  const std::size_t kind = make().index();
  Out& out = out_[kind].emplace();
  out.id = nextId_++;
  if (out.id == 0) out.id = nextId_++;
  out.make = std::move(make);
  out.everyUs = everyUs;
  out.until = until;
  out.heardUs = nowUs;
  send(out, nowUs);
}

void LobbyTalk::ask(const Body& body, std::int64_t everyUs, Until until, std::int64_t nowUs) {
  ask([body] { return body; }, everyUs, until, nowUs);
}

void LobbyTalk::pace(std::size_t kind, std::int64_t everyUs) {
  if (!out_[kind]) return;
  out_[kind]->nextUs += everyUs - out_[kind]->everyUs;
  out_[kind]->everyUs = everyUs;
}

std::int64_t LobbyTalk::silentUs(std::size_t kind, std::int64_t nowUs) const {
  return out_[kind] ? nowUs - out_[kind]->heardUs : 0;
}

void LobbyTalk::send(Out& out, std::int64_t nowUs) {
  const std::vector<std::uint8_t> datagram = lobby::encode(lobby::Request{out.id, cookie_, out.make()});
  send_(lobby_, datagram);
  out.nextUs = nowUs + out.everyUs;
}

void LobbyTalk::service(std::int64_t nowUs) {
  for (std::optional<Out>& out : out_) {
    if (out && nowUs >= out->nextUs) send(*out, nowUs);
  }
}

std::optional<LobbyTalk::Heard> LobbyTalk::receive(std::span<const std::uint8_t> datagram, std::int64_t nowUs) {
  const std::optional<lobby::Message> message = lobby::decode(datagram);
  const auto* answer = message ? std::get_if<lobby::Answer>(&*message) : nullptr;
  if (!answer) return std::nullopt;
  const auto* given = std::get_if<lobby::CookieGiven>(&answer->body);
  // A cookie given to an earlier request is the lobby's latest all the same.
  if (given) cookie_ = given->cookie;
  std::optional<Heard> heard;
  if (answer->id == 0) {
    if (!given) heard.emplace().answer = *answer;
    return heard;
  }
  for (std::size_t kind = 0; kind < out_.size(); ++kind) {
    std::optional<Out>& out = out_[kind];
    if (!out || out->id != answer->id) continue;
    if (given) {
      send(*out, nowUs);
      break;
    }
    out->heardUs = nowUs;
    if (out->until == Until::Answered) out.reset();
    heard.emplace().kind = kind;
    heard->answer = *answer;
    break;
  }
  return heard;
}

}  // namespace glamora::netio
