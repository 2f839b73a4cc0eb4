// WAVE files decoded by SDL2 and converted to the mixer's format.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glamora::media {

// Interleaved stereo float samples at kOutputRate. Throws GameError naming
// `path` when the file is not a WAVE file SDL can decode, or when its data
// chunk is shorter than its header says (SDL would load that without a word).
std::vector<float> decodeWav(const std::vector<std::uint8_t>& bytes, const std::string& path);

}  // namespace glamora::media
