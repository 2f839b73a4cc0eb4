#include "gamepads.h"

#include <SDL.h>

#include "assets/media/sdl_subsystems.h"

namespace glamora {

Gamepads::Gamepads(std::vector<RememberedSeat> remembered) : seats_(std::move(remembered)) {}

Gamepads::~Gamepads() {
  if (!started_) return;
  for (auto& [id, open] : open_) close(open);
  media::stopSdlSubsystem(SDL_INIT_GAMECONTROLLER);
}

bool Gamepads::start() {
  if (started_) return true;
  if (!media::startSdlSubsystem(SDL_INIT_GAMECONTROLLER, &problem_)) return false;
  started_ = true;
  // The pads are read, never waited on: SDL's event queue would only fill up.
  SDL_JoystickEventState(SDL_IGNORE);
  SDL_GameControllerEventState(SDL_IGNORE);
  refresh();
  return true;
}

void Gamepads::close(Open& open) {
  SDL_GameControllerClose(open.controller);
  open.controller = nullptr;
}

bool Gamepads::refresh() {
  if (!started_) return false;
  SDL_GameControllerUpdate();
  bool changed = false;
  // Pulled pads first, so that a pad plugged in at once finds their players free.
  for (auto it = open_.begin(); it != open_.end();) {
    if (SDL_GameControllerGetAttached(it->second.controller)) {
      ++it;
      continue;
    }
    close(it->second);
    seats_.pulled(it->first);
    it = open_.erase(it);
    changed = true;
  }
  const int count = SDL_NumJoysticks();
  for (int index = 0; index < count; ++index) {
    const int id = SDL_JoystickGetDeviceInstanceID(index);
    if (id < 0 || open_.contains(id) || !SDL_IsGameController(index)) continue;
    SDL_GameController* controller = SDL_GameControllerOpen(index);
    if (!controller) continue;
    Open open;
    open.controller = controller;
    open.pad.id = id;
    const char* name = SDL_GameControllerName(controller);
    open.pad.name = name ? name : "?";
    char guid[33] = {};
    SDL_JoystickGetGUIDString(SDL_JoystickGetGUID(SDL_GameControllerGetJoystick(controller)), guid, sizeof guid);
    open.pad.guid = guid;
    const char* path = SDL_GameControllerPath(controller);
    if (path && SDL_strncmp(path, "/dev/", 5) == 0) open.pad.deviceFile = path;
    // What is held as the pad comes acts only once let go.
    open.reading.settle(controlsOf(open));
    seats_.plugged(id, open.pad.guid);
    open_.emplace(id, std::move(open));
    changed = true;
  }
  return changed;
}

PadControls Gamepads::controlsOf(const Open& open) const {
  SDL_GameController* c = open.controller;
  return {SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_LEFT) != 0,
          SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_DPAD_RIGHT) != 0,
          SDL_GameControllerGetAxis(c, SDL_CONTROLLER_AXIS_LEFTX),
          SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_A) != 0,
          SDL_GameControllerGetButton(c, SDL_CONTROLLER_BUTTON_START) != 0};
}

std::vector<Gamepads::Press> Gamepads::read(std::int64_t ms) {
  std::vector<Press> presses;
  for (const int id : seats_.pads()) {
    Open& open = open_.at(id);
    for (const PadButton button : open.reading.read(controlsOf(open), ms)) presses.push_back({id, button});
  }
  return presses;
}

void Gamepads::settle() {
  for (auto& [id, open] : open_) open.reading.settle(controlsOf(open));
}

std::optional<std::int64_t> Gamepads::nextRepeat() const {
  std::optional<std::int64_t> earliest;
  for (const auto& [id, open] : open_) {
    const std::optional<std::int64_t> due = open.reading.nextRepeat();
    if (due && (!earliest || *due < *earliest)) earliest = due;
  }
  return earliest;
}

std::vector<Gamepads::Pad> Gamepads::pads() const {
  std::vector<Pad> list;
  for (const int id : seats_.pads()) list.push_back(open_.at(id).pad);
  return list;
}

}  // namespace glamora
