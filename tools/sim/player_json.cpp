#include "player_json.h"

#include <map>
#include <string_view>

namespace glamora::sim {

namespace {

// The dump's members, in the order it shows them.
constexpr std::string_view kShown[] = {
    "board",    "nextRow",  "supply",    "supplyPos", "supplyFront", "refillReversed", "phase",
    "held",     "whatTime", "whereTime", "whatRun",   "whereRun",    "toWhat",         "toWhere",
    "arrowCol", "carryCol", "points",    "wins",      "mirrorsDue",
};

// Column by column, each from row (or slot) 1 up.
template <typename Grid>
std::string gridJson(const Grid& grid, int rows) {
  std::string out = "[";
  for (int c = 1; c <= kColumns; ++c) {
    out += c > 1 ? ",[" : "[";
    for (int r = 1; r <= rows; ++r) {
      if (r > 1) out += ',';
      out += std::to_string(static_cast<int>(grid(c, r)));
    }
    out += ']';
  }
  return out + "]";
}

std::string memberJson(const Board& board) { return gridJson(board, kRows); }
std::string memberJson(const Supply& supply) { return gridJson(supply, kSlots); }
template <typename T>
std::string memberJson(const OneBased<T, kColumns>& values) {
  std::string out = "[";
  for (const T v : values.v) {
    if (out.size() > 1) out += ',';
    out += std::to_string(static_cast<int>(v));
  }
  return out + "]";
}
template <typename Number>
std::string memberJson(Number value) {
  return std::to_string(static_cast<int>(value));
}

}  // namespace

std::string playerJson(const PlayerState& state, bool withMirrorsDue) {
  std::map<std::string_view, std::string> members;
  visit(state, [&](std::string_view name, const auto& member) { members[name] = memberJson(member); });
  if (!withMirrorsDue) members["mirrorsDue"] = memberJson(PerColumn{});
  std::string out;
  for (const std::string_view name : kShown)
    out += (out.empty() ? "{\"" : ",\"") + std::string(name) + "\":" + members[name];
  return out + "}";
}

}  // namespace glamora::sim
