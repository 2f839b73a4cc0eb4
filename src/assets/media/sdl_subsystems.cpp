#include "sdl_subsystems.h"

#include <SDL.h>

#include <mutex>

namespace glamora::media {

namespace {

std::mutex& startStopMutex() {
  static std::mutex mutex;
  return mutex;
}

bool hintsSet = false;  // guarded by startStopMutex()

void setHintsOnce() {
  if (hintsSet) return;
  hintsSet = true;
  // Without this SDL installs its own SIGINT/SIGTERM handlers and the game
  // would no longer end on them.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // Pads are read through the kernel's event devices, which speak only when a
  // button or stick changes; SDL's own USB drivers would read reports that
  // some pads send hundreds of times a second, moving or not.
  SDL_SetHint(SDL_HINT_JOYSTICK_HIDAPI, "0");
}

}  // namespace

bool startSdlSubsystem(std::uint32_t flags, std::string* whyNot) {
  std::lock_guard lock(startStopMutex());
  setHintsOnce();
  if (SDL_InitSubSystem(flags) == 0) return true;
  if (whyNot) *whyNot = SDL_GetError();
  return false;
}

void stopSdlSubsystem(std::uint32_t flags) {
  std::lock_guard lock(startStopMutex());
  SDL_QuitSubSystem(flags);
}

void stopSdl() {
  std::lock_guard lock(startStopMutex());
  SDL_Quit();
  // SDL_Quit forgets the hints with everything else.
  hintsSet = false;
}

}  // namespace glamora::media
