// WAVE files decoded by SDL2 and converted to the mixer's format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glamora::media {

// Interleaved stereo float samples at kOutputRate. Throws GameError naming
// `path` when the file is not a RIFF/WAVE file SDL can decode, or when a chunk
// up to the samples is shorter than its header says (SDL would load a short
// data chunk without a word, and allocate whatever a chunk claims).
std::vector<float> decodeWav(const std::vector<std::uint8_t>& bytes, const std::string& path);

}  // namespace glamora::media
