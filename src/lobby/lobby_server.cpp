#include "lobby_server.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <limits>
#include <optional>

namespace glamora::lobby {

namespace {

constexpr std::int64_t kSecondUs = 1'000'000;
constexpr std::int64_t kMinuteUs = 60 * kSecondUs;
constexpr std::int64_t kHostSilenceUs = 10 * kSecondUs;
constexpr std::int64_t kLongestWaitUs = 30 * kMinuteUs;
constexpr std::int64_t kStartWithinUs = 15 * kSecondUs;
constexpr std::int64_t kRelaySilenceUs = 10 * kSecondUs;

std::size_t sideOf(Role role) { return static_cast<std::size_t>(role); }

}  // namespace

// One request being answered: answers go back to where it came from, with its id.
struct LobbyServer::Context {
  const Endpoint& from;
  std::uint32_t id;
  std::int64_t nowUs;
  std::vector<Outgoing>& out;

  template <typename Body>
  void answer(Body body) {
    out.push_back({from, encode(Answer{id, std::move(body)})});
  }
};

LobbyServer::LobbyServer(Limits limits, std::function<void(std::string_view)> log)
    : limits_(limits),
      log_(std::move(log)),
      requests_(limits.requestsPerSecond, kSecondUs, limits.addressSlots),
      guesses_(limits.unknownCodesPerMinute, kMinuteUs, limits.addressSlots) {
  logf(
      "started: at most %zu rooms, %d requests a second and %d unknown codes a minute from an address, "
      "%lld bytes a second each way for at most %zu relayed rooms",
      limits_.rooms, limits_.requestsPerSecond, limits_.unknownCodesPerMinute,
      static_cast<long long>(limits_.relayBytesPerSecond), limits_.relayedRooms);
}

void LobbyServer::logf(const char* format, ...) {
  char line[512];
  va_list args;
  va_start(args, format);
  const int n = std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (n >= 0) log_(std::string_view(line, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof line - 1)));
}

void LobbyServer::receive(const Endpoint& from, std::span<const std::uint8_t> datagram, std::int64_t nowUs,
                          std::vector<Outgoing>& out) {
  if (!hasPrefix(datagram)) {
    if (const RelayLink* link = rooms_.relayLink(from)) return relayOn(*link, datagram, nowUs, out);
    ++droppedDatagrams_;
    requests_.take(from.ip, nowUs);  // charged like a request, so that it cannot come faster
    return;
  }
  if (!requests_.take(from.ip, nowUs)) {
    ++droppedRequests_;
    ++droppedSinceLog_;  // logged by tick(), at most once a second
    return;
  }
  const std::optional<Message> message = decode(datagram);
  const Request* request = message ? std::get_if<Request>(&*message) : nullptr;
  if (!request) {
    ++droppedDatagrams_;
    return;
  }
  Context c{from, request->id, nowUs, out};
  if (!cookies_.holds(request->cookie, from, nowUs)) return c.answer(CookieGiven{cookies_.make(from, nowUs)});
  std::visit([&](const auto& body) { handle(c, body); }, request->body);
}

void LobbyServer::relayOn(const RelayLink& link, std::span<const std::uint8_t> datagram, std::int64_t nowUs,
                          std::vector<Outgoing>& out) {
  Room& room = *link.room;
  if (!room.relaying()) {
    ++droppedDatagrams_;
    return;
  }
  room.relayHeardUs = nowUs;
  RelayEnd& from = room.relay[sideOf(link.role)];
  const auto size = static_cast<std::int64_t>(datagram.size());
  if (!from.bytes.take(size, limits_.relayBytesPerSecond, kSecondUs, nowUs)) {
    ++droppedDatagrams_;
    return;
  }
  out.push_back({room.relay[1 - sideOf(link.role)].at, {datagram.begin(), datagram.end()}});
}

void LobbyServer::refuse(Context& c, Refusal why, std::string_view request) {
  logf("refused %.*s from %s: %s", static_cast<int>(request.size()), request.data(), toString(c.from).c_str(),
       refusalText(why).c_str());
  c.answer(Refused{why});
}

Room* LobbyServer::hostsRoom(const Context& c, const std::string& code) {
  Room* room = rooms_.find(code);
  return room && room->host == c.from ? room : nullptr;
}

