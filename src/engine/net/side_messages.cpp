#include "side_messages.h"

#include <algorithm>
#include <array>

#include "engine/text_checks.h"
#include "packet.h"

namespace glamora::net {

namespace {

constexpr std::array<std::uint8_t, 4> kMagic{'G', 'L', 'S', 'M'};
constexpr std::size_t kMostNameBytes = 128;
constexpr int kMostRound = 1'000'000'000;

void put(std::vector<std::uint8_t>& out, std::uint64_t value, int bytes) {
  for (int k = 0; k < bytes; ++k) out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
}

std::uint64_t take(std::span<const std::uint8_t> bytes, std::size_t at, int count) {
  std::uint64_t value = 0;
  for (int k = 0; k < count; ++k) value |= std::uint64_t{bytes[at + static_cast<std::size_t>(k)]} << (8 * k);
  return value;
}

}  // namespace

bool looksLikeSideMessage(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= kMagic.size() && std::equal(kMagic.begin(), kMagic.end(), bytes.begin());
}

// magic, kind, token (8), then for a name its length (1) and bytes, for a
// closed result the round (4); a CRC-32 of everything before it.
std::vector<std::uint8_t> encodeSideMessage(const SideMessage& m, std::uint64_t token) {
  std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
  put(out, static_cast<std::uint8_t>(m.kind), 1);
  put(out, token, 8);
  if (m.kind == SideMessage::Kind::Name) {
    const std::size_t n = std::min(m.name.size(), kMostNameBytes);
    put(out, n, 1);
    out.insert(out.end(), m.name.begin(), m.name.begin() + static_cast<std::ptrdiff_t>(n));
  } else {
    put(out, static_cast<std::uint32_t>(m.round), 4);
  }
  put(out, crc32(out), 4);
  return out;
}

std::optional<SideMessage> decodeSideMessage(std::span<const std::uint8_t> bytes, std::uint64_t token) {
  constexpr std::size_t kHead = 4 + 1 + 8;
  if (!looksLikeSideMessage(bytes) || bytes.size() < kHead + 4 || bytes.size() > kHead + 1 + kMostNameBytes + 4) {
    return std::nullopt;
  }
  const std::size_t body = bytes.size() - 4;
  if (crc32(bytes.first(body)) != take(bytes, body, 4) || take(bytes, 5, 8) != token) return std::nullopt;
  SideMessage m;
  switch (bytes[4]) {
    case static_cast<std::uint8_t>(SideMessage::Kind::Name): {
      if (body < kHead + 1 || body != kHead + 1 + bytes[kHead]) return std::nullopt;
      m.kind = SideMessage::Kind::Name;
      const auto text = bytes.subspan(kHead + 1, bytes[kHead]);
      m.name = printableOnly(std::string(text.begin(), text.end()), kShownNameCharacters);
      return m;
    }
    case static_cast<std::uint8_t>(SideMessage::Kind::ResultClosed): {
      if (body != kHead + 4) return std::nullopt;
      m.kind = SideMessage::Kind::ResultClosed;
      const std::uint64_t round = take(bytes, kHead, 4);
      if (round < 1 || round > kMostRound) return std::nullopt;
      m.round = static_cast<int>(round);
      return m;
    }
    default: return std::nullopt;
  }
}

}  // namespace glamora::net
