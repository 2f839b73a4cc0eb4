// Where the mixed sound goes: the sound card through SDL2, or nowhere at the
// pace of a clock when no device can be opened.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "mixer.h"

namespace glamora::media {

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  AudioOutput() = default;
  AudioOutput(const AudioOutput&) = delete;
  AudioOutput& operator=(const AudioOutput&) = delete;

  Mixer& mixer() { return mixer_; }

  // Brings every input up to the present. A real device pulls sound on its
  // own thread and needs nothing here; the silent output advances by the
  // time its clock says has passed. Call without holding the mixer's lock.
  virtual void catchUp() {}
  // True when nothing is heard (no sound card).
  virtual bool silent() const = 0;
  // True when the mixer's sound is rendered (a card that plays, or a tap).
  // Until then a MIDI song needs no synthesiser.
  virtual bool rendering() const { return !silent(); }
  // Which output this is, for diagnostics ("SDL pulseaudio", "silent").
  virtual std::string description() const = 0;

 private:
  Mixer mixer_;
};

// The default sound device through SDL2, opened in the background; silent on
// the real clock until then and when no device can be opened (a headless
// machine, CI). `renderWhenSilent`: see DeviceOutput. `willRender` is called,
// on the opening thread, once it is known that the sound will be rendered.
std::unique_ptr<AudioOutput> openAudioOutput(bool renderWhenSilent = false, std::function<void()> willRender = {});

}  // namespace glamora::media
