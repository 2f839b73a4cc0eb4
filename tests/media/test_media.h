// Small WAVE and MIDI files built in memory, a scratch directory, and a
// silent output on a clock the test moves by hand.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "assets/media/media_library.h"
#include "assets/media/silent_output.h"

namespace glamora::media::test {

using Bytes = std::vector<std::uint8_t>;

// 16-bit PCM, every sample the same value (so mixes can be checked exactly).
Bytes wavBytes(int frames, std::int16_t value = 8192, int rate = kOutputRate, int channels = 1);

// A one-track format 0 file at 120 bpm, 480 ticks per quarter: `notes`
// quarter notes of middle C on a piano, then the end of the track.
Bytes midiBytes(int notes);

// A MIDI track chunk around raw event bytes (delta times included).
Bytes midiTrack(const Bytes& events);
// A header for `tracks` tracks, then the given chunks.
Bytes midiFile(int format, int tracks, int division, const std::vector<Bytes>& chunks);

class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  std::string write(const std::string& name, const Bytes& bytes) const;
  std::string path(const std::string& name) const { return (dir_ / name).string(); }

 private:
  std::filesystem::path dir_;
};

// A media library on a silent output whose clock is `now`, in ms.
struct SilentLibrary {
  std::int64_t now = 0;
  SilentOutput* output;
  MediaLibrary library;
  explicit SilentLibrary(std::vector<std::string> soundFonts = defaultSoundFonts());
};

// Root mean square of interleaved samples.
double rms(const std::vector<float>& samples);

// Renders `ms` of the library's output (interleaved stereo) through the tap.
std::vector<float> listen(SilentLibrary& silent, std::int64_t ms);

}  // namespace glamora::media::test
