#include "packet.h"

#include <array>

#include "engine/stages.h"

namespace glamora::net {

namespace {

const std::vector<EditorBox>& editorBoxes() {
  static const std::vector<EditorBox> boxes = editorBoxesInCheckOrder();
  return boxes;
}

class Writer {
 public:
  void u8(std::uint32_t v) { bytes.push_back(static_cast<std::uint8_t>(v)); }
  void u16(std::uint32_t v) {
    u8(v);
    u8(v >> 8);
  }
  void u32(std::uint32_t v) {
    u16(v);
    u16(v >> 16);
  }
  void u64(std::uint64_t v) {
    u32(static_cast<std::uint32_t>(v));
    u32(static_cast<std::uint32_t>(v >> 32));
  }
  void i32(std::int32_t v) { u32(static_cast<std::uint32_t>(v)); }
  void text(const std::string& s) {
    u8(static_cast<std::uint32_t>(s.size()));
    bytes.insert(bytes.end(), s.begin(), s.end());
  }
  void raw(std::span<const std::uint8_t> s) { bytes.insert(bytes.end(), s.begin(), s.end()); }
  std::vector<std::uint8_t> bytes;
};

// Reads little-endian fields; a read past the end marks the reader failed and
// gives 0, so a caller checks ok() once its fields are read.
class Reader {
 public:
  explicit Reader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool ok() const { return ok_; }
  bool atEnd() const { return pos_ == bytes_.size(); }
  void fail() { ok_ = false; }
  std::uint32_t u8() {
    if (!ok_ || bytes_.size() - pos_ < 1) return fail(), 0;
    return bytes_[pos_++];
  }
  std::uint32_t u16() {
    const std::uint32_t low = u8();
    return low | (u8() << 8);
  }
  std::uint32_t u32() {
    const std::uint32_t low = u16();
    return low | (u16() << 16);
  }
  std::uint64_t u64() {
    const std::uint64_t low = u32();
    return low | (std::uint64_t{u32()} << 32);
  }
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
  std::string text(std::size_t longest) {
    const std::size_t n = u8();
    if (!ok_ || n > longest || bytes_.size() - pos_ < n) return fail(), std::string();
    std::string s(reinterpret_cast<const char*>(bytes_.data() + pos_), n);
    pos_ += n;
    return s;
  }
  void raw(std::span<std::uint8_t> out) {
    for (std::uint8_t& b : out) b = static_cast<std::uint8_t>(u8());
  }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

constexpr std::uint32_t kChoiceFlag = 0x80;
constexpr std::uint32_t kEndFlag = 0x40;
constexpr std::uint32_t kKeyCountMask = 0x1F;

void writeTick(Writer& w, const TickInput& in, std::int32_t tick) {
  w.u8(static_cast<std::uint32_t>(in.keyCount) | (in.choice ? kChoiceFlag : 0) | (in.endAt >= 0 ? kEndFlag : 0));
  for (const KeyPress& k : in.pressed()) {
    w.u8(static_cast<std::uint32_t>(k.key));
    w.u8(static_cast<std::uint32_t>(k.offsetMs));
  }
  if (in.endAt >= 0) w.u16(static_cast<std::uint32_t>(in.endAt - tick));
  if (!in.choice) return;
  w.u8(static_cast<std::uint32_t>(in.choice->stage));
  w.u16(static_cast<std::uint32_t>(in.choice->at - tick));
  if (in.choice->stage == kOriginalStage) {
    for (const std::string& text : in.choice->texts) w.text(text);
  }
}

bool readTick(Reader& r, TickInput& in, std::int32_t tick) {
  const std::uint32_t head = r.u8();
  if ((head & ~(kChoiceFlag | kEndFlag | kKeyCountMask)) != 0) return false;
  in.keyCount = static_cast<int>(head & kKeyCountMask);
  if (in.keyCount > kMaxKeysPerTick) return false;
  int lastOffset = 0;
  for (int k = 0; k < in.keyCount; ++k) {
    const std::uint32_t key = r.u8();
    const std::uint32_t offset = r.u8();
    if (key < static_cast<std::uint32_t>(Key::Left) || key > static_cast<std::uint32_t>(Key::Right) ||
        offset >= static_cast<std::uint32_t>(kTickMs) || static_cast<int>(offset) < lastOffset) {
      return false;
    }
    lastOffset = static_cast<int>(offset);
    in.keys[k] = {static_cast<Key>(key), lastOffset};
  }
  if (head & kEndFlag) {
    const std::uint32_t lead = r.u16();
    if (lead > static_cast<std::uint32_t>(kStageLeadMaxTicks)) return false;
    in.endAt = tick + static_cast<int>(lead);
  }
  if (head & kChoiceFlag) {
    StageChoice c;
    c.stage = static_cast<int>(r.u8());
    const std::uint32_t lead = r.u16();
    if (c.stage < 1 || c.stage > kOriginalStage || lead < static_cast<std::uint32_t>(kStageLeadTicks) ||
        lead > static_cast<std::uint32_t>(kStageLeadMaxTicks)) {
      return false;
    }
    c.at = tick + static_cast<int>(lead);
    if (c.stage == kOriginalStage) {
      for (std::size_t k = 0; k < c.texts.size(); ++k) {
        c.texts[k] = r.text(4 * static_cast<std::size_t>(editorBoxes()[k].maxLength()));
        if (!r.ok() || !acceptableEditorText(editorBoxes()[k], c.texts[k])) return false;
      }
    }
    in.choice = std::move(c);
  }
  return r.ok();
}

bool printableAscii(const std::string& s) {
  for (const char ch : s) {
    if (ch < 0x20 || ch > 0x7E) return false;
  }
  return true;
}

// Ticks stay far below the int32 limit even with a lead or a count added.
constexpr std::int32_t kLatestTick = 1 << 30;

bool readInputs(Reader& r, InputsBody& b) {
  b.seq = r.u32();
  b.sentUs = r.u32();
  b.echoUs = r.u32();
  b.echoAgeUs = r.u32();
  b.tick = r.i32();
  b.leadMilliTicks = static_cast<std::int16_t>(r.u16());
  b.inputAck = r.i32();
  b.hashAck = r.i32();
  b.inputFirst = r.i32();
  const std::uint32_t inputCount = r.u8();
  if (!r.ok() || b.tick < 0 || b.tick > kLatestTick || b.inputAck < -1 || b.inputAck > kLatestTick || b.hashAck < -1 ||
      b.hashAck > kLatestTick || b.inputFirst < 0 || b.inputFirst > kLatestTick ||
      inputCount > static_cast<std::uint32_t>(kMaxTicksPerPacket)) {
    return false;
  }
  b.inputs.resize(inputCount);
  for (std::uint32_t k = 0; k < inputCount; ++k) {
    if (!readTick(r, b.inputs[k], b.inputFirst + static_cast<std::int32_t>(k))) return false;
  }
  b.hashFirst = r.i32();
  const std::uint32_t hashCount = r.u8();
  if (!r.ok() || b.hashFirst < 0 || b.hashFirst > kLatestTick ||
      hashCount > static_cast<std::uint32_t>(kMaxHashesPerPacket)) {
    return false;
  }
  b.hashes.resize(hashCount);
  for (std::uint64_t& h : b.hashes) h = r.u64();
  return r.ok();
}

void writeInputs(Writer& w, const InputsBody& b) {
  w.u32(b.seq);
  w.u32(b.sentUs);
  w.u32(b.echoUs);
  w.u32(b.echoAgeUs);
  w.i32(b.tick);
  w.u16(static_cast<std::uint16_t>(static_cast<std::int16_t>(b.leadMilliTicks)));
  w.i32(b.inputAck);
  w.i32(b.hashAck);
  w.i32(b.inputFirst);
  w.u8(static_cast<std::uint32_t>(b.inputs.size()));
  for (std::size_t k = 0; k < b.inputs.size(); ++k) {
    writeTick(w, b.inputs[k], b.inputFirst + static_cast<std::int32_t>(k));
  }
  w.i32(b.hashFirst);
  w.u8(static_cast<std::uint32_t>(b.hashes.size()));
  for (const std::uint64_t h : b.hashes) w.u64(h);
}

}  // namespace

std::uint32_t crc32(std::span<const std::uint8_t> bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      t[n] = c;
    }
    return t;
  }();
  std::uint32_t c = 0xFFFFFFFFu;
  for (const std::uint8_t b : bytes) c = table[(c ^ b) & 0xFF] ^ (c >> 8);
  return c ^ 0xFFFFFFFFu;
}

