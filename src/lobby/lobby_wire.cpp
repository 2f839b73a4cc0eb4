#include "lobby_wire.h"

#include <sodium.h>

#include <algorithm>
#include <stdexcept>

namespace glamora::lobby {

namespace {

// The first byte after the prefix.
enum class Kind : std::uint8_t {
  Register = 1,
  SetPublic,
  Keepalive,
  Leave,
  Join,
  List,
  Relay,
  Started,
  CookieGiven = 32,
  Registered,
  Waiting,
  Introduced,
  Rooms,
  Relaying,
  Refused,
  Done,
  Punch = 64,
};

constexpr std::size_t kRoomEntryFixedBytes = kCodeLength + 2 + 4;
constexpr std::size_t kRoomsHeaderBytes = kPrefix.size() + 1 + 4 + 2 + 2 + 1;

class Writer {
 public:
  explicit Writer(Kind kind) { bytes_.assign(kPrefix.begin(), kPrefix.end()), u8(static_cast<std::uint8_t>(kind)); }
  void u8(std::uint8_t v) { bytes_.push_back(v); }
  void u16(std::uint16_t v) { u8(static_cast<std::uint8_t>(v >> 8)), u8(static_cast<std::uint8_t>(v)); }
  void u32(std::uint32_t v) { u16(static_cast<std::uint16_t>(v >> 16)), u16(static_cast<std::uint16_t>(v)); }
  void u64(std::uint64_t v) { u32(static_cast<std::uint32_t>(v >> 32)), u32(static_cast<std::uint32_t>(v)); }
  template <std::size_t N>
  void raw(const std::array<std::uint8_t, N>& a) {
    bytes_.insert(bytes_.end(), a.begin(), a.end());
  }
  void code(const std::string& c) {
    std::string fixed = c;
    fixed.resize(kCodeLength, '\0');
    bytes_.insert(bytes_.end(), fixed.begin(), fixed.end());
  }
  void text(const std::string& t) {
    const std::size_t n = std::min<std::size_t>(t.size(), 255);
    u8(static_cast<std::uint8_t>(n));
    bytes_.insert(bytes_.end(), t.begin(), t.begin() + static_cast<std::ptrdiff_t>(n));
  }
  void endpoint(const Endpoint& e) { u32(e.ip), u16(e.port); }
  void endpoints(const std::vector<Endpoint>& list) {
    const std::size_t n = std::min(list.size(), kMaxLocals);
    u8(static_cast<std::uint8_t>(n));
    for (std::size_t k = 0; k < n; ++k) endpoint(list[k]);
  }
  void padTo(std::size_t size) {
    if (bytes_.size() < size) bytes_.resize(size, 0);
  }
  std::size_t size() const { return bytes_.size(); }
  std::vector<std::uint8_t> take() { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Reads fields in order; any field past the end sets `bad`, and the caller
// checks it once at the end.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool bad = false;
  std::uint8_t u8() {
    if (at_ >= bytes_.size()) return bad = true, 0;
    return bytes_[at_++];
  }
  // The high part is read first: the operands of | are not read in any set order.
  std::uint16_t u16() {
    const std::uint16_t high = u8();
    return static_cast<std::uint16_t>((high << 8) | u8());
  }
  std::uint32_t u32() {
    const std::uint32_t high = u16();
    return (high << 16) | u16();
  }
  std::uint64_t u64() {
    const std::uint64_t high = u32();
    return (high << 32) | u32();
  }
  template <std::size_t N>
  std::array<std::uint8_t, N> raw() {
    std::array<std::uint8_t, N> a{};
    if (bytes_.size() - at_ < N) return bad = true, at_ = bytes_.size(), a;
    std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(at_), N, a.begin());
    at_ += N;
    return a;
  }
  std::string code() {
    std::string c(kCodeLength, '\0');
    for (char& ch : c) ch = static_cast<char>(u8());
    if (!isCode(c)) bad = true;
    return c;
  }
  std::string text(std::size_t maxBytes) {
    const std::size_t n = u8();
    if (n > maxBytes || at_ + n > bytes_.size()) return bad = true, std::string();
    std::string t(reinterpret_cast<const char*>(bytes_.data() + at_), n);
    at_ += n;
    return t;
  }
  bool flag() {
    const std::uint8_t v = u8();
    if (v > 1) bad = true;
    return v == 1;
  }
  Role role() {
    const std::uint8_t v = u8();
    if (v > 1) bad = true;
    return static_cast<Role>(v);
  }
  Endpoint endpoint() {
    Endpoint e;
    e.ip = u32();
    e.port = u16();
    return e;
  }
  std::vector<Endpoint> endpoints() {
    const std::size_t n = u8();
    if (n > kMaxLocals) return bad = true, std::vector<Endpoint>();
    std::vector<Endpoint> list(n);
    for (Endpoint& e : list) e = endpoint();
    return list;
  }
  // What is left is zero padding.
  bool endsPadded() const {
    if (bad) return false;
    return std::all_of(bytes_.begin() + static_cast<std::ptrdiff_t>(at_), bytes_.end(),
                       [](std::uint8_t b) { return b == 0; });
  }
  bool ends() const { return !bad && at_ == bytes_.size(); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

bool isVersion(const std::string& v) {
  return v.size() <= kVersionCharacters &&
         std::all_of(v.begin(), v.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
}

struct RequestWriter {
  Writer& w;
  void operator()(const Register& r) const {
    w.text(r.version), w.u64(r.signature), w.text(r.name), w.u8(r.open), w.endpoints(r.locals);
  }
  void operator()(const SetPublic& r) const { w.code(r.code), w.u8(r.open); }
  void operator()(const Keepalive& r) const { w.code(r.code); }
  void operator()(const Leave& r) const { w.code(r.code); }
  void operator()(const Join& r) const { w.code(r.code), w.text(r.version), w.u64(r.signature), w.endpoints(r.locals); }
  void operator()(const List& r) const { w.u16(r.offset); }
  void operator()(const Relay& r) const {
    w.code(r.code), w.u8(static_cast<std::uint8_t>(r.role)), w.u64(r.nonce), w.raw(r.tag);
  }
  void operator()(const Started& r) const { w.code(r.code), w.u8(r.relayed), w.raw(r.tag); }
};

struct AnswerWriter {
  Writer& w;
  void operator()(const CookieGiven& a) const { w.raw(a.cookie); }
  void operator()(const Registered& a) const { w.code(a.code); }
  void operator()(const Waiting&) const {}
  void operator()(const Introduced& a) const {
    w.code(a.code), w.raw(a.key), w.endpoint(a.outside), w.endpoints(a.locals);
  }
  void operator()(const Rooms& a) const {
    w.u16(a.total), w.u16(a.offset);
    std::size_t fit = 0, size = kRoomsHeaderBytes;
    for (const RoomEntry& e : a.rooms) {
      size += kRoomEntryFixedBytes + std::min<std::size_t>(e.name.size(), 255) +
              std::min<std::size_t>(e.version.size(), 255);
      if (size > kListRequestBytes || fit == kPageRooms) break;
      ++fit;
    }
    w.u8(static_cast<std::uint8_t>(fit));
    for (std::size_t k = 0; k < fit; ++k) {
      const RoomEntry& e = a.rooms[k];
      w.code(e.code), w.text(e.name), w.text(e.version), w.u32(e.waitingMs);
    }
  }
  void operator()(const Relaying& a) const { w.code(a.code), w.u8(a.both); }
  void operator()(const Refused& a) const { w.u8(static_cast<std::uint8_t>(a.why)); }
  void operator()(const Done&) const {}
};

template <typename Body>
constexpr Kind kindOf() {
  if constexpr (std::is_same_v<Body, Register>) return Kind::Register;
  if constexpr (std::is_same_v<Body, SetPublic>) return Kind::SetPublic;
  if constexpr (std::is_same_v<Body, Keepalive>) return Kind::Keepalive;
  if constexpr (std::is_same_v<Body, Leave>) return Kind::Leave;
  if constexpr (std::is_same_v<Body, Join>) return Kind::Join;
  if constexpr (std::is_same_v<Body, List>) return Kind::List;
  if constexpr (std::is_same_v<Body, Relay>) return Kind::Relay;
  if constexpr (std::is_same_v<Body, Started>) return Kind::Started;
  if constexpr (std::is_same_v<Body, CookieGiven>) return Kind::CookieGiven;
  if constexpr (std::is_same_v<Body, Registered>) return Kind::Registered;
  if constexpr (std::is_same_v<Body, Waiting>) return Kind::Waiting;
  if constexpr (std::is_same_v<Body, Introduced>) return Kind::Introduced;
  if constexpr (std::is_same_v<Body, Rooms>) return Kind::Rooms;
  if constexpr (std::is_same_v<Body, Relaying>) return Kind::Relaying;
  if constexpr (std::is_same_v<Body, Refused>) return Kind::Refused;
  if constexpr (std::is_same_v<Body, Done>) return Kind::Done;
}

std::optional<Message> readRequest(Kind kind, Reader& r, std::size_t size) {
  Request q;
  q.id = r.u32();
  q.cookie = r.raw<16>();
  std::size_t padded = kRequestBytes;
  switch (kind) {
    case Kind::Register: {
      Register b;
      b.version = r.text(kVersionCharacters);
      b.signature = r.u64();
      b.name = r.text(255);
      b.open = r.flag();
      b.locals = r.endpoints();
      if (!isVersion(b.version)) return std::nullopt;
      q.body = std::move(b);  // the name is judged by the lobby, which says why it refuses one
      break;
    }
    case Kind::SetPublic: {
      SetPublic b;
      b.code = r.code();
      b.open = r.flag();
      q.body = std::move(b);
      break;
    }
    case Kind::Keepalive: q.body = Keepalive{r.code()}; break;
    case Kind::Leave: q.body = Leave{r.code()}; break;
    case Kind::Join: {
      Join b;
      b.code = r.code();
      b.version = r.text(kVersionCharacters);
      b.signature = r.u64();
      b.locals = r.endpoints();
      if (!isVersion(b.version)) return std::nullopt;
      q.body = std::move(b);
      break;
    }
    case Kind::List:
      q.body = List{r.u16()};
      padded = kListRequestBytes;
      break;
    case Kind::Relay: {
      Relay b;
      b.code = r.code();
      b.role = r.role();
      b.nonce = r.u64();
      b.tag = r.raw<16>();
      q.body = std::move(b);
      break;
    }
    case Kind::Started: {
      Started b;
      b.code = r.code();
      b.relayed = r.flag();
      b.tag = r.raw<16>();
      q.body = std::move(b);
      break;
    }
    default: return std::nullopt;
  }
  // The reader starts after the prefix and the kind; `size` is the whole datagram's.
  if (!r.endsPadded() || size != padded) return std::nullopt;
  return q;
}

std::optional<Message> readAnswer(Kind kind, Reader& r) {
  Answer a;
  a.id = r.u32();
  switch (kind) {
    case Kind::CookieGiven: a.body = CookieGiven{r.raw<16>()}; break;
    case Kind::Registered: a.body = Registered{r.code()}; break;
    case Kind::Waiting: a.body = Waiting{}; break;
    case Kind::Introduced: {
      Introduced b;
      b.code = r.code();
      b.key = r.raw<32>();
      b.outside = r.endpoint();
      b.locals = r.endpoints();
      a.body = std::move(b);
      break;
    }
    case Kind::Rooms: {
      Rooms b;
      b.total = r.u16();
      b.offset = r.u16();
      const std::size_t n = r.u8();
      if (n > kPageRooms) return std::nullopt;
      for (std::size_t k = 0; k < n && !r.bad; ++k) {
        RoomEntry e;
        e.code = r.code();
        e.name = r.text(255);
        e.version = r.text(kVersionCharacters);
        e.waitingMs = r.u32();
        if (!isPrintableName(e.name, kNameCharacters) || !isVersion(e.version)) return std::nullopt;
        b.rooms.push_back(std::move(e));
      }
      a.body = std::move(b);
      break;
    }
    case Kind::Relaying: {
      Relaying b;
      b.code = r.code();
      b.both = r.flag();
      a.body = std::move(b);
      break;
    }
    case Kind::Refused: {
      const std::uint8_t why = r.u8();
      if (why < static_cast<std::uint8_t>(Refusal::Name) || why > static_cast<std::uint8_t>(Refusal::TooManyGuesses)) {
        return std::nullopt;
      }
      a.body = Refused{static_cast<Refusal>(why)};
      break;
    }
    case Kind::Done: a.body = Done{}; break;
    default: return std::nullopt;
  }
  if (!r.ends()) return std::nullopt;
  return a;
}

void hashPart(crypto_auth_hmacsha256_state& state, const void* data, std::size_t size) {
  crypto_auth_hmacsha256_update(&state, static_cast<const unsigned char*>(data), size);
}

}  // namespace

std::string toString(const Endpoint& e) {
  return std::to_string(e.ip >> 24) + "." + std::to_string((e.ip >> 16) & 0xFF) + "." +
         std::to_string((e.ip >> 8) & 0xFF) + "." + std::to_string(e.ip & 0xFF) + ":" + std::to_string(e.port);
}

std::string refusalText(Refusal refusal) {
  switch (refusal) {
    case Refusal::Name: return "the room's name must be 1 to 32 printable characters";
    case Refusal::Version: return "the room's game is another version";
    case Refusal::Signature: return "the room's game plays other rules";
    case Refusal::UnknownRoom: return "no such room";
    case Refusal::RoomBusy: return "the room is full";
    case Refusal::Full: return "the lobby has too many rooms";
    case Refusal::RelayFull: return "the lobby relays too many rooms";
    case Refusal::TooManyGuesses: return "too many unknown room codes; try again in a minute";
  }
  return "refused";
}

bool hasPrefix(std::span<const std::uint8_t> datagram) {
  return datagram.size() > kPrefix.size() && std::equal(kPrefix.begin(), kPrefix.end(), datagram.begin());
}

std::vector<std::uint8_t> encode(const Message& message) {
  if (const auto* q = std::get_if<Request>(&message)) {
    Writer w = std::visit([](const auto& b) { return Writer(kindOf<std::decay_t<decltype(b)>>()); }, q->body);
    w.u32(q->id);
    w.raw(q->cookie);
    std::visit(RequestWriter{w}, q->body);
    w.padTo(std::holds_alternative<List>(q->body) ? kListRequestBytes : kRequestBytes);
    return w.take();
  }
  if (const auto* a = std::get_if<Answer>(&message)) {
    Writer w = std::visit([](const auto& b) { return Writer(kindOf<std::decay_t<decltype(b)>>()); }, a->body);
    w.u32(a->id);
    std::visit(AnswerWriter{w}, a->body);
    return w.take();
  }
  const Punch& p = std::get<Punch>(message);
  Writer w(Kind::Punch);
  w.code(p.code), w.u8(static_cast<std::uint8_t>(p.from)), w.u8(p.answer), w.u64(p.nonce), w.raw(p.tag);
  return w.take();
}

std::optional<Message> decode(std::span<const std::uint8_t> datagram) {
  if (!hasPrefix(datagram) || datagram.size() > kListRequestBytes) return std::nullopt;
  Reader r(datagram.subspan(kPrefix.size() + 1));
  const auto kind = static_cast<Kind>(datagram[kPrefix.size()]);
  const std::size_t size = datagram.size();
  if (kind == Kind::Punch) {
    Punch p;
    p.code = r.code();
    p.from = r.role();
    p.answer = r.flag();
    p.nonce = r.u64();
    p.tag = r.raw<16>();
    if (!r.ends()) return std::nullopt;
    return p;
  }
  if (static_cast<std::uint8_t>(kind) < static_cast<std::uint8_t>(Kind::CookieGiven)) return readRequest(kind, r, size);
  return readAnswer(kind, r);
}

bool isCode(std::string_view code) {
  return code.size() == kCodeLength &&
         std::all_of(code.begin(), code.end(), [](char c) { return kCodeAlphabet.find(c) != std::string_view::npos; });
}

bool isPrintableName(std::string_view name, std::size_t maxCharacters) {
  std::size_t characters = 0;
  for (std::size_t k = 0; k < name.size(); ++characters) {
    const auto lead = static_cast<unsigned char>(name[k]);
    const std::size_t length = lead < 0x80           ? 1
                               : (lead >> 5) == 0x6  ? 2
                               : (lead >> 4) == 0xE  ? 3
                               : (lead >> 3) == 0x1E ? 4
                                                     : 0;
    if (length == 0 || k + length > name.size()) return false;
    std::uint32_t cp = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(name[k + i]);
      if ((next >> 6) != 0x2) return false;
      cp = (cp << 6) | (next & 0x3F);
    }
    static constexpr std::uint32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kLeast[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
      return false;  // overlong or no character
    if (cp < 0x20 || (cp >= 0x7F && cp < 0xA0) || cp == 0x2028 || cp == 0x2029) return false;
    k += length;
  }
  return characters >= 1 && characters <= maxCharacters;
}

Tag tagOf(const RoomKey& key, std::string_view label, std::string_view code, Role role, bool flag,
          std::uint64_t nonce) {
  if (sodium_init() < 0) throw std::runtime_error("cannot start libsodium");
  crypto_auth_hmacsha256_state state;
  crypto_auth_hmacsha256_init(&state, key.data(), key.size());
  const std::uint8_t fields[] = {static_cast<std::uint8_t>(label.size()), static_cast<std::uint8_t>(role), flag};
  hashPart(state, fields, 1);
  hashPart(state, label.data(), label.size());
  hashPart(state, code.data(), code.size());
  hashPart(state, fields + 1, 2);
  std::uint8_t n[8];
  for (int k = 0; k < 8; ++k) n[k] = static_cast<std::uint8_t>(nonce >> (56 - 8 * k));
  hashPart(state, n, sizeof n);
  std::array<std::uint8_t, crypto_auth_hmacsha256_BYTES> full;
  crypto_auth_hmacsha256_final(&state, full.data());
  Tag tag;
  std::copy_n(full.begin(), tag.size(), tag.begin());
  return tag;
}

bool tagHolds(const Tag& tag, const RoomKey& key, std::string_view label, std::string_view code, Role role, bool flag,
              std::uint64_t nonce) {
  const Tag expected = tagOf(key, label, code, role, flag, nonce);
  return sodium_memcmp(tag.data(), expected.data(), tag.size()) == 0;
}

RoomKey freshKey() {
  if (sodium_init() < 0) throw std::runtime_error("cannot start libsodium");
  RoomKey key;
  randombytes_buf(key.data(), key.size());
  return key;
}

}  // namespace glamora::lobby
