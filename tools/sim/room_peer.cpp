#include "room_peer.h"

#include <algorithm>

#include "net/room_link.h"
#include "net/this_machine.h"
#include "peer_loop.h"

namespace glamora::sim {

namespace {

using netio::RoomLink;

// How often the link is serviced while it meets the other side: punches
// go out every 100 ms.
constexpr std::int64_t kMeetingWaitMs = 20;

// Waits until the link's connection is open: "" then, or why it is not.
std::string meet(RoomLink& link, const RoomPeerOptions& o, const Clock& clock) {
  const std::int64_t waitUntil = std::int64_t{o.waitSeconds} * 1'000'000;
  bool announced = false;
  for (;;) {
    const std::int64_t now = clock.us();
    link.service(now);
    if (o.host && !announced && !link.code().empty()) {
      announced = true;
      if (o.onRoom) o.onRoom(link.code());
    }
    switch (link.state()) {
      case RoomLink::State::Open: return {};
      case RoomLink::State::Failed: return link.error();
      default: break;
    }
    if (o.host && now >= waitUntil) return "no peer came within " + std::to_string(o.waitSeconds) + " s";
    waitFor(link.socket(), kMeetingWaitMs);
  }
}

}  // namespace

net::PeerReport runRoomPeer(const RoomPeerOptions& o) {
  const std::string address = netio::firstIPv4(o.lobby);
  if (address.empty()) return failure(o.host, "cannot resolve " + o.lobby);
  const Clock clock;
  netio::RoomLinkOptions l;
  l.host = o.host;
  l.lobbyAddress = address;
  l.lobbyPort = o.lobbyPort;
  l.lobbyName = o.lobby + ":" + std::to_string(o.lobbyPort);
  l.greeting = o.greeting;
  l.phrase = o.phrase;
  l.name = o.name;
  l.open = o.open;
  l.code = o.code;
  RoomLink link(l, clock.us());
  if (std::string error = meet(link, o, clock); !error.empty()) {
    goodbye(link.connection(), clock);
    return failure(o.host, std::move(error));
  }

  net::PeerReport report = playBattle({link.connection(), [&link](std::int64_t nowUs) { link.service(nowUs); },
                                       [&](const std::string& error) { return link.lostBecause(error, clock.us()); }},
                                      o.headless, o.greeting, o.journal, clock);
  // A battle that went silent while the lobby relayed it and stopped answering.
  if (!report.ok && !report.error.starts_with("desync")) report.error = link.lostBecause(report.error, clock.us());
  if (report.ok) report.path = link.path();
  return report;
}

}  // namespace glamora::sim
