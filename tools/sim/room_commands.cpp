#include "room_commands.h"

#include <arpa/inet.h>
#include <netinet/in.h>

#include <cctype>
#include <cerrno>
#include <cstring>
#include <memory>
#include <optional>
#include <string>

#include "engine/computer_level.h"
#include "engine/text_checks.h"
#include "lobby/lobby_wire.h"
#include "net/datagram_socket.h"
#include "net/lobby_place.h"
#include "net/room_list.h"
#include "net/this_machine.h"
#include "net_args.h"
#include "net_common.h"
#include "peer_loop.h"
#include "room_peer.h"

namespace glamora::sim {

namespace {

constexpr const char* kHostUsage =
    "--net-host-room LOBBY[:PORT] [--public] [--name NAME] --cpu LEVEL --rounds N --seed S [--speed X] [--wait S]"
    " [--journal FILE] [--net-key TEXT]";
constexpr const char* kJoinUsage =
    "--net-join-room LOBBY[:PORT] CODE --cpu LEVEL [--seed S] [--speed X] [--journal FILE] [--net-key TEXT]";
constexpr const char* kListUsage = "--lobby-list LOBBY[:PORT]";

// The code as a player may type it: any case, spaces and hyphens between.
std::optional<std::string> roomCode(const std::string& text) {
  std::string code;
  for (const char c : text) {
    if (c != ' ' && c != '-') code += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  }
  if (!lobby::isCode(code)) return std::nullopt;
  return code;
}

// The room's name when none is given: this machine's, cut to fit.
std::string defaultRoomName() {
  std::string name = netio::machineName();
  if (name.empty()) name = "Glamora";
  if (name.size() > lobby::kNameCharacters) name.resize(lobby::kNameCharacters);
  return name;
}

int roomPeer(bool host, int argc, char** argv, std::ostream& out, std::ostream& err) {
  const char* usageText = host ? kHostUsage : kJoinUsage;
  const int first = host ? 3 : 4;
  NetArgs a;
  const bool parsed =
      argc >= first && a.parse(argc, argv, first,
                               peerOptions(host, host ? std::map<std::string, int>{{"--public", 0}, {"--name", 1}}
                                                      : std::map<std::string, int>{}));
  if (!parsed || !a.has("--cpu") || (host && (!a.has("--rounds") || !a.has("--seed")))) return usage(err, usageText);
  const std::optional<netio::LobbyPlace> place = netio::readLobbyPlace(argv[2]);
  if (!place) a.note(wrongValue("the lobby", argv[2], "HOST or HOST:PORT (a port from 1 to 65535)"));
  const std::optional<std::string> code = host ? std::optional<std::string>("") : roomCode(argv[3]);
  if (!code) a.note(wrongValue("the room code", argv[3], "a room code of six letters"));
  const auto level = a.level("--cpu");
  const auto rounds = host ? a.number("--rounds", 0, 100'000) : std::optional<std::int64_t>(0);
  const auto seed = a.has("--seed") ? a.number("--seed", 0, 999'999'999'999'999'999) : std::optional<std::int64_t>(1);
  const auto speed = a.has("--speed") ? a.thousandths("--speed", 1, 1'000'000) : std::optional<std::int64_t>(1000);
  const auto wait = a.has("--wait") ? a.number("--wait", 0, 86'400) : std::optional<std::int64_t>(60);
  if (!place || !code || !level || !rounds || !seed || !speed || !wait) return wrongValues(err, a.problem(), usageText);

  RoomPeerOptions o;
  o.host = host;
  o.lobby = place->host;
  o.lobbyPort = place->port;
  o.name = a.has("--name") ? a.value("--name") : defaultRoomName();
  o.open = a.has("--public");
  o.code = *code;
  o.headless.host = host;
  o.headless.level = *level;
  o.headless.rounds = static_cast<int>(*rounds);
  o.headless.seed = static_cast<std::uint64_t>(*seed);
  o.greeting = greeting(static_cast<std::uint32_t>(*speed));
  o.waitSeconds = static_cast<int>(*wait);
  if (a.has("--net-key")) o.phrase = a.value("--net-key");
  // The code first, at once: whoever started the host passes it on to the joiner.
  o.onRoom = [&out](const std::string& room) { out << "{\"room\":" << jsonString(room) << "}" << std::endl; };

  return playAndReport(a.has("--journal") ? &a.value("--journal") : nullptr, out, err, [&](auto journal) {
    o.journal = std::move(journal);
    return runRoomPeer(o);
  });
}

int lobbyList(int argc, char** argv, std::ostream& out, std::ostream& err) {
  const std::optional<netio::LobbyPlace> place = argc == 3 ? netio::readLobbyPlace(argv[2]) : std::nullopt;
  if (!place) return usage(err, kListUsage);
  const std::string address = netio::firstIPv4(place->host);
  if (address.empty()) {
    out << "{\"error\":" << jsonString("cannot resolve " + place->host) << "}\n";
    return kRefused;
  }
  in_addr ip{};
  inet_pton(AF_INET, address.c_str(), &ip);
  const lobby::Endpoint lobby{ntohl(ip.s_addr), place->port};
  std::string error;
  const std::unique_ptr<netio::DatagramSocket> socket = netio::DatagramSocket::open("0.0.0.0", error);
  if (!socket) {
    out << "{\"error\":" << jsonString(error) << "}\n";
    return kRefused;
  }
  const Clock clock;
  netio::RoomList list(
      lobby, place->host + ":" + std::to_string(place->port),
      [&socket](const lobby::Endpoint& to, std::span<const std::uint8_t> datagram) { socket->send(to, datagram); },
      clock.us());
  while (!list.done()) {
    waitFor(socket->socket(), 50);
    for (const netio::DatagramSocket::Arrived& a : socket->read()) {
      if (a.from == lobby) list.receive(a.bytes, clock.us());
    }
    list.service(clock.us());
  }
  if (!list.error().empty()) {
    out << "{\"error\":" << jsonString(list.error()) << "}\n";
    return kRefused;
  }
  for (const lobby::RoomEntry& room : list.rooms()) {
    out << "{\"room\":" << jsonString(room.code) << ",\"name\":" << jsonString(room.name)
        << ",\"version\":" << jsonString(room.version) << ",\"waitingMs\":" << room.waitingMs << "}\n";
  }
  return 0;
}

}  // namespace

int runRoomCommand(int argc, char** argv, std::ostream& out, std::ostream& err) {
  if (argc < 2) return -1;
  const std::string mode = argv[1];
  if (mode == "--net-host-room") return roomPeer(true, argc, argv, out, err);
  if (mode == "--net-join-room") return roomPeer(false, argc, argv, out, err);
  if (mode == "--lobby-list") return lobbyList(argc, argv, out, err);
  return -1;
}

}  // namespace glamora::sim
