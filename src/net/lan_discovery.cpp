#include "lan_discovery.h"

#include <algorithm>

#include "engine/net/packet.h"
#include "engine/text_checks.h"

namespace glamora::netio {

namespace {

constexpr std::array<std::uint8_t, 4> kProbeMagic{'G', 'L', 'F', 'P'};
constexpr std::array<std::uint8_t, 4> kAnswerMagic{'G', 'L', 'F', 'A'};
// The longest name or version a message may carry, in bytes.
constexpr std::size_t kMostTextBytes = 128;
// Every probe has this size, the longest answer's (magic, protocol, version,
// name, port, CRC), so that an answer is never larger than the probe.
constexpr std::size_t kProbeBytes = 4 + 2 + 2 * (1 + kMostTextBytes) + 2 + 4;
constexpr std::int64_t kSecondUs = 1'000'000;
constexpr std::size_t kMostDatagram = 1024;
constexpr int kMostReadsAtOnce = 64;

class Writer {
 public:
  explicit Writer(const std::array<std::uint8_t, 4>& magic) : bytes(magic.begin(), magic.end()) {}
  void u8(unsigned v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
  void u16(unsigned v) {
    u8(v & 0xFF);
    u8(v >> 8);
  }
  void text(const std::string& s) {
    const std::size_t n = std::min(s.size(), kMostTextBytes);
    u8(static_cast<unsigned>(n));
    bytes.insert(bytes.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
  }
  // Zeros, so that the message with its CRC has `size` bytes.
  void padTo(std::size_t size) { bytes.resize(std::max(bytes.size(), size - 4), 0); }
  std::vector<std::uint8_t> finish() {
    const std::uint32_t crc = net::crc32(bytes);
    for (int k = 0; k < 4; ++k) u8((crc >> (8 * k)) & 0xFF);
    return std::move(bytes);
  }
  std::vector<std::uint8_t> bytes;
};

// Reads the fields between the magic and the CRC; each read checks the length
// first, and a failed read leaves the reader failed.
class Reader {
 public:
  Reader(std::span<const std::uint8_t> bytes, const std::array<std::uint8_t, 4>& magic) {
    if (bytes.size() < magic.size() + 4 || bytes.size() > kMostDatagram ||
        !std::equal(magic.begin(), magic.end(), bytes.begin())) {
      return;
    }
    const std::span<const std::uint8_t> body = bytes.first(bytes.size() - 4);
    std::uint32_t stored = 0;
    for (int k = 0; k < 4; ++k) stored |= std::uint32_t{bytes[bytes.size() - 4 + k]} << (8 * k);
    if (net::crc32(body) != stored) return;
    fields_ = body.subspan(magic.size());
    ok_ = true;
  }
  bool ok() const { return ok_; }
  bool atEnd() const { return pos_ == fields_.size(); }
  bool zerosToEnd() const {
    return std::all_of(fields_.begin() + static_cast<std::ptrdiff_t>(pos_), fields_.end(),
                       [](auto b) { return b == 0; });
  }
  unsigned u8() {
    if (!ok_ || pos_ >= fields_.size()) return ok_ = false, 0;
    return fields_[pos_++];
  }
  unsigned u16() {
    const unsigned low = u8();
    return low | (u8() << 8);
  }
  std::string text() {
    const std::size_t n = u8();
    if (!ok_ || n > kMostTextBytes || fields_.size() - pos_ < n) return ok_ = false, std::string();
    std::string s(fields_.begin() + static_cast<std::ptrdiff_t>(pos_),
                  fields_.begin() + static_cast<std::ptrdiff_t>(pos_ + n));
    pos_ += n;
    return s;
  }

 private:
  std::span<const std::uint8_t> fields_;
  std::size_t pos_ = 0;
  bool ok_ = false;
};

}  // namespace

std::vector<std::uint8_t> encodeProbe(const GameProbe& probe) {
  Writer w(kProbeMagic);
  w.u16(probe.protocol);
  w.text(probe.gameVersion);
  w.padTo(kProbeBytes);
  return w.finish();
}

std::optional<GameProbe> decodeProbe(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != kProbeBytes) return std::nullopt;
  Reader r(bytes, kProbeMagic);
  GameProbe p;
  p.protocol = static_cast<std::uint16_t>(r.u16());
  p.gameVersion = printableOnly(r.text(), kShownNameCharacters);
  if (!r.ok() || !r.zerosToEnd()) return std::nullopt;
  return p;
}

std::vector<std::uint8_t> encodeAnswer(const GameAnswer& answer) {
  Writer w(kAnswerMagic);
  w.u16(answer.protocol);
  w.text(answer.gameVersion);
  w.text(answer.name);
  w.u16(answer.port);
  return w.finish();
}

std::optional<GameAnswer> decodeAnswer(std::span<const std::uint8_t> bytes) {
  Reader r(bytes, kAnswerMagic);
  GameAnswer a;
  a.protocol = static_cast<std::uint16_t>(r.u16());
  a.gameVersion = printableOnly(r.text(), kShownNameCharacters);
  a.name = printableOnly(r.text(), kShownNameCharacters);
  a.port = static_cast<std::uint16_t>(r.u16());
  if (!r.ok() || !r.atEnd() || a.port == 0) return std::nullopt;
  return a;
}

ProbeAnswerer::ProbeAnswerer(const GameAnswer& mine, std::vector<LocalNetwork> networks)
    : answer_(encodeAnswer(mine)), networks_(std::move(networks)) {
  answeredUs_.fill(-kSecondUs);
}

std::optional<std::vector<std::uint8_t>> ProbeAnswerer::answer(
    std::span<const std::uint8_t> datagram, const ENetAddress& from, std::int64_t nowUs, bool waiting) {
  const bool local = std::any_of(networks_.begin(), networks_.end(), [&](auto n) { return n.holds(from.host); });
  if (!waiting || !local || answer_.size() > datagram.size() || !decodeProbe(datagram)) return std::nullopt;
  if (nowUs - answeredUs_[oldest_] < kSecondUs) return std::nullopt;
  answeredUs_[oldest_] = nowUs;
  oldest_ = (oldest_ + 1) % answeredUs_.size();
  return answer_;
}

std::string dottedAddress(const ENetAddress& address) {
  char text[64] = {};
  if (enet_address_get_host_ip(&address, text, sizeof text) != 0) return "?";
  return text;
}

// ---- the joiner's socket --------------------------------------------------------------------

std::unique_ptr<GameFinder> GameFinder::open(const std::string& bindAddress, std::string& error) {
  ENetAddress bind{};
  bind.port = 0;
  if (enet_address_set_host_ip(&bind, bindAddress.c_str()) != 0) {
    error = "not an IPv4 address: " + bindAddress;
    return nullptr;
  }
  const ENetSocket s = enet_socket_create(ENET_SOCKET_TYPE_DATAGRAM);
  if (s == ENET_SOCKET_NULL) {
    error = "cannot open a UDP socket";
    return nullptr;
  }
  if (enet_socket_set_option(s, ENET_SOCKOPT_NONBLOCK, 1) != 0 ||
      enet_socket_set_option(s, ENET_SOCKOPT_BROADCAST, 1) != 0 || enet_socket_bind(s, &bind) != 0) {
    enet_socket_destroy(s);
    error = "cannot bind a UDP socket to " + bindAddress;
    return nullptr;
  }
  return std::unique_ptr<GameFinder>(new GameFinder(s));
}

GameFinder::~GameFinder() { enet_socket_destroy(socket_); }

std::uint16_t GameFinder::port() const {
  ENetAddress bound{};
  return enet_socket_get_address(socket_, &bound) == 0 ? bound.port : 0;
}

void GameFinder::probe(const std::vector<std::string>& targets, std::uint16_t port, const GameProbe& probe) {
  std::vector<std::uint8_t> bytes = encodeProbe(probe);
  ENetBuffer buffer;
  buffer.data = bytes.data();
  buffer.dataLength = bytes.size();
  for (const std::string& target : targets) {
    ENetAddress to{};
    if (enet_address_set_host_ip(&to, target.c_str()) != 0) continue;
    to.port = port;
    enet_socket_send(socket_, &to, &buffer, 1);
  }
}

std::vector<FoundGame> GameFinder::read() {
  std::vector<FoundGame> found;
  std::array<std::uint8_t, kMostDatagram + 1> data;
  for (int k = 0; k < kMostReadsAtOnce; ++k) {
    ENetAddress from{};
    ENetBuffer buffer;
    buffer.data = data.data();
    buffer.dataLength = data.size();
    const int n = enet_socket_receive(socket_, &from, &buffer, 1);
    if (n == 0) break;  // nothing more waiting
    if (n < 0) {        // a datagram too long for the buffer, or an error
      ++dropped_;
      continue;
    }
    const std::optional<GameAnswer> answer = decodeAnswer(std::span(data).first(static_cast<std::size_t>(n)));
    if (!answer) {
      ++dropped_;
      continue;
    }
    found.push_back({dottedAddress(from), *answer});
  }
  return found;
}

}  // namespace glamora::netio
