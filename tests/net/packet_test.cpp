// The packet format and the checks a side makes before it uses a packet:
// every packet type reads back as written; any cut, any flipped bit and
// random bytes are refused; a side drops and counts garbage, foreign
// tokens, replayed packets and packets that do not fit what it knows, and
// its battle goes on untouched.
#include <gtest/gtest.h>

#include <vector>

#include "engine/net/net_peer.h"
#include "engine/net/packet.h"
#include "engine/stages.h"

namespace glamora::net {
namespace {

TickInput keys(std::initializer_list<KeyPress> pressed) {
  TickInput in;
  for (const KeyPress& k : pressed) in.keys[in.keyCount++] = k;
  return in;
}

std::vector<Packet> samplePackets() {
  std::vector<Packet> out;
  Packet hello;
  hello.type = PacketType::Hello;
  hello.token = 0x1122334455667788ull;
  hello.greeting = {kProtocolVersion, "1.0", 0x2c53c1a6974b2ca7ull, 10'000};
  out.push_back(hello);
  hello.type = PacketType::Welcome;
  out.push_back(hello);
  Packet refuse;
  refuse.type = PacketType::Refuse;
  refuse.refusal = Refusal::Speed;
  out.push_back(refuse);
  for (const PacketType t : {PacketType::End, PacketType::Desync, PacketType::Leave, PacketType::Done}) {
    Packet p;
    p.type = t;
    p.token = 42;
    p.tick = t == PacketType::End || t == PacketType::Desync ? 1234 : 0;
    out.push_back(p);
  }
  Packet inputs;
  inputs.type = PacketType::Inputs;
  inputs.token = 42;
  InputsBody& b = inputs.inputs;
  b = {7, 123456, 120000, 900, 105, -250, 99, 97, 100, {}, 96, {0xAAu, 0xBBu}};
  b.inputs.push_back(keys({{Key::Left, 0}, {Key::Select, 40}, {Key::Right, 99}}));
  TickInput ending;
  ending.endAt = 101 + 20;
  b.inputs.push_back(ending);
  TickInput chosen = keys({{Key::Select, 3}});
  chosen.choice = StageChoice{kOriginalStage, 132, editorTexts(EditorValues{})};
  chosen.choice->texts[0] = "9";
  chosen.choice->texts[kColumns * kSlots] = "";
  b.inputs.push_back(chosen);
  TickInput plain;
  plain.choice = StageChoice{4, 103 + kStageLeadMaxTicks, {}};
  b.inputs.push_back(plain);
  out.push_back(inputs);
  return out;
}

TEST(Packets, ReadBackAsWrittenAndRefuseEveryCutAndFlippedBit) {
  for (const Packet& p : samplePackets()) {
    SCOPED_TRACE(static_cast<int>(p.type));
    const std::vector<std::uint8_t> bytes = encodePacket(p);
    const std::optional<Packet> back = decodePacket(bytes);
    ASSERT_TRUE(back);
    EXPECT_TRUE(*back == p);
    for (std::size_t n = 0; n < bytes.size(); ++n) {
      EXPECT_FALSE(decodePacket(std::span(bytes).first(n))) << "cut to " << n;
    }
    for (std::size_t bit = 0; bit < 8 * bytes.size(); ++bit) {
      std::vector<std::uint8_t> flipped = bytes;
      flipped[bit / 8] ^= static_cast<std::uint8_t>(1u << (bit % 8));
      EXPECT_FALSE(decodePacket(flipped)) << "bit " << bit;
    }
  }
}

// Packets with a valid frame (magic, CRC) and a bad field are refused by the
// reader's range checks, not only by the checksum.
TEST(Packets, RefuseFieldsOutOfRange) {
  const auto inputsWith = [](auto change) {
    Packet p;
    p.type = PacketType::Inputs;
    p.inputs.inputs.push_back(keys({{Key::Left, 5}}));
    change(p);
    return encodePacket(p);
  };
  const std::vector<std::vector<std::uint8_t>> bad = {
      inputsWith([](Packet& p) { p.inputs.inputs[0].keys[0].offsetMs = kTickMs; }),
      inputsWith([](Packet& p) { p.inputs.inputs[0].keys[0].key = Key::None; }),
      inputsWith([](Packet& p) {
        p.inputs.inputs[0] = keys({{Key::Left, 50}, {Key::Left, 49}});
      }),
      inputsWith([](Packet& p) { p.inputs.inputs[0].keyCount = kMaxKeysPerTick + 1; }),
      inputsWith([](Packet& p) {
        p.inputs.inputs[0].choice = StageChoice{16, 40, {}};
      }),
      inputsWith([](Packet& p) {
        p.inputs.inputs[0].choice = StageChoice{3, kStageLeadTicks - 1, {}};
      }),
      inputsWith([](Packet& p) {
        p.inputs.inputs[0].choice = StageChoice{kOriginalStage, 40, editorTexts(EditorValues{})};
        p.inputs.inputs[0].choice->texts[1] = "12";  // a grid box takes one character
      }),
      inputsWith([](Packet& p) {
        p.inputs.inputs[0].choice = StageChoice{kOriginalStage, 40, editorTexts(EditorValues{})};
        p.inputs.inputs[0].choice->texts[48] = "1\n";
      }),
      inputsWith([](Packet& p) { p.inputs.inputs.resize(kMaxTicksPerPacket + 1); }),
      inputsWith([](Packet& p) { p.inputs.inputAck = -2; }),
      inputsWith([](Packet& p) { p.inputs.tick = -1; }),
  };
  for (std::size_t k = 0; k < bad.size(); ++k) EXPECT_FALSE(decodePacket(bad[k])) << "case " << k;

  // Random bytes, with and without a valid checksum, never read as a packet.
  ComputerRandom random(5);
  for (int n = 0; n < 2000; ++n) {
    std::vector<std::uint8_t> bytes(random.below(80));
    for (std::uint8_t& b : bytes) b = static_cast<std::uint8_t>(random.below(256));
    EXPECT_FALSE(decodePacket(bytes));
  }
}

class Capture final : public PeerLink {
 public:
  std::vector<std::vector<std::uint8_t>> sent;
  void sendUnsequenced(std::span<const std::uint8_t> p) override { sent.emplace_back(p.begin(), p.end()); }
  void sendReliable(std::span<const std::uint8_t> p) override { sent.emplace_back(p.begin(), p.end()); }
};

TEST(Packets, APeerDropsAndCountsWhatDoesNotFit) {
  constexpr std::uint64_t kToken = 77;
  constexpr std::int64_t kTick = 100'000;
  SilentEffects effects;
  Capture hostLink, joinLink;
  NetPeer host(0, kToken, kTick, hostLink, effects);
  NetPeer joiner(1, kToken, kTick, joinLink, effects);
  host.start(0);
  joiner.start(0);
  joiner.pressLocalAt(Key::Right, 30);
  joiner.update(kTick);  // closes tick 0 and sends it
  ASSERT_FALSE(joinLink.sent.empty());
  const std::vector<std::uint8_t> good = joinLink.sent.back();

  host.receive(good, kTick);
  EXPECT_EQ(host.dropped(), 0);
  EXPECT_EQ(host.battle().lastRemote(), 0);

  const auto resent = [&](auto change) {
    Packet p = *decodePacket(good);
    change(p);
    return encodePacket(p);
  };
  std::vector<std::uint8_t> corrupted = good;
  corrupted[20] ^= 0x10;
  const std::vector<std::vector<std::uint8_t>> bad = {
      {},
      {1, 2, 3},
      corrupted,
      good,  // the same packet again: replayed
      resent([](Packet& p) { p.token = kToken + 1; }),
      resent([](Packet& p) {  // a gap before its inputs
        p.inputs.seq += 1;
        p.inputs.inputFirst = 5;
        p.inputs.tick = 9;
      }),
      resent([](Packet& p) {  // acknowledges inputs never sent
        p.inputs.seq += 2;
        p.inputs.inputAck = 50;
      }),
      resent([](Packet& p) {  // a tick far ahead
        p.inputs.seq += 3;
        p.inputs.tick = kMostLeadTicks + 10;
      }),
      resent([](Packet& p) {  // a joiner choosing a stage
        p.inputs.seq += 4;
        p.inputs.inputs[0].choice = StageChoice{2, kStageLeadTicks, {}};
      }),
      resent([](Packet& p) {  // a greeting after the greeting
        p.type = PacketType::Hello;
      }),
      resent([](Packet& p) {  // the joiner naming the end
        p.type = PacketType::End;
        p.tick = 20;
      }),
  };
  for (const auto& bytes : bad) host.receive(bytes, kTick);
  EXPECT_EQ(host.dropped(), static_cast<std::int64_t>(bad.size()));
  EXPECT_EQ(host.battle().lastRemote(), 0);
  EXPECT_EQ(host.battle().endTick(), -1);
  EXPECT_EQ(host.status(), NetPeer::Status::Playing);
}

}  // namespace
}  // namespace glamora::net
