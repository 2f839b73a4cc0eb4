#include "audio_output.h"

#include "device_output.h"

namespace glamora::media {

std::unique_ptr<AudioOutput> openAudioOutput(bool renderWhenSilent, std::function<void()> willRender) {
  return std::make_unique<DeviceOutput>(renderWhenSilent, std::move(willRender));
}

}  // namespace glamora::media
