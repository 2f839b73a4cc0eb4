// A piece a media player plays: decoded samples or a synthesised MIDI song.
#pragma once

#include <cstdint>

namespace glamora::media {

class SoundSource {
 public:
  virtual ~SoundSource() = default;
  virtual std::int64_t lengthFrames() const = 0;
  // Adds frames [from, from + frames) into out (interleaved stereo). `from`
  // normally follows on from the previous call or from restart().
  virtual void mixInto(float* out, std::int64_t from, int frames) = 0;
  // Moves over frames [from, from + frames) without producing sound.
  virtual void skip(std::int64_t from, std::int64_t frames) = 0;
  // Back to the start, nothing sounding.
  virtual void restart() {}
  // Stops whatever is sounding (held notes); the position stays.
  virtual void halt() {}
};

}  // namespace glamora::media
