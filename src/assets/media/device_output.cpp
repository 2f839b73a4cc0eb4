#include "device_output.h"

#include <SDL.h>

#include "sdl_subsystems.h"

namespace glamora::media {

DeviceOutput::DeviceOutput(bool renderWhenSilent, std::function<void()> willRender) : pacer_(steadyMilliseconds()) {
  if (renderWhenSilent) tap_ = [](const float*, int) {};
  opener_ = std::thread([this, willRender = std::move(willRender)] {
    openDevice(willRender);
    // What SDL keeps for this thread (its error text) goes with it: SDL frees
    // it by itself only for threads it made.
    SDL_TLSCleanup();
  });
}

DeviceOutput::~DeviceOutput() {
  opener_.join();
  {
    std::lock_guard lock(paceMutex_);
    device_.reset();  // no more callbacks into the mixer
  }
  // SDL was started on the opener, which has ended; with the device closed
  // nothing of SDL runs any more, and its audio has no tie to a thread, so it
  // is shut down here, freeing what it keeps (hints, error texts, drivers).
  // The gamepads, made after the media and gone before them, have let their
  // subsystem go already.
  stopSdl();
}

void DeviceOutput::openDevice(const std::function<void()>& willRender) {
  if (tap_ && willRender) willRender();
  std::unique_ptr<SdlDevice> device = SdlDevice::open(mixer());
  if (!device) return;
  if (!tap_ && willRender) willRender();
  std::lock_guard lock(paceMutex_);
  // Up to now the clock moved the players; from here the card does.
  pacer_.catchUp(mixer(), tap_);
  device_ = std::move(device);
  live_ = true;
  device_->start();
}

void DeviceOutput::catchUp() {
  if (live_) return;
  std::lock_guard lock(paceMutex_);
  if (!live_) pacer_.catchUp(mixer(), tap_);
}

std::string DeviceOutput::description() const {
  std::lock_guard lock(paceMutex_);
  return device_ ? device_->description() : "silent";
}

}  // namespace glamora::media
