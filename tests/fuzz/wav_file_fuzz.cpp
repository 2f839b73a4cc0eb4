// The WAVE check and decoding on any bytes: either GameError, or interleaved
// stereo samples. SDL only ever sees what our own check let through.
#include <cstdint>
#include <vector>

#include "assets/media/media_file.h"
#include "assets/media/mixer.h"
#include "assets/media/wav_decoder.h"
#include "engine/errors.h"
#include "fuzz_check.h"

using namespace glamora;
using namespace glamora::media;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::uint8_t> bytes(data, data + size);
  // Without a telling extension the kind comes from the first bytes.
  try {
    const MediaKind kind = mediaKindOf("voice", bytes);
    FUZZ_CHECK(kind == (size >= 4 && bytes[0] == 'M' ? MediaKind::Midi : MediaKind::Wave));
  } catch (const GameError&) {
  }
  try {
    const DecodedWave wave = decodeWav(bytes, "voice.wav");
    FUZZ_CHECK(wave.channels == 1 || wave.channels == kOutputChannels);
    FUZZ_CHECK(wave.samples.size() % static_cast<std::size_t>(wave.channels) == 0);
  } catch (const GameError&) {
  }
  return 0;
}
