#include "rendezvous.h"

#include <algorithm>
#include <random>

namespace glamora::netio {

namespace {

using lobby::Role;
using Until = LobbyTalk::Until;

constexpr std::size_t kRegister = LobbyTalk::kind<lobby::Register>();
constexpr std::size_t kSetPublic = LobbyTalk::kind<lobby::SetPublic>();
constexpr std::size_t kKeepalive = LobbyTalk::kind<lobby::Keepalive>();
constexpr std::size_t kJoin = LobbyTalk::kind<lobby::Join>();
constexpr std::size_t kRelay = LobbyTalk::kind<lobby::Relay>();
constexpr std::size_t kStarted = LobbyTalk::kind<lobby::Started>();

// The other game's outside endpoint and its locals, each once.
std::vector<lobby::Endpoint> endpointsOf(const lobby::Introduced& news) {
  std::vector<lobby::Endpoint> all;
  const auto add = [&all](const lobby::Endpoint& e) {
    if (e.ip != 0 && e.port != 0 && std::find(all.begin(), all.end(), e) == all.end()) all.push_back(e);
  };
  add(news.outside);
  for (const lobby::Endpoint& e : news.locals) add(e);
  return all;
}

}  // namespace

Rendezvous::Rendezvous(RendezvousOptions options, DatagramSend send, std::int64_t nowUs)
    : options_(std::move(options)), send_(std::move(send)), talk_(options_.lobby, send_) {
  std::random_device device;
  nonce_ = (std::uint64_t{device()} << 32) | device();
  wantOpen_ = registeredOpen_ = options_.open;
  if (options_.host) {
    talk_.ask(lobby::Register{options_.version, options_.signature, options_.name, options_.open, options_.locals},
              kRetryUs, Until::Answered, nowUs);
    return;
  }
  code_ = options_.code;
  talk_.ask(lobby::Join{code_, options_.version, options_.signature, options_.locals}, kRetryUs, Until::Answered,
            nowUs);
}

void Rendezvous::fail(Problem problem, std::string error) {
  phase_ = Phase::Failed;
  problem_ = problem;
  error_ = std::move(error);
}

std::string Rendezvous::unreachable() const {
  const std::string name = options_.lobbyName.empty() ? lobby::toString(options_.lobby) : options_.lobbyName;
  return "the lobby at " + name + " cannot be reached";
}

void Rendezvous::receive(const lobby::Endpoint& from, std::span<const std::uint8_t> datagram, std::int64_t nowUs) {
  if (phase_ == Phase::Failed) return;
  if (from == options_.lobby) {
    if (const std::optional<LobbyTalk::Heard> h = talk_.receive(datagram, nowUs)) heard(*h, nowUs);
    return;
  }
  const std::optional<lobby::Message> message = lobby::decode(datagram);
  if (const auto* p = message ? std::get_if<lobby::Punch>(&*message) : nullptr) punched(from, *p);
}

void Rendezvous::heard(const LobbyTalk::Heard& h, std::int64_t nowUs) {
  const auto& body = h.answer.body;
  if (const auto* r = std::get_if<lobby::Registered>(&body)) {
    if (options_.host && phase_ == Phase::Contacting) registered(r->code, nowUs);
  } else if (std::holds_alternative<lobby::Waiting>(body)) {
    if (options_.host && phase_ == Phase::Meeting && h.kind == kKeepalive) backToWaiting(nowUs);
  } else if (const auto* i = std::get_if<lobby::Introduced>(&body)) {
    introduced(*i, nowUs);
  } else if (const auto* r = std::get_if<lobby::Relaying>(&body)) {
    if (r->code == code_) relaying(r->both);
  } else if (const auto* r = std::get_if<lobby::Refused>(&body)) {
    refused(h.kind, r->why);
  } else if (std::holds_alternative<lobby::Done>(body) && h.kind == kSetPublic) {
    registeredOpen_ = askedOpen_;
  }
}

// A refused registration, join, keepalive (the room is gone) ends this side;
// a refused relay ends a joiner, which has no other way, while the host
// punches on. A refused listing or start changes nothing.
void Rendezvous::refused(std::optional<std::size_t> kind, lobby::Refusal why) {
  if (kind == kRegister || kind == kJoin || kind == kKeepalive || (kind == kRelay && !options_.host)) {
    refusal_ = why;
    fail(Problem::Refused, lobby::refusalText(why));
  } else if (kind == kRelay) {
    talk_.stop(kRelay);
  }
}

void Rendezvous::registered(const std::string& code, std::int64_t nowUs) {
  code_ = code;
  phase_ = Phase::Waiting;
  talk_.ask(lobby::Keepalive{code_}, kKeepaliveUs, Until::Stopped, nowUs);
  if (wantOpen_ != registeredOpen_) setPublic(wantOpen_, nowUs);
}

void Rendezvous::setPublic(bool open, std::int64_t nowUs) {
  wantOpen_ = open;
  if (!options_.host || code_.empty() || phase_ == Phase::Connected || phase_ == Phase::Failed) return;
  askedOpen_ = open;
  talk_.ask(lobby::SetPublic{code_, open}, kRetryUs, Until::Answered, nowUs);
}

void Rendezvous::leave(std::int64_t nowUs) {
  if (!options_.host || code_.empty() || phase_ == Phase::Connected || phase_ == Phase::Failed) return;
  talk_.stop(kKeepalive);
  talk_.stop(kSetPublic);
  talk_.ask(lobby::Leave{code_}, kRetryUs, Until::Answered, nowUs);
}

void Rendezvous::introduced(const lobby::Introduced& news, std::int64_t nowUs) {
  const bool expected =
      options_.host ? phase_ == Phase::Waiting || phase_ == Phase::Meeting : phase_ == Phase::Contacting;
  if (!expected || news.code != code_ || (key_ && *key_ == news.key)) return;
  key_ = news.key;
  if (onKey) onKey(news.key);
  others_ = endpointsOf(news);
  phase_ = Phase::Meeting;
  introducedUs_ = nowUs;
  nextPunchUs_ = nowUs;
  relaySinceUs_ = -1;
  talk_.stop(kRelay);
  // A keepalive of its own from now on, so that a Waiting sent before the
  // introduction is not taken for the room reopened.
  if (options_.host) talk_.ask(lobby::Keepalive{code_}, kKeepaliveUs, Until::Stopped, nowUs);
  else talk_.stop(kJoin);
}

// The joiner that was introduced is no longer expected: the connection
// takes a key nobody knows until the next introduction.
void Rendezvous::backToWaiting(std::int64_t nowUs) {
  if (onKey) onKey(lobby::freshKey());
  phase_ = Phase::Waiting;
  others_.clear();
  relaySinceUs_ = -1;
  talk_.stop(kRelay);
  talk_.ask(lobby::Keepalive{code_}, kKeepaliveUs, Until::Stopped, nowUs);
}

void Rendezvous::punch(const lobby::Endpoint& to, bool answer, std::uint64_t nonce) {
  const lobby::Punch p{code_, role(), answer, nonce, lobby::tagOf(*key_, "punch", code_, role(), answer, nonce)};
  send_(to, lobby::encode(p));
}

// The host answers every punch that proves the room's key, where it came
// from; the joiner connects to the first of the host's endpoints that
// answered so.
void Rendezvous::punched(const lobby::Endpoint& from, const lobby::Punch& p) {
  if (!key_ || phase_ != Phase::Meeting || p.code != code_ || p.from == role()) return;
  if (!lobby::tagHolds(p.tag, *key_, "punch", code_, p.from, p.answer, p.nonce)) return;
  if (options_.host) {
    if (!p.answer) punch(from, true, p.nonce);
    return;
  }
  if (p.answer && relaySinceUs_ < 0 && std::find(others_.begin(), others_.end(), from) != others_.end()) {
    connect(from, Path::Direct);
  }
}

void Rendezvous::startRelay(std::int64_t nowUs) {
  relaySinceUs_ = nowUs;
  talk_.ask(
      [this] {
        const std::uint64_t nonce = ++nonce_;
        return lobby::Relay{code_, role(), nonce, lobby::tagOf(*key_, "relay", code_, role(), false, nonce)};
      },
      kRetryUs, Until::Stopped, nowUs);
}

// The host, proven, says it is there every second from then on; the joiner
// connects once both are proven.
void Rendezvous::relaying(bool both) {
  if (options_.host) talk_.pace(kRelay, kKeepaliveUs);
  else if (phase_ == Phase::Meeting && relaySinceUs_ >= 0 && both) connect(options_.lobby, Path::Relay);
}

void Rendezvous::connect(const lobby::Endpoint& to, Path path) {
  phase_ = Phase::Connected;
  path_ = path;
  if (path == Path::Relay) talk_.pace(kRelay, kKeepaliveUs);
  else talk_.stop(kRelay);
  if (onConnect) onConnect(to);
}

void Rendezvous::opened(const lobby::Endpoint& peer, std::int64_t nowUs) {
  if (!options_.host || phase_ == Phase::Connected || phase_ == Phase::Failed || !key_) return;
  phase_ = Phase::Connected;
  path_ = peer == options_.lobby ? Path::Relay : Path::Direct;
  talk_.stop(kKeepalive);
  const bool relayed = path_ == Path::Relay;
  if (relayed) {
    if (relaySinceUs_ < 0) startRelay(nowUs);
    talk_.pace(kRelay, kKeepaliveUs);
  } else {
    talk_.stop(kRelay);
  }
  talk_.ask(lobby::Started{code_, relayed, lobby::tagOf(*key_, "started", code_, Role::Host, relayed, 0)}, kRetryUs,
            Until::Answered, nowUs);
}

bool Rendezvous::relayLost(std::int64_t nowUs) const {
  return path_ == Path::Relay && talk_.silentUs(kRelay, nowUs) > kRelayLostUs;
}

void Rendezvous::service(std::int64_t nowUs) {
  if (phase_ == Phase::Failed) return;
  checkSilence(nowUs);
  if (phase_ == Phase::Failed) return;
  // Setting a room public and saying the battle started are worth a few tries only.
  for (const std::size_t kind : {kSetPublic, kStarted}) {
    if (talk_.silentUs(kind, nowUs) > kStartedLimitUs) talk_.stop(kind);
  }
  talk_.service(nowUs);
  if (phase_ != Phase::Meeting) return;
  const bool joinerRelays = !options_.host && relaySinceUs_ >= 0;
  if (!joinerRelays && nowUs >= nextPunchUs_) {
    for (const lobby::Endpoint& to : others_) punch(to, false, ++nonce_);
    nextPunchUs_ = nowUs + kPunchUs;
  }
  if (relaySinceUs_ < 0 && nowUs - introducedUs_ >= kPunchLimitUs) startRelay(nowUs);
}

void Rendezvous::checkSilence(std::int64_t nowUs) {
  const bool hostWaits = options_.host && (phase_ == Phase::Waiting || phase_ == Phase::Meeting);
  if (phase_ == Phase::Contacting && talk_.silentUs(options_.host ? kRegister : kJoin, nowUs) >= kUnreachableUs) {
    fail(Problem::Unreachable, unreachable());
  } else if (hostWaits && talk_.silentUs(kKeepalive, nowUs) >= kSilentLobbyUs) {
    fail(Problem::LobbySilent, "the lobby stopped answering");
  } else if (!options_.host && phase_ == Phase::Meeting && relaySinceUs_ >= 0) {
    if (talk_.silentUs(kRelay, nowUs) >= kUnreachableUs) fail(Problem::Unreachable, unreachable());
    else if (nowUs - relaySinceUs_ >= kRelayLimitUs) fail(Problem::PeerUnreachable, "the host cannot be reached");
  }
}

}  // namespace glamora::netio
