// A rendered music loop streamed from its FLAC file, a few thousand frames
// decoded at a time, so that it costs little memory and little CPU.
#pragma once

#include <memory>
#include <string>

#include "sound_source.h"

namespace glamora::media {

// Null when the file cannot be opened as FLAC at the output rate in stereo.
std::unique_ptr<SoundSource> openFlacSource(const std::string& path);

// Encodes interleaved stereo float frames at the output rate as 16-bit FLAC.
class FlacWriter {
 public:
  FlacWriter();
  ~FlacWriter();
  FlacWriter(const FlacWriter&) = delete;
  FlacWriter& operator=(const FlacWriter&) = delete;

  bool open(const std::string& path, std::int64_t frames);
  bool write(const float* samples, int frames);
  bool finish();  // false when the file is not complete

 private:
  struct Encoder;
  std::unique_ptr<Encoder> encoder_;
};

}  // namespace glamora::media
