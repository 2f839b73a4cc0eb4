// WAVE files decoded by SDL2 and converted to the mixer's rate and sample type.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glamora::media {

struct DecodedWave {
  // Float samples at kOutputRate, interleaved when there are two channels.
  std::vector<float> samples;
  // 1 for a mono file (kept mono, half the memory), 2 for anything else.
  int channels = 2;
};

// Throws GameError naming `path` when the file is not a RIFF/WAVE file SDL can
// decode, or when a chunk up to the samples is shorter than its header says
// (SDL would load a short data chunk without a word, and allocate whatever a
// chunk claims).
DecodedWave decodeWav(const std::vector<std::uint8_t>& bytes, const std::string& path);

}  // namespace glamora::media
