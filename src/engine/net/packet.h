// The network battle's packets as bytes, and the checked reader that turns
// bytes from the network back into packets. Every packet is framed alike: a
// magic number, its type, the session token, the body, and a CRC-32 of all
// that; the reader checks each length before it reads a field, every value's
// range, and refuses trailing bytes. What it refuses is never used.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "tick_input.h"

namespace glamora::net {

inline constexpr std::uint32_t kPacketMagic = 0x544E4C47;  // "GLNT"
inline constexpr std::uint16_t kProtocolVersion = 1;
inline constexpr int kMaxTicksPerPacket = 32;
inline constexpr int kMaxHashesPerPacket = 32;
inline constexpr std::size_t kMaxGameVersionBytes = 32;

enum class PacketType : std::uint8_t {
  Hello = 1,    // the joiner's greeting, with a fresh session token (and a nonce with a pass phrase)
  Welcome = 2,  // the host's answer, echoing the token (and a proof with a pass phrase)
  Refuse = 3,   // a greeting refused, and why
  Inputs = 4,   // unsequenced: inputs, acknowledgements, hashes, timing
  End = 5,      // the host names the end tick
  Leave = 6,    // a side leaves the battle
  Done = 7,     // a side has confirmed and checked every tick to the end
  Desync = 8,   // a side found the hashes of a tick differ
  // A host with a pass phrase answers Hello with its salt and nonce; the
  // joiner's Proof follows.
  Challenge = 9,
  Proof = 10,
};

// What a greeting says of the side that sends it.
struct Greeting {
  std::uint16_t protocol = kProtocolVersion;
  std::string gameVersion;          // printable ASCII
  std::uint64_t signature = 0;      // the rules signature
  std::uint32_t speedMilli = 1000;  // --speed in thousandths
  bool operator==(const Greeting&) const = default;
};

enum class Refusal : std::uint8_t { Protocol = 1, GameVersion, Signature, Speed, Token, Busy, Key };

using Salt = std::array<std::uint8_t, 16>;
using Nonce = std::array<std::uint8_t, 32>;
using Proof = std::array<std::uint8_t, 32>;

inline constexpr std::uint32_t kNoEcho = 0xFFFFFFFF;

struct InputsBody {
  std::uint32_t seq = 0;            // counts up with every Inputs packet a side sends
  std::uint32_t sentUs = 0;         // the sender's clock, in µs, when sent
  std::uint32_t echoUs = 0;         // the last sentUs the sender received
  std::uint32_t echoAgeUs = 0;      // how long ago it received it; kNoEcho before it has any
  std::int32_t tick = 0;            // the sender's open tick
  std::int32_t leadMilliTicks = 0;  // how far the sender thinks it runs ahead, -32768..32767
  std::int32_t inputAck = -1;       // the receiver's inputs the sender has, up to this tick
  std::int32_t hashAck = -1;        // the receiver's hashes the sender has, up to this tick
  std::int32_t inputFirst = 0;      // the tick of inputs[0]
  std::vector<TickInput> inputs;
  std::int32_t hashFirst = 0;  // the tick of hashes[0]
  std::vector<std::uint64_t> hashes;
  bool operator==(const InputsBody&) const = default;
};

struct Packet {
  PacketType type = PacketType::Inputs;
  std::uint64_t token = 0;
  Greeting greeting;                    // Hello, Welcome
  bool keyed = false;                   // Hello, Welcome: with a pass phrase's nonce, proof
  Salt salt{};                          // Challenge
  Nonce nonce{};                        // a keyed Hello, Challenge
  Proof proof{};                        // Proof, a keyed Welcome
  Refusal refusal = Refusal::Protocol;  // Refuse
  std::int32_t tick = 0;                // End, Desync
  InputsBody inputs;                    // Inputs
  bool operator==(const Packet&) const = default;
};

std::vector<std::uint8_t> encodePacket(const Packet& packet);
std::optional<Packet> decodePacket(std::span<const std::uint8_t> bytes);

// CRC-32 (IEEE 802.3), as zlib computes it.
std::uint32_t crc32(std::span<const std::uint8_t> bytes);

}  // namespace glamora::net
