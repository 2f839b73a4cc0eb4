// The messages of the meeting server (glamora-lobby), of the games that talk
// to it, and of the two games punching a hole to each other, all sent from
// the UDP socket the battle then uses. Every message starts with kPrefix,
// which no ENet datagram starts with (its first byte would say "compressed"
// and name a peer this game never has), so a game's socket tells them from
// ENet's before ENet reads them.
//
// A request carries an id (its answer echoes it, so retries match) and the
// cookie the lobby last gave this address; a request without a valid cookie
// is answered only with a fresh cookie, never larger than the request, so a
// forged source cannot aim the lobby at anyone. Requests are padded: a list
// request to kListRequestBytes, every other to kRequestBytes.
//
// Messages about a room after the introduction carry a tag: a truncated
// HMAC-SHA-256 under the room's key, which only the lobby and the two
// introduced games know.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace glamora::lobby {

inline constexpr std::uint16_t kLobbyPort = 47292;
inline constexpr std::array<std::uint8_t, 4> kPrefix = {0x7F, 'G', 'L', 'Y'};
inline constexpr std::size_t kRequestBytes = 256;
inline constexpr std::size_t kListRequestBytes = 1200;
inline constexpr std::size_t kNameCharacters = 32;
inline constexpr std::size_t kVersionCharacters = 16;
inline constexpr std::size_t kMaxLocals = 4;
inline constexpr std::size_t kPageRooms = 16;
inline constexpr std::string_view kCodeAlphabet = "23456789ABCDEFGHJKLMNPQRSTUVWXYZ";
inline constexpr std::size_t kCodeLength = 6;

using Cookie = std::array<std::uint8_t, 16>;
using RoomKey = std::array<std::uint8_t, 32>;
using Tag = std::array<std::uint8_t, 16>;

// An IPv4 endpoint, address and port in host order.
struct Endpoint {
  std::uint32_t ip = 0;
  std::uint16_t port = 0;
  friend bool operator==(const Endpoint&, const Endpoint&) = default;
};
std::string toString(const Endpoint& endpoint);  // "192.0.2.7:47291"

enum class Role : std::uint8_t { Host = 0, Joiner = 1 };

// Why the lobby refuses a request.
enum class Refusal : std::uint8_t {
  Name = 1,       // not 1..32 printable characters
  Version,        // the room's game is another version
  Signature,      // the room's game plays other rules
  UnknownRoom,    // no such room (or it has ended)
  RoomBusy,       // the room has been given to another joiner
  Full,           // the lobby holds as many rooms as it may
  RelayFull,      // the lobby relays as many rooms as it may
  TooManyGuesses  // too many unknown codes from this address
};
std::string refusalText(Refusal refusal);

// Requests, game → lobby.
struct Register {
  std::string version;  // printable, at most kVersionCharacters
  std::uint64_t signature = 0;
  std::string name;              // UTF-8, 1..kNameCharacters characters, none a control
  bool open = false;             // listed in everyone's list
  std::vector<Endpoint> locals;  // at most kMaxLocals
  friend bool operator==(const Register&, const Register&) = default;
};
struct SetPublic {
  std::string code;
  bool open = false;
  friend bool operator==(const SetPublic&, const SetPublic&) = default;
};
// A waiting host says it is there; the answer is Waiting or Introduced.
struct Keepalive {
  std::string code;
  friend bool operator==(const Keepalive&, const Keepalive&) = default;
};
struct Leave {
  std::string code;
  friend bool operator==(const Leave&, const Leave&) = default;
};
struct Join {
  std::string code;
  std::string version;
  std::uint64_t signature = 0;
  std::vector<Endpoint> locals;
  friend bool operator==(const Join&, const Join&) = default;
};
struct List {
  std::uint16_t offset = 0;
  friend bool operator==(const List&, const List&) = default;
};
// A side proves its endpoint for relaying (and, sent again, that it is there).
struct Relay {
  std::string code;
  Role role = Role::Host;
  std::uint64_t nonce = 0;
  Tag tag{};
  friend bool operator==(const Relay&, const Relay&) = default;
};
// The host: the greeting has been made, by the given path.
struct Started {
  std::string code;
  bool relayed = false;
  Tag tag{};  // over the code and the path, under the room's key
  friend bool operator==(const Started&, const Started&) = default;
};

