#include "round_recorder.h"

#include <optional>

namespace glamora::records {

namespace {

// The `#` lines a journal names its start and a network battle's sides with
// (src/app/session_journal, src/engine/net/net_session_journal, net_battle).
constexpr std::string_view kSessionHeader = "Glamora ";
constexpr std::string_view kSessionWord = " session ";
constexpr std::string_view kNetworkHost = "Glamora network battle, host side";
constexpr std::string_view kNetworkJoiner = "Glamora network battle, joiner side";
constexpr std::string_view kPeerName = "the peer's name: ";

std::string sideOf(const ComputerPlayer* computer) {
  return computer ? computerSide(levelName(computer->level())) : personSide();
}

}  // namespace

RoundRecorder::RoundRecorder(Session& session, std::string sessionFile, std::function<void(const RoundRow&)> row)
    : session_(session), sessionFile_(std::move(sessionFile)), row_(std::move(row)) {
  session_.onRoundEnded = [this](const RoundRecord& round) {
    RoundRow made;
    if (rowOf(round, made) && row_) row_(made);
  };
}

RoundRecorder::~RoundRecorder() { session_.onRoundEnded = nullptr; }

void RoundRecorder::setStarted(std::string_view isoTime) {
  if (const std::optional<std::int64_t> ms = unixMsOfIsoTime(isoTime)) startedMs_ = *ms;
}

void RoundRecorder::comment(std::string_view text) {
  if (text == kNetworkHost) localPlayer_ = 0;
  else if (text == kNetworkJoiner) localPlayer_ = 1;
  else if (text.starts_with(kPeerName)) peerName_ = std::string(text.substr(kPeerName.size()));
  else if (text.starts_with(kSessionHeader) && startedMs_ == 0) {
    const std::size_t at = text.find(kSessionWord);
    if (at != std::string_view::npos) setStarted(text.substr(at + kSessionWord.size()));
  }
}

bool RoundRecorder::rowOf(const RoundRecord& round, RoundRow& row) const {
  const bool training = round.mode == Mode::Training;
  const std::string_view result = round.result;
  row = RoundRow{};
  if (training) {
    if (result != dialogName(Dialog::TrainingWon) && result != dialogName(Dialog::TrainingLost)) return false;
    row.mode = PlayMode::Training;
    row.winner = result == dialogName(Dialog::TrainingWon) ? 1 : 0;
    row.side1 = sideOf(session_.training.computer());
    row.score = session_.training.player().state.points;
    row.target = session_.training.state.norm;
  } else {
    if (result != dialogName(Dialog::PlayerOneWins) && result != dialogName(Dialog::PlayerTwoWins)) return false;
    row.winner = result == dialogName(Dialog::PlayerOneWins) ? 1 : 2;
    if (localPlayer_ >= 0) {
      // Over the network each machine plays its side its own way: the other
      // machine is known by its name, this one is the person here.
      row.mode = PlayMode::Network;
      row.localPlayer = localPlayer_;
      row.side1 = localPlayer_ == 0 ? personSide() : peerSide(peerName_);
      row.side2 = localPlayer_ == 1 ? personSide() : peerSide(peerName_);
    } else {
      row.side1 = sideOf(session_.battle.computer(0));
      row.side2 = sideOf(session_.battle.computer(1));
      row.mode = isComputerSide(row.side1) || isComputerSide(row.side2) ? PlayMode::Computer : PlayMode::Local;
    }
  }
  row.endedAt = startedMs_ + round.end;
  row.stage = round.stage;
  row.lengthMs = round.end - round.start;
  row.sessionFile = sessionFile_;
  row.round = round.number;
  return true;
}

}  // namespace glamora::records
