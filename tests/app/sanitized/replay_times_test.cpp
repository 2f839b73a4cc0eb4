// The replay window's arithmetic on the times of a round note, which come from
// a file and may be anything: built with UndefinedBehaviorSanitizer, so that an
// overflow fails the test.
#include "modes/replay_times.h"

#include <climits>
#include <gtest/gtest.h>

namespace glamora {
namespace {

TEST(ReplayTimesTest, NotesAtTheLimitsGiveSaneTimes) {
  constexpr std::int64_t lo = INT64_MIN, hi = INT64_MAX;
  const struct {
    std::int64_t noteStart, noteEnd, start;
    std::optional<std::int64_t> length;
  } cases[] = {
      {lo, hi, 0, std::nullopt},
      {hi, lo, hi, std::nullopt},
      {lo, lo, 0, std::nullopt},
      {0, hi, 0, hi},
      {hi, hi, hi, 0},
      {1000, lo, 1000, std::nullopt},
      {1000, 4000, 1000, 3000},
      {-5, 10, -5, std::nullopt},
      {1000, 4000, 999, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.noteStart << ".." << c.noteEnd << " at " << c.start);
    RoundRecord note{1, Mode::Battle, 1, c.noteStart, c.noteEnd, "x"};
    EXPECT_EQ(noteLength(note, c.start), c.length);
    for (const std::int64_t now : {std::int64_t{0}, std::int64_t{1}, c.start < 0 ? 0 : c.start, hi}) {
      for (const std::size_t lines : {std::size_t{0}, std::size_t{3}, SIZE_MAX}) {
        const double done = searchProgress(note, now, lines, lines == 0 ? 0 : SIZE_MAX);
        EXPECT_GE(done, 0.0);
        EXPECT_LE(done, 1.0);
      }
    }
  }
}

}  // namespace
}  // namespace glamora
