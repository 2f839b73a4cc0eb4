#include "net_commands.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iomanip>
#include <sstream>
#include <string>

#include "blocking_peer.h"
#include "engine/net/battle_snapshot.h"
#include "engine/net/simulated_match.h"
#include "engine/script_runner.h"
#include "engine/text_checks.h"
#include "net/enet_connection.h"
#include "net_args.h"
#include "net_common.h"
#include "room_commands.h"

namespace glamora::sim {

namespace {

int netSim(int argc, char** argv, std::ostream& out, std::ostream& err) {
  static const char* kUsage = "--net-sim --cpu A B --delay MS --jitter MS --loss PCT [--burst N] --rounds N --seed S";
  NetArgs a;
  if (!a.parse(argc, argv, 2,
               {{"--cpu", 2},
                {"--delay", 1},
                {"--jitter", 1},
                {"--loss", 1},
                {"--burst", 1},
                {"--rounds", 1},
                {"--seed", 1}}) ||
      !a.has("--cpu") || !a.has("--delay") || !a.has("--jitter") || !a.has("--loss") || !a.has("--rounds") ||
      !a.has("--seed")) {
    return usage(err, kUsage);
  }
  net::SimulatedMatchOptions o;
  const auto first = a.level("--cpu", 0);
  const auto second = a.level("--cpu", 1);
  const auto delay = a.number("--delay", 0, 10'000);
  const auto jitter = a.number("--jitter", 0, 10'000);
  const auto loss = a.thousandths("--loss", 0, 90'000);
  const auto burst = a.has("--burst") ? a.number("--burst", 1, 100) : std::optional<std::int64_t>(1);
  const auto rounds = a.number("--rounds", 0, 100'000);
  const auto seed = a.number("--seed", 0, 999'999'999'999'999'999);
  if (!first || !second || !delay || !jitter || !loss || !burst || !rounds || !seed) {
    return wrongValues(err, a.problem(), kUsage);
  }
  o.levels = {*first, *second};
  o.link.delayMs = static_cast<int>(*delay);
  o.link.jitterMs = static_cast<int>(*jitter);
  o.link.lossPercent = static_cast<double>(*loss) / 1000.0;
  o.link.burst = static_cast<int>(*burst);
  o.rounds = static_cast<int>(*rounds);
  o.seed = static_cast<std::uint64_t>(*seed);
  o.greetings[0] = o.greetings[1] = greeting(1000);

  const net::SimulatedMatch m = net::runSimulatedMatch(o);
  std::int64_t rollbacks = 0, rollbackTicks = 0, stalls = 0, ticks = 0;
  int desyncs = 0;
  for (const net::PeerReport& r : m.reports) {
    out << net::reportLine(r) << "\n";
    rollbacks += r.rollback.rollbacks;
    rollbackTicks += r.rollback.rollbackTicks;
    stalls += r.stallTicks;
    ticks += r.ticks + r.stallTicks;  // every tick's time passed, played or waited
    if (r.error.starts_with("desync")) ++desyncs;
  }
  // Figures for people; standard output keeps the two peers' lines only.
  std::ostringstream summary;
  summary << std::fixed << std::setprecision(3) << "{\"netSim\":{\"desyncs\":" << desyncs << ",\"journalsIdentical\":"
          << (net::withoutComments(m.journals[0]) == net::withoutComments(m.journals[1]) ? "true" : "false")
          << ",\"meanRollbackTicks\":" << (rollbacks ? static_cast<double>(rollbackTicks) / rollbacks : 0.0)
          << ",\"stallPercent\":" << (ticks ? 100.0 * static_cast<double>(stalls) / static_cast<double>(ticks) : 0.0)
          << ",\"bytesPerSecond\":[" << (m.reports[0].ticks ? m.reports[0].bytesSent * 10 / m.reports[0].ticks : 0)
          << "," << (m.reports[1].ticks ? m.reports[1].bytesSent * 10 / m.reports[1].ticks : 0) << "]}}";
  err << summary.str() << "\n";
  return m.reports[0].ok && m.reports[1].ok ? 0 : kRefused;
}

class NoEvents final : public ScriptEvents {
 public:
  void ignored(int) override {}
  void dump(Mode) override {}
};

int hashScript(int argc, char** argv, std::ostream& out, std::ostream& err) {
  if (argc != 3) return usage(err, "--hash SCRIPT");
  errno = 0;
  std::ifstream in(argv[2], std::ios::binary);
  if (!in) {
    err << "glamora-sim: cannot read " << argv[2] << ": " << std::strerror(errno ? errno : EIO) << "\n";
    return 1;
  }
  SilentEffects effects;
  Session session(effects);
  NoEvents events;
  ScriptRunner runner(session, events);
  BoundedLine line;
  for (int number = 1; readBoundedLine(in, ScriptRunner::kLongestLine + 2, line); ++number) {
    std::string reason;
    if (!runner.runLine(number, line.text, reason)) {
      if (!line.ended) break;  // a last line cut short
      err << "line " << number << ": " << quotedExcerpt(line.text, line.length) << ": " << reason << "\n";
      return 2;
    }
  }
  if (in.bad()) {
    err << "glamora-sim: cannot read " << argv[2] << "\n";
    return 1;
  }
  std::vector<std::int64_t> scratch;
  out << "{\"hash\":\"" << net::hashText(net::sharedStateHash(session, scratch)) << "\"}\n";
  return 0;
}

int netPeer(bool host, int argc, char** argv, std::ostream& out, std::ostream& err) {
  static const char* kHostUsage =
      "--net-host PORT [--bind ADDR] --cpu LEVEL --rounds N --seed S [--speed X] [--wait S] [--journal FILE]"
      " [--net-key TEXT]";
  static const char* kJoinUsage =
      "--net-join HOST:PORT --cpu LEVEL [--seed S] [--speed X] [--journal FILE] [--net-key TEXT]";
  NetArgs a;
  const bool parsed =
      argc >= 3 &&
      a.parse(argc, argv, 3,
              peerOptions(host, host ? std::map<std::string, int>{{"--bind", 1}} : std::map<std::string, int>{}));
  const char* usageText = host ? kHostUsage : kJoinUsage;
  if (!parsed || !a.has("--cpu") || (host && (!a.has("--rounds") || !a.has("--seed")))) return usage(err, usageText);

  BlockingPeerOptions o;
  o.host = host;
  std::string where = argv[2];
  if (!host) {
    // HOST:PORT; a HOST alone means the default port.
    const std::size_t colon = where.rfind(':');
    if (colon == 0) return usage(err, usageText);
    o.address = where.substr(0, colon);
    where = colon == std::string::npos ? std::to_string(netio::kDefaultPort) : where.substr(colon + 1);
  } else if (a.has("--bind")) {
    o.address = a.value("--bind");
  }
  if (where.empty() || where.size() > 5 || where.find_first_not_of("0123456789") != std::string::npos ||
      std::stoi(where) < 1 || std::stoi(where) > 65535) {
    return wrongValues(err, wrongValue("the port", where, "a whole number from 1 to 65535"), usageText);
  }
  o.port = static_cast<std::uint16_t>(std::stoi(where));
  const auto level = a.level("--cpu");
  const auto rounds = host ? a.number("--rounds", 0, 100'000) : std::optional<std::int64_t>(0);
  const auto seed = a.has("--seed") ? a.number("--seed", 0, 999'999'999'999'999'999) : std::optional<std::int64_t>(1);
  const auto speed = a.has("--speed") ? a.thousandths("--speed", 1, 1'000'000) : std::optional<std::int64_t>(1000);
  const auto wait = a.has("--wait") ? a.number("--wait", 0, 86'400) : std::optional<std::int64_t>(60);
  if (!level || !rounds || !seed || !speed || !wait) return wrongValues(err, a.problem(), usageText);
  o.headless.host = host;
  o.headless.level = *level;
  o.headless.rounds = static_cast<int>(*rounds);
  o.headless.seed = static_cast<std::uint64_t>(*seed);
  o.waitSeconds = static_cast<int>(*wait);
  o.greeting = greeting(static_cast<std::uint32_t>(*speed));
  if (a.has("--net-key")) o.phrase = a.value("--net-key");

  return playAndReport(a.has("--journal") ? &a.value("--journal") : nullptr, out, err, [&](auto journal) {
    o.journal = std::move(journal);
    return runBlockingPeer(o);
  });
}

}  // namespace

int runNetCommand(int argc, char** argv, std::ostream& out, std::ostream& err) {
  if (argc < 2) return -1;
  const std::string mode = argv[1];
  if (mode == "--net-sim") return netSim(argc, argv, out, err);
  if (mode == "--hash") return hashScript(argc, argv, out, err);
  if (mode == "--net-host") return netPeer(true, argc, argv, out, err);
  if (mode == "--net-join") return netPeer(false, argc, argv, out, err);
  return runRoomCommand(argc, argv, out, err);
}

}  // namespace glamora::sim