struct Request {
  std::uint32_t id = 0;
  Cookie cookie{};
  std::variant<Register, SetPublic, Keepalive, Leave, Join, List, Relay, Started> body;
  friend bool operator==(const Request&, const Request&) = default;
};

// Answers and news, lobby → game.
struct CookieGiven {
  Cookie cookie{};
  friend bool operator==(const CookieGiven&, const CookieGiven&) = default;
};
struct Registered {
  std::string code;
  friend bool operator==(const Registered&, const Registered&) = default;
};
struct Waiting {
  friend bool operator==(const Waiting&, const Waiting&) = default;
};
// To both sides on a join: the other's endpoint as the lobby sees it, the
// local endpoints it reported, and the room's fresh key.
struct Introduced {
  std::string code;
  RoomKey key{};
  Endpoint outside;
  std::vector<Endpoint> locals;
  friend bool operator==(const Introduced&, const Introduced&) = default;
};
struct RoomEntry {
  std::string code;
  std::string name;
  std::string version;
  std::uint32_t waitingMs = 0;
  friend bool operator==(const RoomEntry&, const RoomEntry&) = default;
};
struct Rooms {
  std::uint16_t total = 0;  // public rooms in all
  std::uint16_t offset = 0;
  std::vector<RoomEntry> rooms;  // newest first; as many as fit, at most kPageRooms
  friend bool operator==(const Rooms&, const Rooms&) = default;
};
struct Relaying {
  std::string code;
  bool both = false;  // the other side has proven its endpoint too
  friend bool operator==(const Relaying&, const Relaying&) = default;
};
struct Refused {
  Refusal why = Refusal::UnknownRoom;
  friend bool operator==(const Refused&, const Refused&) = default;
};
struct Done {
  friend bool operator==(const Done&, const Done&) = default;
};

struct Answer {
  std::uint32_t id = 0;  // the request's; 0 for news nobody asked for
  std::variant<CookieGiven, Registered, Waiting, Introduced, Rooms, Relaying, Refused, Done> body;
  friend bool operator==(const Answer&, const Answer&) = default;
};

// Game ↔ game: a punch, and the answer to one (which proves the way back).
struct Punch {
  std::string code;
  Role from = Role::Host;
  bool answer = false;
  std::uint64_t nonce = 0;
  Tag tag{};
  friend bool operator==(const Punch&, const Punch&) = default;
};

using Message = std::variant<Request, Answer, Punch>;

bool hasPrefix(std::span<const std::uint8_t> datagram);
// Requests come out padded; an Answer of Rooms holds the entries that fit
// in kListRequestBytes.
std::vector<std::uint8_t> encode(const Message& message);
// None unless the datagram is one well-formed message: lengths, counts,
// codes, texts and zero padding all checked.
std::optional<Message> decode(std::span<const std::uint8_t> datagram);

// A code of six letters from kCodeAlphabet.
bool isCode(std::string_view code);
// 1..max characters of valid UTF-8 with no control character.
bool isPrintableName(std::string_view name, std::size_t maxCharacters);

// The tags: over a label, the code, the role, a flag and a nonce.
Tag tagOf(const RoomKey& key, std::string_view label, std::string_view code, Role role, bool flag, std::uint64_t nonce);
bool tagHolds(const Tag& tag, const RoomKey& key, std::string_view label, std::string_view code, Role role, bool flag,
              std::uint64_t nonce);
RoomKey freshKey();

}  // namespace glamora::lobby
