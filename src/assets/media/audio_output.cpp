#include "audio_output.h"

#include "sdl_output.h"
#include "silent_output.h"

namespace glamora::media {

std::unique_ptr<AudioOutput> openAudioOutput() {
  if (auto device = SdlOutput::open()) return device;
  return std::make_unique<SilentOutput>();
}

}  // namespace glamora::media
