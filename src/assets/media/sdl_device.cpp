#include "sdl_device.h"

#include <SDL.h>

#include "sdl_subsystems.h"

#ifdef GLAMORA_HAVE_ALSA
#include <alsa/asoundlib.h>
#endif

namespace glamora::media {

namespace {

#ifdef GLAMORA_HAVE_ALSA
// ALSA reports a missing card on the terminal line by line; the game has no
// log, and no card is a normal case (the game then plays silently).
void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}
#endif

}  // namespace

std::unique_ptr<SdlDevice> SdlDevice::open(Mixer& mixer, std::string* whyNot) {
#ifdef GLAMORA_HAVE_ALSA
  snd_lib_error_set_handler(&ignoreAlsaError);
#endif
  if (!startSdlSubsystem(SDL_INIT_AUDIO, whyNot)) return nullptr;
  std::unique_ptr<SdlDevice> device(new SdlDevice(mixer));
  SDL_AudioSpec want{};
  want.freq = kOutputRate;
  want.format = AUDIO_F32SYS;
  want.channels = kOutputChannels;
  want.samples = 1024;
  want.callback = &SdlDevice::fill;
  want.userdata = device.get();
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts our format to the card's.
  device->device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device->device_ == 0) {
    if (whyNot) *whyNot = SDL_GetError();
    stopSdlSubsystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  const char* driver = SDL_GetCurrentAudioDriver();
  device->description_ = std::string("SDL ") + (driver ? driver : "?");
  return device;
}

SdlDevice::~SdlDevice() {
  SDL_CloseAudioDevice(device_);
  stopSdlSubsystem(SDL_INIT_AUDIO);
}

void SdlDevice::start() { SDL_PauseAudioDevice(device_, 0); }

void SdlDevice::fill(void* self, std::uint8_t* stream, int bytes) {
  auto* device = static_cast<SdlDevice*>(self);
  const int frames = bytes / static_cast<int>(sizeof(float) * kOutputChannels);
  device->mixer_.render(reinterpret_cast<float*>(stream), frames);
}

}  // namespace glamora::media
