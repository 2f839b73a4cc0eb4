// Sums every playing input into one interleaved stereo float stream.
#pragma once

#include <cstdint>
#include <mutex>
#include <vector>

namespace glamora::media {

inline constexpr int kOutputRate = 44100;
inline constexpr int kOutputChannels = 2;

// Something the mixer pulls sound from: a media player.
class MixerInput {
 public:
  virtual ~MixerInput() = default;
  // Adds up to `frames` frames into out (interleaved stereo) and moves on.
  virtual void mixInto(float* out, int frames) = 0;
  // Moves on by `frames` frames without producing sound (silent output).
  virtual void skip(std::int64_t frames) = 0;
};

// The inputs are called under mutex(); whoever changes an input's state from
// another thread (the user-interface thread) holds the same lock.
class Mixer {
 public:
  void attach(MixerInput* input);
  void detach(MixerInput* input);

  // Writes `frames` frames of the sum of all inputs, clamped to [-1, 1].
  // Takes the lock itself.
  void render(float* out, int frames);
  // Advances every input by `frames` frames without sound. Takes the lock.
  void skip(std::int64_t frames);

  std::mutex& mutex() { return mutex_; }

 private:
  std::mutex mutex_;
  std::vector<MixerInput*> inputs_;
};

}  // namespace glamora::media
