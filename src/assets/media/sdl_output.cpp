#include "sdl_output.h"

#include <SDL.h>

namespace glamora::media {

std::unique_ptr<SdlOutput> SdlOutput::open(std::string* whyNot) {
  // Without this SDL installs its own SIGINT/SIGTERM handlers and the game
  // would no longer end on them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    if (whyNot) *whyNot = SDL_GetError();
    return nullptr;
  }
  std::unique_ptr<SdlOutput> output(new SdlOutput);
  SDL_AudioSpec want{};
  want.freq = kOutputRate;
  want.format = AUDIO_F32SYS;
  want.channels = kOutputChannels;
  want.samples = 1024;
  want.callback = &SdlOutput::fill;
  want.userdata = output.get();
  SDL_AudioSpec have{};
  // No changes allowed: SDL converts our format to the card's.
  output->device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (output->device_ == 0) {
    if (whyNot) *whyNot = SDL_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return nullptr;
  }
  const char* driver = SDL_GetCurrentAudioDriver();
  output->description_ = std::string("SDL ") + (driver ? driver : "?");
  SDL_PauseAudioDevice(output->device_, 0);
  return output;
}

SdlOutput::~SdlOutput() {
  SDL_CloseAudioDevice(device_);
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlOutput::fill(void* self, std::uint8_t* stream, int bytes) {
  auto* output = static_cast<SdlOutput*>(self);
  const int frames = bytes / static_cast<int>(sizeof(float) * kOutputChannels);
  output->mixer().render(reinterpret_cast<float*>(stream), frames);
}

}  // namespace glamora::media
