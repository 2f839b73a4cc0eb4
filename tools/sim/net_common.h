// What glamora-sim's network commands share: this build's greeting, the
// journal file, the usage line of a bad command line, the exit statuses.
#pragma once

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <ostream>
#include <string>
#include <string_view>

#include "engine/net/headless_peer.h"
#include "engine/net/packet.h"
#include "engine/rules_signature.h"

namespace glamora::sim {

// A refused handshake, a timeout, a desync, a lobby that refuses or cannot be reached.
inline constexpr int kRefused = 3;

inline net::Greeting greeting(std::uint32_t speedMilli) {
  net::Greeting g;
  g.gameVersion = GLAMORA_VERSION;
  g.signature = playRulesSignature().signature;
  g.speedMilli = speedMilli;
  return g;
}

// The journal file, written line by line as ticks are confirmed.
class JournalFile {
 public:
  bool open(const std::string& path) {
    file_.open(path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(file_);
  }
  std::function<void(std::string_view)> writer() {
    if (!file_.is_open()) return {};
    return [this](std::string_view line) { file_.write(line.data(), static_cast<std::streamsize>(line.size())); };
  }

 private:
  std::ofstream file_;
};

// Opens the journal when `journalPath` is given, plays with `play` (which
// takes the journal's writer) and prints the report: the command's status.
template <typename Play>
int playAndReport(const std::string* journalPath, std::ostream& out, std::ostream& err, Play play) {
  JournalFile journal;
  if (journalPath && !journal.open(*journalPath)) {
    err << "glamora-sim: cannot write " << *journalPath << ": " << std::strerror(errno ? errno : EIO) << "\n";
    return 1;
  }
  const net::PeerReport report = play(journal.writer());
  out << net::reportLine(report) << "\n";
  return report.ok ? 0 : kRefused;
}

// The options every headless peer takes, with their arity: a host's also
// the rounds and its wait; `own` adds those of one command.
inline std::map<std::string, int> peerOptions(bool host, std::map<std::string, int> own) {
  own.insert({{"--cpu", 1}, {"--seed", 1}, {"--speed", 1}, {"--journal", 1}, {"--net-key", 1}});
  if (host) own.insert({{"--rounds", 1}, {"--wait", 1}});
  return own;
}

inline int usage(std::ostream& err, const char* text) {
  err << "usage: glamora-sim " << text << "\n";
  return 2;
}

// A value that the command cannot take: which one and what it may be, in one
// line, when that is known (`problem`); the usage otherwise. The status of a
// bad command line.
inline int wrongValues(std::ostream& err, const std::string& problem, const char* usageText) {
  if (problem.empty()) return usage(err, usageText);
  err << "glamora-sim: " << problem << "\n";
  return 2;
}

}  // namespace glamora::sim