void LobbyServer::handle(Context& c, const Register& r) {
  if (!isPrintableName(r.name, kNameCharacters)) return refuse(c, Refusal::Name, "register");
  if (Room* room = rooms_.hostedBy(c.from)) {  // a retry: its answer was lost
    room->hostHeardUs = c.nowUs;
    return c.answer(Registered{room->code});
  }
  if (rooms_.size() >= limits_.rooms) return refuse(c, Refusal::Full, "register");
  Room room;
  room.code = rooms_.freshCode();
  room.name = r.name;
  room.version = r.version;
  room.signature = r.signature;
  room.open = r.open;
  room.host = c.from;
  room.hostLocals = r.locals;
  room.waitingSinceUs = room.hostHeardUs = c.nowUs;
  const Room& made = rooms_.add(std::move(room));
  logf("room %s made by %s (%s, version %s): %s", made.code.c_str(), toString(made.host).c_str(),
       made.open ? "public" : "private", made.version.c_str(), made.name.c_str());
  c.answer(Registered{made.code});
}

void LobbyServer::handle(Context& c, const SetPublic& r) {
  Room* room = hostsRoom(c, r.code);
  if (!room) return refuse(c, Refusal::UnknownRoom, "set-public");
  room->hostHeardUs = c.nowUs;
  room->open = r.open;
  rooms_.updateListing(*room);
  c.answer(Done{});
}

void LobbyServer::handle(Context& c, const Keepalive& r) {
  Room* room = hostsRoom(c, r.code);
  if (!room) return refuse(c, Refusal::UnknownRoom, "keepalive");
  room->hostHeardUs = c.nowUs;
  if (!room->introduced()) return c.answer(Waiting{});
  c.answer(Introduced{room->code, room->key, room->joiner, room->joinerLocals});
}

void LobbyServer::handle(Context& c, const Leave& r) {
  Room* room = hostsRoom(c, r.code);
  if (!room) return refuse(c, Refusal::UnknownRoom, "leave");
  closeRoom(*room, "the host left");
  c.answer(Done{});
}

void LobbyServer::handle(Context& c, const Join& r) {
  // An address out of guesses is refused whatever the code, so that a hit
  // cannot be told from a miss.
  if (!guesses_.holds(c.from.ip, c.nowUs)) return refuse(c, Refusal::TooManyGuesses, "join");
  Room* room = rooms_.find(r.code);
  if (!room) {
    guesses_.take(c.from.ip, c.nowUs);
    return refuse(c, Refusal::UnknownRoom, "join");
  }
  if (room->version != r.version) return refuse(c, Refusal::Version, "join");
  if (room->signature != r.signature) return refuse(c, Refusal::Signature, "join");
  if (!room->introduced()) return introduce(c, *room, r);
  if (room->joiner != c.from) return refuse(c, Refusal::RoomBusy, "join");
  c.answer(Introduced{room->code, room->key, room->host, room->hostLocals});  // a retry
}

void LobbyServer::introduce(Context& c, Room& room, const Join& join) {
  room.phase = Phase::Introduced;
  room.joiner = c.from;
  room.joinerLocals = join.locals;
  room.key = freshKey();
  room.introducedUs = c.nowUs;
  rooms_.updateListing(room);
  c.answer(Introduced{room.code, room.key, room.host, room.hostLocals});
  c.out.push_back({room.host, encode(Answer{0, Introduced{room.code, room.key, room.joiner, room.joinerLocals}})});
  logf("room %s joined by %s", room.code.c_str(), toString(room.joiner).c_str());
}

void LobbyServer::handle(Context& c, const List& r) {
  Rooms page;
  page.total = static_cast<std::uint16_t>(std::min<std::size_t>(rooms_.listed(), 0xFFFF));
  page.offset = r.offset;
  rooms_.forListed(r.offset, [&](const Room& room) {
    const std::int64_t waitedMs = std::max<std::int64_t>(0, (c.nowUs - room.waitingSinceUs) / 1000);
    page.rooms.push_back({room.code, room.name, room.version,
                          static_cast<std::uint32_t>(std::min<std::int64_t>(waitedMs, 0xFFFFFFFF))});
    return page.rooms.size() < kPageRooms;
  });
  c.answer(std::move(page));  // the encoder keeps the entries that fit
}

