// The lobby's messages: every kind reads back as written, and what a reader
// must refuse is refused.
#include <gtest/gtest.h>

#include <functional>

#include "lobby_wire.h"

namespace glamora::lobby {
namespace {

Tag tagOfBytes(std::uint8_t first) {
  Tag t{};
  for (std::size_t k = 0; k < t.size(); ++k) t[k] = static_cast<std::uint8_t>(first + k);
  return t;
}

std::vector<Message> everyKind() {
  const Cookie cookie = tagOfBytes(0x90);
  const std::vector<Endpoint> locals{{0xC0A80102, 47291}, {0x0A000001, 1}};
  RoomKey key{};
  key[0] = 0xAB, key[31] = 0xCD;
  auto request = [&](auto body) { return Message{Request{0x01020304, cookie, body}}; };
  auto answer = [](auto body) { return Message{Answer{0xA1B2C3D4, body}}; };
  return {
      request(Register{"1.0.2", 0x0102030405060708, "Ünïcode ルーム", true, locals}),
      request(SetPublic{"ABCDEF", true}),
      request(Keepalive{"23456Z"}),
      request(Leave{"ZZZZZZ"}),
      request(Join{"K7Q2MX", "1.0", 42, locals}),
      request(List{0x1234}),
      request(Relay{"K7Q2MX", Role::Joiner, 0xFEDCBA9876543210, tagOfBytes(1)}),
      request(Started{"K7Q2MX", true, tagOfBytes(2)}),
      answer(CookieGiven{cookie}),
      answer(Registered{"K7Q2MX"}),
      answer(Waiting{}),
      answer(Introduced{"K7Q2MX", key, {0xCB007107, 61000}, locals}),
      answer(Rooms{300, 16, {{"K7Q2MX", "A", "1.0", 0x01020304}, {"ABCDEF", "二人", "", 0}}}),
      answer(Relaying{"K7Q2MX", true}),
      answer(Refused{Refusal::TooManyGuesses}),
      answer(Done{}),
      Punch{"K7Q2MX", Role::Joiner, true, 99, tagOfBytes(3)},
  };
}

TEST(LobbyWire, EveryKindReadsBackAsWrittenAndRequestsArePadded) {
  for (const Message& message : everyKind()) {
    const std::vector<std::uint8_t> bytes = encode(message);
    ASSERT_TRUE(hasPrefix(bytes));
    EXPECT_EQ(decode(bytes), message) << "kind " << static_cast<int>(bytes[4]);
    if (const auto* q = std::get_if<Request>(&message)) {
      EXPECT_EQ(bytes.size(), std::holds_alternative<List>(q->body) ? kListRequestBytes : kRequestBytes);
      EXPECT_EQ(bytes[5], 0x01);  // the id, high byte first
    } else {
      EXPECT_LT(bytes.size(), kRequestBytes);  // no answer but a list is larger than a request
    }
  }
}

TEST(LobbyWire, DamagedMessagesAreRefused) {
  const std::vector<Message> all = everyKind();
  const std::vector<std::uint8_t> keepalive = encode(all[2]), join = encode(all[4]), relay = encode(all[6]),
                                  refused = encode(all[14]), rooms = encode(all[12]), punch = encode(all[16]);
  struct Case {
    const char* what;
    std::vector<std::uint8_t> bytes;
    std::function<void(std::vector<std::uint8_t>&)> damage;
  };
  const Case cases[] = {
      {"no prefix", keepalive, [](auto& b) { b[1] = 'X'; }},
      {"unknown kind", keepalive, [](auto& b) { b[4] = 9; }},
      {"request not padded", keepalive, [](auto& b) { b.pop_back(); }},
      {"request padded too far", keepalive, [](auto& b) { b.push_back(0); }},
      {"padding not zero", keepalive, [](auto& b) { b.back() = 1; }},
      {"code letter not in the alphabet", keepalive, [](auto& b) { b[25] = 'O'; }},
      {"role 2", relay, [](auto& b) { b[31] = 2; }},
      {"version too long", join, [](auto& b) { b[31] = 17; }},
      {"five locals", join, [](auto& b) { b[31 + 1 + 3 + 8] = 5; }},
      {"refusal 0", refused, [](auto& b) { b.back() = 0; }},
      {"refusal past the last", refused, [](auto& b) { b.back() = 9; }},
      {"answer with a byte more", refused, [](auto& b) { b.push_back(0); }},
      {"entry name with a control character", rooms, [](auto& b) { b[14 + 6 + 1] = '\n'; }},
      {"seventeen entries", rooms, [](auto& b) { b[13] = 17; }},
      {"punch cut short", punch, [](auto& b) { b.pop_back(); }},
      {"larger than a list request", encode(all[5]), [](auto& b) { b.resize(kListRequestBytes + 1); }},
  };
  for (const Case& c : cases) {
    std::vector<std::uint8_t> bytes = c.bytes;
    ASSERT_TRUE(decode(bytes)) << c.what;
    c.damage(bytes);
    EXPECT_FALSE(decode(bytes)) << c.what;
  }
}

TEST(LobbyWire, AListAnswerHoldsTheNewestEntriesThatFitARequest) {
  for (const std::string_view unit : {"x", "xy", "あ"}) {  // names of 1 to 96 bytes
    Rooms page{40, 0, {}};
    for (std::uint32_t k = 0; k < 40; ++k) {
      std::string name;
      for (std::uint32_t n = 0; n <= k % 32; ++n) name += unit;
      page.rooms.push_back({"ABCDEF", name.substr(0, 32 * unit.size()), "1.0.0", 1000 * k});
    }
    const std::vector<std::uint8_t> bytes = encode(Answer{5, page});
    const Rooms read = std::get<Rooms>(std::get<Answer>(*decode(bytes)).body);
    EXPECT_LE(bytes.size(), kListRequestBytes);
    EXPECT_GE(read.rooms.size(), 6u);
    EXPECT_LE(read.rooms.size(), kPageRooms);
    EXPECT_TRUE(std::equal(read.rooms.begin(), read.rooms.end(), page.rooms.begin()));
  }
}

TEST(LobbyWire, ATagHoldsOnlyForEveryFieldItWasMadeOver) {
  const RoomKey key = freshKey(), other = freshKey();
  const Tag tag = tagOf(key, "relay", "K7Q2MX", Role::Host, false, 5);
  EXPECT_TRUE(tagHolds(tag, key, "relay", "K7Q2MX", Role::Host, false, 5));
  EXPECT_FALSE(tagHolds(tag, other, "relay", "K7Q2MX", Role::Host, false, 5));
  EXPECT_FALSE(tagHolds(tag, key, "started", "K7Q2MX", Role::Host, false, 5));
  EXPECT_FALSE(tagHolds(tag, key, "relay", "K7Q2MY", Role::Host, false, 5));
  EXPECT_FALSE(tagHolds(tag, key, "relay", "K7Q2MX", Role::Joiner, false, 5));
  EXPECT_FALSE(tagHolds(tag, key, "relay", "K7Q2MX", Role::Host, true, 5));
  EXPECT_FALSE(tagHolds(tag, key, "relay", "K7Q2MX", Role::Host, false, 6));
  EXPECT_NE(freshKey(), freshKey());
}

TEST(LobbyWire, NamesAreOneToMaxPrintableCharactersOfValidUtf8) {
  const std::pair<std::string, bool> names[] = {
      {"A", true},
      {"二人の部屋", true},
      {std::string(32, 'x'), true},
      {"", false},
      {std::string(33, 'x'), false},
      {"tab\there", false},
      {"\x7F", false},
      {"\xC2\x85", false},
      {"\xC0\xAF", false},
      {"\xED\xA0\x80", false},
      {"\xE2\x80\xA8", false},
      {"cut\xE3\x81", false},
      {"\xF0\x9F\x98\x80", true},
  };
  for (const auto& [name, printable] : names) EXPECT_EQ(isPrintableName(name, 32), printable) << name;
}

}  // namespace
}  // namespace glamora::lobby
