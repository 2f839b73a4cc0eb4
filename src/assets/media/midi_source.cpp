#include "midi_source.h"

#include <fluidsynth.h>

#include <algorithm>
#include <filesystem>
#include <mutex>

#include "engine/errors.h"
#include "media_file.h"
#include "mixer.h"

namespace glamora::media {

namespace {

// FluidSynth prints to the terminal by default; the game has no log.
void silenceFluidSynth() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) fluid_set_log_function(level, nullptr, nullptr);
  });
}

struct TimedEvent {
  std::int64_t frame;
  MidiEvent event;
};

class MidiSource final : public SoundSource {
 public:
  MidiSource(MidiSong song, fluid_settings_t* settings, fluid_synth_t* synth)
      : song_(std::move(song)), settings_(settings), synth_(synth) {
    events_.reserve(song_.events.size());
    for (const MidiEvent& e : song_.events) events_.push_back({toFrame(e.micros), e});
    length_ = toFrame(song_.lengthMicros);
  }
  ~MidiSource() override {
    delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
  }

  std::int64_t lengthFrames() const override { return length_; }

  void mixInto(float* out, std::int64_t from, int frames) override {
    moveTo(from);
    constexpr int kBlock = 512;
    float block[kBlock * kOutputChannels];
    for (int done = 0; done < frames;) {
      sendDue(cursor_, true);
      const std::int64_t nextEvent = next_ < events_.size() ? events_[next_].frame : cursor_ + kBlock;
      const int n = static_cast<int>(std::min<std::int64_t>({frames - done, nextEvent - cursor_, kBlock}));
      fluid_synth_write_float(synth_, n, block, 0, 2, block, 1, 2);
      float* dst = out + static_cast<std::ptrdiff_t>(done) * kOutputChannels;
      for (int i = 0; i < n * kOutputChannels; ++i) dst[i] += block[i];
      done += n;
      cursor_ += n;
    }
  }

  void skip(std::int64_t from, std::int64_t frames) override {
    moveTo(from);
    cursor_ += frames;
    // Settings still apply, so that sound resumes with the right instruments.
    sendDue(cursor_ - 1, false);
  }

  void restart() override {
    fluid_synth_system_reset(synth_);
    next_ = 0;
    cursor_ = 0;
  }

  void halt() override { fluid_synth_all_sounds_off(synth_, -1); }

 private:
  static std::int64_t toFrame(std::int64_t micros) { return micros * kOutputRate / 1000000; }

  // The player only moves on or rewinds; anything else starts over and walks.
  void moveTo(std::int64_t frame) {
    if (frame == cursor_) return;
    if (frame < cursor_) restart();
    const std::int64_t gap = frame - cursor_;
    cursor_ = frame;
    if (gap > 0) sendDue(cursor_ - 1, false);
  }

  // Sends every event up to and including `frame`; without notes when silent.
  void sendDue(std::int64_t frame, bool notes) {
    while (next_ < events_.size() && events_[next_].frame <= frame) {
      sendToSynth(synth_, song_, events_[next_].event, notes);
      ++next_;
    }
  }

  MidiSong song_;
  fluid_settings_t* settings_;
  fluid_synth_t* synth_;
  std::vector<TimedEvent> events_;
  std::int64_t length_ = 0;
  std::size_t next_ = 0;      // first event not yet sent
  std::int64_t cursor_ = 0;   // frame the synthesiser stands at
};

}  // namespace

void sendToSynth(fluid_synth_t* synth, const MidiSong& song, const MidiEvent& e, bool notes) {
  const int channel = e.status & 0x0F;
  switch (e.status & 0xF0) {
    case 0x80: fluid_synth_noteoff(synth, channel, e.data1); break;
    case 0x90:
      if (e.data2 == 0) fluid_synth_noteoff(synth, channel, e.data1);
      else if (notes) fluid_synth_noteon(synth, channel, e.data1, e.data2);
      break;
    case 0xA0: fluid_synth_key_pressure(synth, channel, e.data1, e.data2); break;
    case 0xB0: fluid_synth_cc(synth, channel, e.data1, e.data2); break;
    case 0xC0: fluid_synth_program_change(synth, channel, e.data1); break;
    case 0xD0: fluid_synth_channel_pressure(synth, channel, e.data1); break;
    case 0xE0: fluid_synth_pitch_bend(synth, channel, e.data1 | (e.data2 << 7)); break;
    case 0xF0: {
      const std::vector<std::uint8_t>& data = song.sysex[e.sysex];
      if (!data.empty())
        fluid_synth_sysex(synth, reinterpret_cast<const char*>(data.data()), static_cast<int>(data.size()),
                          nullptr, nullptr, nullptr, 0);
      break;
    }
    default: break;
  }
}

std::vector<std::string> defaultSoundFonts() {
  return {"/usr/share/sounds/sf2/TimGM6mb.sf2", "/usr/share/sounds/sf2/default-GM.sf2",
          "/usr/share/sounds/sf2/FluidR3_GM.sf2"};
}

std::unique_ptr<SoundSource> loadMidi(const std::vector<std::uint8_t>& bytes, const std::string& path,
                                      const std::vector<std::string>& soundFonts) {
  MidiSong song;
  try {
    song = readMidi(bytes);
  } catch (const MidiFormatError& e) {
    throw GameError(mediaErrorText(e.truncated() ? "MIDI ファイルが途中で切れています" : "MIDI ファイルとして読めません",
                                   path, e.what()));
  }

  silenceFluidSynth();
  fluid_settings_t* settings = new_fluid_settings();
  fluid_settings_setnum(settings, "synth.sample-rate", kOutputRate);
  fluid_settings_setnum(settings, "synth.gain", 0.6);
  fluid_settings_setint(settings, "synth.threadsafe-api", 0);  // the mixer's lock guards it
  fluid_synth_t* synth = new_fluid_synth(settings);
  if (!synth) {
    delete_fluid_settings(settings);
    throw GameError(mediaErrorText("MIDI シンセサイザーを用意できません", path));
  }
  auto source = std::make_unique<MidiSource>(std::move(song), settings, synth);

  std::string tried;
  for (const std::string& font : soundFonts) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(font, ec) && fluid_synth_sfload(synth, font.c_str(), 1) != FLUID_FAILED)
      return source;
    tried += (tried.empty() ? "" : ", ") + font;
  }
  throw GameError(mediaErrorText("MIDI の音色ファイル (SoundFont) がないため再生できません", path,
                                 "探した場所: " + (tried.empty() ? std::string("なし") : tried)));
}

}  // namespace glamora::media