void LobbyServer::handle(Context& c, const Relay& r) {
  Room* room = rooms_.find(r.code);
  if (!room || !room->introduced() || !tagHolds(r.tag, room->key, "relay", r.code, r.role, false, r.nonce)) {
    ++droppedDatagrams_;
    return;
  }
  RelayEnd& end = room->relay[sideOf(r.role)];
  const bool seen = std::find(end.nonces.begin(), end.nonces.end(), r.nonce) != end.nonces.end();
  if (end.proven && end.at != c.from && seen) {  // a proof seen on the way, sent again from elsewhere
    ++droppedDatagrams_;
    return;
  }
  const bool started = room->relay[0].proven || room->relay[1].proven;
  if (!started && rooms_.relayed() >= limits_.relayedRooms) return refuse(c, Refusal::RelayFull, "relay");
  rooms_.prove(*room, r.role, c.from);
  if (!seen) end.nonces[end.nextNonce++ % end.nonces.size()] = r.nonce;
  room->relayHeardUs = c.nowUs;
  if (r.role == Role::Host) room->hostHeardUs = c.nowUs;
  c.answer(Relaying{room->code, room->relaying()});
  if (room->relaying() && !room->relayedLogged) {
    room->relayedLogged = true;
    logf("room %s relayed between %s and %s", room->code.c_str(), toString(room->relay[0].at).c_str(),
         toString(room->relay[1].at).c_str());
  }
}

void LobbyServer::handle(Context& c, const Started& r) {
  Room* room = rooms_.find(r.code);
  if (!room) return refuse(c, Refusal::UnknownRoom, "started");
  const RelayEnd& hostRelay = room->relay[sideOf(Role::Host)];
  const bool fromHost = c.from == room->host || (hostRelay.proven && hostRelay.at == c.from);
  if (!fromHost || !room->introduced() || !tagHolds(r.tag, room->key, "started", r.code, Role::Host, r.relayed, 0)) {
    ++droppedDatagrams_;
    return;
  }
  c.answer(Done{});
  if (!r.relayed) return closeRoom(*room, "playing directly");
  if (room->phase == Phase::Relayed) return;  // a retry
  room->phase = Phase::Relayed;
  room->relayHeardUs = c.nowUs;
  logf("room %s playing through the relay", room->code.c_str());
}

void LobbyServer::closeRoom(Room& room, std::string_view why) {
  logf("room %s closed: %.*s", room.code.c_str(), static_cast<int>(why.size()), why.data());
  rooms_.close(room);
}

std::optional<std::string_view> LobbyServer::endOf(Room& room, std::int64_t nowUs) {
  switch (room.phase) {
    case Phase::Waiting:
      if (nowUs - room.hostHeardUs >= kHostSilenceUs) return "the host went silent";
      if (nowUs - room.waitingSinceUs >= kLongestWaitUs) return "it waited 30 minutes";
      return std::nullopt;
    case Phase::Introduced:
      if (nowUs - room.hostHeardUs >= kHostSilenceUs) return "the host went silent";
      if (nowUs - room.introducedUs >= kStartWithinUs) {
        rooms_.reopen(room, nowUs);
        logf("room %s open again: no start within 15 s of the join", room.code.c_str());
      }
      return std::nullopt;
    case Phase::Relayed:
      if (nowUs - room.relayHeardUs >= kRelaySilenceUs) return "the relay went silent";
      return std::nullopt;
  }
  return std::nullopt;
}

void LobbyServer::tick(std::int64_t nowUs, std::vector<Outgoing>&) {
  rooms_.sweep([&](Room& room) {
    const std::optional<std::string_view> why = endOf(room, nowUs);
    if (why) logf("room %s closed: %.*s", room.code.c_str(), static_cast<int>(why->size()), why->data());
    return !why;
  });
  logDrops(nowUs);
}

void LobbyServer::logDrops(std::int64_t nowUs) {
  if (droppedSinceLog_ == 0 || (dropsLoggedUs_ != TokenBucket::kNever && nowUs - dropsLoggedUs_ < kSecondUs)) return;
  logf("dropped %lld requests over the rate", static_cast<long long>(droppedSinceLog_));
  droppedSinceLog_ = 0;
  dropsLoggedUs_ = nowUs;
}

}  // namespace glamora::lobby
