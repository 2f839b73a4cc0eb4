// The times a replay window shows. A round note is read from a file and may
// say anything, so its numbers are taken only where they agree with the
// replay's own clock; nothing here can overflow whatever the note says.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "engine/session.h"

namespace glamora {

// The round's length by its note: only when the note starts where the round
// really started (`start`, on the replay's clock, >= 0) and ends after that.
std::optional<std::int64_t> noteLength(const RoundRecord& note, std::int64_t start);

// How far the search for the round's start has come, 0..1: the clock against
// the note's start when that is a time after 0, otherwise the lines begun.
double searchProgress(const RoundRecord& note, std::int64_t now, std::size_t linesBegun, std::size_t lineCount);

}  // namespace glamora