std::vector<std::uint8_t> encodePacket(const Packet& p) {
  Writer w;
  w.u32(kPacketMagic);
  w.u8(static_cast<std::uint32_t>(p.type));
  w.u64(p.token);
  switch (p.type) {
    case PacketType::Hello:
    case PacketType::Welcome:
      w.u16(p.greeting.protocol);
      w.text(p.greeting.gameVersion.substr(0, kMaxGameVersionBytes));
      w.u64(p.greeting.signature);
      w.u32(p.greeting.speedMilli);
      if (p.keyed) w.raw(p.type == PacketType::Hello ? p.nonce : p.proof);
      break;
    case PacketType::Challenge:
      w.raw(p.salt);
      w.raw(p.nonce);
      break;
    case PacketType::Proof: w.raw(p.proof); break;
    case PacketType::Refuse: w.u8(static_cast<std::uint32_t>(p.refusal)); break;
    case PacketType::Inputs: writeInputs(w, p.inputs); break;
    case PacketType::End:
    case PacketType::Desync: w.i32(p.tick); break;
    case PacketType::Leave:
    case PacketType::Done: break;
  }
  w.u32(crc32(w.bytes));
  return std::move(w.bytes);
}

std::optional<Packet> decodePacket(std::span<const std::uint8_t> bytes) {
  constexpr std::size_t kFrame = 4 + 1 + 8 + 4;
  if (bytes.size() < kFrame) return std::nullopt;
  const std::span<const std::uint8_t> body = bytes.first(bytes.size() - 4);
  Reader tail(bytes.last(4));
  if (tail.u32() != crc32(body)) return std::nullopt;

  Reader r(body);
  Packet p;
  if (r.u32() != kPacketMagic) return std::nullopt;
  const std::uint32_t type = r.u8();
  p.token = r.u64();
  switch (type) {
    case static_cast<std::uint32_t>(PacketType::Hello):
    case static_cast<std::uint32_t>(PacketType::Welcome):
      p.greeting.protocol = static_cast<std::uint16_t>(r.u16());
      p.greeting.gameVersion = r.text(kMaxGameVersionBytes);
      p.greeting.signature = r.u64();
      p.greeting.speedMilli = r.u32();
      if (!printableAscii(p.greeting.gameVersion)) return std::nullopt;
      p.keyed = r.ok() && !r.atEnd();
      if (p.keyed) r.raw(type == static_cast<std::uint32_t>(PacketType::Hello) ? p.nonce : p.proof);
      break;
    case static_cast<std::uint32_t>(PacketType::Challenge):
      r.raw(p.salt);
      r.raw(p.nonce);
      break;
    case static_cast<std::uint32_t>(PacketType::Proof): r.raw(p.proof); break;
    case static_cast<std::uint32_t>(PacketType::Refuse): {
      const std::uint32_t reason = r.u8();
      if (reason < static_cast<std::uint32_t>(Refusal::Protocol) || reason > static_cast<std::uint32_t>(Refusal::Key)) {
        return std::nullopt;
      }
      p.refusal = static_cast<Refusal>(reason);
      break;
    }
    case static_cast<std::uint32_t>(PacketType::Inputs):
      if (!readInputs(r, p.inputs)) return std::nullopt;
      break;
    case static_cast<std::uint32_t>(PacketType::End):
    case static_cast<std::uint32_t>(PacketType::Desync):
      p.tick = r.i32();
      if (p.tick < 0 || p.tick > kLatestTick) return std::nullopt;
      break;
    case static_cast<std::uint32_t>(PacketType::Leave):
    case static_cast<std::uint32_t>(PacketType::Done): break;
    default: return std::nullopt;
  }
  if (!r.ok() || !r.atEnd()) return std::nullopt;
  p.type = static_cast<PacketType>(type);
  return p;
}

}  // namespace glamora::net
