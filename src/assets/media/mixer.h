// Sums every playing input into one interleaved stereo float stream.
#pragma once

#include <array>
#include <atomic>
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

// What an input sounds as: each kind has a level of its own.
enum class SoundKind { Music, Voices };
inline constexpr int kSoundKindCount = 2;

// The level a volume slider's percent stands for: squared, so that equal
// steps of the slider sound about equally far apart; 0 % is silent, 100 %
// as decoded, and a percent out of 0..100 counts as the nearer end.
float gainOfPercent(int percent);

// The inputs are called under mutex(); whoever changes an input's state from
// another thread (the user-interface thread) holds the same lock.
class Mixer {
 public:
  void attach(MixerInput* input, SoundKind kind = SoundKind::Voices);
  void detach(MixerInput* input);

  // The level of one kind, 0 (silent) to 1 (as decoded); any thread, at any
  // time, without the lock. A change is ramped over the next block rendered,
  // so a slider moved while the sound plays does not click.
  void setGain(SoundKind kind, float gain);
  float gain(SoundKind kind) const;

  // Writes `frames` frames of the sum of all inputs, each kind at its level,
  // clamped to [-1, 1]. Takes the lock itself.
  void render(float* out, int frames);
  // Advances every input by `frames` frames without sound. Takes the lock.
  void skip(std::int64_t frames);

  std::mutex& mutex() { return mutex_; }

 private:
  struct Input {
    MixerInput* input;
    SoundKind kind;
  };
  std::mutex mutex_;
  std::vector<Input> inputs_;
  std::array<std::atomic<float>, kSoundKindCount> gains_{1.0f, 1.0f};
  // Under the lock: the level each kind ended the last block at, and one
  // kind's sum before its level is applied.
  std::array<float, kSoundKindCount> rendered_{1.0f, 1.0f};
  std::vector<float> scratch_;
};

}  // namespace glamora::media
