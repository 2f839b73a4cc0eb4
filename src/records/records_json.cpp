#include "records_json.h"

#include <array>
#include <map>
#include <nlohmann/json.hpp>

namespace glamora::records {

namespace {

using Json = nlohmann::ordered_json;

Json rowJson(const RoundRow& row) {
  Json j = {
      {"ended_at", row.endedAt}, {"mode", playModeName(row.mode)}, {"stage", row.stage},       {"side1", row.side1},
      {"side2", row.side2},      {"winner", row.winner},           {"length_ms", row.lengthMs}};
  j["score"] = row.score ? Json(*row.score) : Json();
  j["target"] = row.target ? Json(*row.target) : Json();
  j["session_file"] = row.sessionFile;
  j["round"] = row.round;
  return j;
}

}  // namespace

std::string recordsJson(const std::vector<RoundRow>& rows, int files, bool withRows) {
  int battles = 0, draws = 0, trainings = 0, won = 0;
  int wins[2] = {0, 0};
  std::map<int, std::array<int, 2>> battleStages;
  std::map<int, std::array<int, 2>> trainingStages;  // won, lost
  std::map<PlayMode, int> modes{{PlayMode::Local, 0}, {PlayMode::Computer, 0}, {PlayMode::Network, 0}};
  for (const RoundRow& row : rows) {
    if (isBattle(row)) {
      ++battles;
      ++modes[row.mode];
      std::array<int, 2>& stage = battleStages[row.stage];
      if (row.winner == 1 || row.winner == 2) {
        ++wins[row.winner - 1];
        ++stage[row.winner - 1];
      } else {
        ++draws;
      }
    } else {
      ++trainings;
      won += row.winner == 1;
      ++trainingStages[row.stage][row.winner == 1 ? 0 : 1];
    }
  }
  Json battle = {{"rounds", battles}, {"wins", {wins[0], wins[1]}}, {"draws", draws}, {"stages", Json::object()}};
  for (const auto& [stage, w] : battleStages) battle["stages"][std::to_string(stage)] = {w[0], w[1]};
  for (const auto& [mode, n] : modes) battle["modes"][playModeName(mode)] = n;
  Json training = {{"rounds", trainings}, {"won", won}, {"stages", Json::object()}};
  for (const auto& [stage, wl] : trainingStages)
    training["stages"][std::to_string(stage)] = {{"won", wl[0]}, {"lost", wl[1]}};
  Json out = {{"battle", battle}, {"training", training}, {"files", files}};
  if (withRows) {
    out["rows"] = Json::array();
    for (const RoundRow& row : rows) out["rows"].push_back(rowJson(row));
  }
  return out.dump();
}

}  // namespace glamora::records
