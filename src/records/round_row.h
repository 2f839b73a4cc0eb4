// One finished round as the records keep it: a row of the records database,
// and what glamora-sim --records counts. Every row is derived by RoundRecorder
// from a Session's round and state, in the game and from a journal alike.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glamora::records {

// How a round was played: two people at one keyboard, against the computer
// (either side computer-played), over the network, or training.
enum class PlayMode { Local, Computer, Network, Training };
inline constexpr int kPlayModeCount = 4;
const char* playModeName(PlayMode mode);  // "local", "computer", "network", "training"
std::optional<PlayMode> playModeFromName(std::string_view name);

// Who played a side, as written in the database:
//   "person"                 a person at this keyboard
//   "cpu:easy", "cpu:hard"   the computer at a level
//   "peer:NAME"              the network battle's other machine (NAME may be empty)
std::string personSide();
std::string computerSide(std::string_view level);
std::string peerSide(std::string_view name);
bool isComputerSide(std::string_view side);
bool isPeerSide(std::string_view side);

struct RoundRow {
  std::int64_t endedAt = 0;  // Unix time in ms: the session's start plus the round's end on its clock
  PlayMode mode = PlayMode::Local;
  int stage = 0;
  std::string side1;  // player 1 (the training player)
  std::string side2;  // player 2; empty in training
  // Battle: the winning player, 1 or 2 (0 a draw). Training: 1 won, 0 lost.
  int winner = 0;
  std::int64_t lengthMs = 0;  // the round's clock time, stage chosen to result
  std::optional<int> score;   // training only
  std::optional<int> target;
  std::string sessionFile;  // the journal's file name, without its directory
  int round = 0;            // the round's number in that journal
  // In a network battle, the player this machine played (0 or 1); -1 elsewhere.
  int localPlayer = -1;
  bool operator==(const RoundRow&) const = default;
};

bool isBattle(const RoundRow& row);
// Whether player `p` (0-based) won the battle, or the training round was won.
bool wonBy(const RoundRow& row, int p);

// "2026-12-07T21:04:11+09:00" (ISO 8601 with its offset, or Z) as Unix ms;
// nullopt when it does not read as one.
std::optional<std::int64_t> unixMsOfIsoTime(std::string_view text);

}  // namespace glamora::records
