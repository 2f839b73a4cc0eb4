// Two headless sides over the simulated link: they agree on every confirmed
// tick's hash (a mismatch would end the battle), print the same rounds and
// hash, write the same journal, and that journal run as a script ends in the
// state they hashed. A refused greeting and a link that goes dead end both
// sides with a reason.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/net/battle_snapshot.h"
#include "engine/net/handshake.h"
#include "engine/net/simulated_match.h"
#include "engine/script_runner.h"

namespace glamora::net {
namespace {

class NoEvents final : public ScriptEvents {
 public:
  void ignored(int) override {}
  void dump(Mode) override {}
};

std::uint64_t scriptHash(const std::string& script) {
  SilentEffects effects;
  Session session(effects);
  NoEvents events;
  ScriptRunner runner(session, events);
  std::istringstream in(script);
  std::string line, reason;
  for (int n = 1; std::getline(in, line); ++n) EXPECT_TRUE(runner.runLine(n, line, reason)) << line << ": " << reason;
  std::vector<std::int64_t> scratch;
  return sharedStateHash(session, scratch);
}

Greeting greeting() { return {kProtocolVersion, "1.0", 0x1234, 1000}; }

SimulatedMatchOptions options(int rounds, LinkConditions link, std::uint64_t seed) {
  SimulatedMatchOptions o;
  o.rounds = rounds;
  o.link = link;
  o.seed = seed;
  o.greetings = {greeting(), greeting()};
  return o;
}

void expectAgreement(const SimulatedMatch& m, int rounds) {
  const PeerReport& host = m.reports[0];
  const PeerReport& join = m.reports[1];
  ASSERT_TRUE(host.ok) << host.error;
  ASSERT_TRUE(join.ok) << join.error;
  EXPECT_EQ(host.tally.rounds, rounds);
  EXPECT_EQ(host.tally.rounds, join.tally.rounds);
  EXPECT_EQ(host.tally.wins, join.tally.wins);
  EXPECT_EQ(host.tally.draws, join.tally.draws);
  EXPECT_EQ(host.tally.wins[0] + host.tally.wins[1] + host.tally.draws, rounds);
  EXPECT_EQ(host.hash, join.hash);
  EXPECT_EQ(host.ticks, join.ticks);
  EXPECT_EQ(withoutComments(m.journals[0]), withoutComments(m.journals[1]));
  EXPECT_EQ(scriptHash(m.journals[0]), host.hash);
}

// A hundred rounds in an optimised build; a slice of them under the sanitizers.
#ifdef NDEBUG
constexpr int kRounds = 100;
#else
constexpr int kRounds = 8;
#endif

TEST(SimulatedMatch, HardAgainstHardAt80msAnd2PercentLossAgrees) {
  const SimulatedMatch m = runSimulatedMatch(options(kRounds, {80, 20, 2, 1}, 1));
  expectAgreement(m, kRounds);
  for (const PeerReport& r : m.reports) {
    EXPECT_LT(r.stallTicks * 100, r.ticks);
    EXPECT_LT(r.rollback.rollbackTicks, 2 * r.rollback.rollbacks);
    EXPECT_LE(r.rollback.maxRollbackTicks, kPredictionTicks);
    EXPECT_LT(r.bytesSent * 10, 2000 * static_cast<std::uint64_t>(r.ticks));  // under 2 KB a second
  }
}

TEST(SimulatedMatch, LongDelaysAndLossBurstsStillAgree) {
  const SimulatedMatch m = runSimulatedMatch(options(3, {250, 100, 10, 5}, 2));
  expectAgreement(m, 3);
  for (const PeerReport& r : m.reports) EXPECT_LT(r.stallTicks * 10, r.ticks);
}

// Rounds held to 15 s: most end as draws when the host's next choice, or the
// end, acts at the limit; a round won in the last 3 s before it still counts
// as won.
TEST(SimulatedMatch, RoundsNotDecidedInTimeAreDraws) {
  SimulatedMatchOptions o = options(4, {80, 20, 2, 1}, 6);
  o.roundLimitTicks = 150;
  const SimulatedMatch m = runSimulatedMatch(o);
  expectAgreement(m, 4);
  EXPECT_GE(m.reports[0].tally.draws, 2);
  EXPECT_EQ(m.reports[0].ticks, kStageLeadTicks + 4 * 150);
}

// The joiner's clock runs 2% fast: without the clocks kept level it would
// soon play on guesses as far as it may and wait there.
TEST(SimulatedMatch, ClocksThatRunApartAreKeptLevel) {
  SimulatedMatchOptions o = options(3, {80, 20, 2, 1}, 5);
  o.tickUs[1] = 98'000;
  const SimulatedMatch m = runSimulatedMatch(o);
  expectAgreement(m, 3);
  for (const PeerReport& r : m.reports) {
    EXPECT_LT(r.stallTicks * 100, r.ticks);
    EXPECT_LT(r.rollback.rollbackTicks, 2 * r.rollback.rollbacks);
  }
}

TEST(SimulatedMatch, ARefusedGreetingEndsBothSidesWithTheReason) {
  struct Case {
    Greeting joiner;
    const char* reason;
  };
  Greeting version = greeting(), signature = greeting(), speed = greeting(), protocol = greeting();
  version.gameVersion = "1.1";
  signature.signature = 0x4321;
  speed.speedMilli = 2000;
  protocol.protocol = kProtocolVersion + 1;
  for (const Case& c : {Case{version, "game versions"}, Case{signature, "rules signatures"}, Case{speed, "speeds"},
                        Case{protocol, "protocol"}}) {
    SimulatedMatchOptions o = options(1, {80, 20, 2, 1}, 3);
    o.greetings[1] = c.joiner;
    const SimulatedMatch m = runSimulatedMatch(o);
    for (const PeerReport& r : m.reports) {
      EXPECT_FALSE(r.ok);
      EXPECT_NE(r.error.find(c.reason), std::string::npos) << r.error;
    }
  }
}

TEST(SimulatedMatch, AWelcomeWithAnotherTokenIsRefused) {
  Handshake joiner = Handshake::joiner(greeting(), 1111);
  Handshake host = Handshake::host(greeting());
  std::vector<std::uint8_t> welcome, refusal;
  ASSERT_EQ(host.receive(joiner.hello(), welcome), Handshake::State::Accepted);
  EXPECT_EQ(host.token(), 1111u);
  Packet forged = *decodePacket(welcome);
  forged.token = 2222;
  EXPECT_EQ(joiner.receive(encodePacket(forged), refusal), Handshake::State::Refused);
  EXPECT_NE(joiner.error().find("token"), std::string::npos);
  ASSERT_TRUE(decodePacket(refusal));
  EXPECT_EQ(decodePacket(refusal)->refusal, Refusal::Token);
}

TEST(SimulatedMatch, ALinkThatGoesDeadMidRoundEndsBothSides) {
  SimulatedMatchOptions o = options(2, {80, 20, 2, 1}, 4);
  o.cutAtMs = 20'000;
  const SimulatedMatch m = runSimulatedMatch(o);
  for (const PeerReport& r : m.reports) {
    EXPECT_FALSE(r.ok);
    EXPECT_NE(r.error.find("silent for 5 s"), std::string::npos) << r.error;
    EXPECT_EQ(r.tally.rounds, 1);
  }
  // Both gave up about 5 s after the last packet, not much later.
  EXPECT_LT(m.simulatedUs, (20'000 + 5'000 + 1'000) * std::int64_t{1000});
}

}  // namespace
}  // namespace glamora::net
