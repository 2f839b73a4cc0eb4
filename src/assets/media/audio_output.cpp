#include "audio_output.h"

#include "device_output.h"

namespace glamora::media {

std::unique_ptr<AudioOutput> openAudioOutput(bool renderWhenSilent) {
  return std::make_unique<DeviceOutput>(renderWhenSilent);
}

}  // namespace glamora::media
