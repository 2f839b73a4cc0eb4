#include "replay_times.h"

#include <algorithm>

namespace glamora {

std::optional<std::int64_t> noteLength(const RoundRecord& note, std::int64_t start) {
  if (start < 0 || note.start != start || note.end < note.start) return std::nullopt;
  return note.end - note.start;  // both >= 0
}

double searchProgress(const RoundRecord& note, std::int64_t now, std::size_t linesBegun, std::size_t lineCount) {
  double done = 0;
  if (note.start > 0) done = static_cast<double>(now) / static_cast<double>(note.start);
  else if (lineCount > 0) done = static_cast<double>(linesBegun) / static_cast<double>(lineCount);
  return std::clamp(done, 0.0, 1.0);
}

}  // namespace glamora
