#include "midi_source.h"

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <filesystem>
#include <future>
#include <mutex>
#include <optional>

#include "cached_music.h"
#include "engine/errors.h"
#include "fluid_library.h"
#include "media_file.h"
#include "mixer.h"

namespace glamora::media {

namespace {

// Only called where a synthesiser exists, so the library is open.
const FluidLibrary& fluid() { return *fluidLibrary(); }

struct TimedEvent {
  std::int64_t frame;
  MidiEvent event;
};

constexpr double kSynthGain = 0.6;

// What the synthesiser is set up with, for the music cache's key.
std::string synthSettingsText() {
  return "rate=" + std::to_string(kOutputRate) + " gain=" + std::to_string(kSynthGain) + " defaults";
}

// A synthesiser and its settings, with the SoundFont loaded when `loaded`.
struct Synth {
  struct SettingsDeleter {
    void operator()(fluid_settings_t* s) const { fluid().delete_fluid_settings(s); }
  };
  struct SynthDeleter {
    void operator()(fluid_synth_t* s) const { fluid().delete_fluid_synth(s); }
  };
  std::unique_ptr<fluid_settings_t, SettingsDeleter> settings;
  std::unique_ptr<fluid_synth_t, SynthDeleter> synth;  // after its settings: deleted before them
  bool loaded = false;
  std::string tried;  // the SoundFonts tried in vain, for the error text
};

// A synthesiser with the first SoundFont of the list that loads. Loading
// takes tens of milliseconds, so the game starts it ahead on another thread.
Synth prepareSynth(const std::vector<std::string>& soundFonts) {
  Synth prepared;
  if (!fluidLibrary()) return prepared;
  prepared.settings.reset(fluid().new_fluid_settings());
  fluid_settings_t* settings = prepared.settings.get();
  fluid().fluid_settings_setnum(settings, "synth.sample-rate", kOutputRate);
  fluid().fluid_settings_setnum(settings, "synth.gain", kSynthGain);
  fluid().fluid_settings_setint(settings, "synth.threadsafe-api", 0);  // the mixer's lock guards it
  prepared.synth.reset(fluid().new_fluid_synth(settings));
  if (!prepared.synth) return prepared;
  for (const std::string& font : soundFonts) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(font, ec) &&
        fluid().fluid_synth_sfload(prepared.synth.get(), font.c_str(), 1) != FLUID_FAILED) {
      prepared.loaded = true;
#ifdef __GLIBC__
      // Parsing the SoundFont leaves megabytes of freed memory behind; give
      // them back to the system instead of holding them for the whole game.
      malloc_trim(0);
#endif
      return prepared;
    }
    prepared.tried += (prepared.tried.empty() ? "" : ", ") + font;
  }
  return prepared;
}

// The synthesiser being prepared ahead, for one list of SoundFonts.
struct Ahead {
  std::mutex mutex;
  std::vector<std::string> soundFonts;
  std::future<Synth> synth;
};

Ahead& ahead() {
  static Ahead instance;
  return instance;
}

Synth takeSynth(const std::vector<std::string>& soundFonts) {
  Ahead& pending = ahead();
  std::lock_guard lock(pending.mutex);
  if (pending.synth.valid() && pending.soundFonts == soundFonts) return pending.synth.get();
  return prepareSynth(soundFonts);
}

// For the sound card's thread, which must never wait: the synthesiser loaded
// ahead when it is ready; otherwise its loading is started and nothing is taken.
std::optional<Synth> takeSynthIfReady(const std::vector<std::string>& soundFonts) {
  Ahead& pending = ahead();
  std::unique_lock lock(pending.mutex, std::try_to_lock);
  if (!lock) return std::nullopt;
  if (!pending.synth.valid() || pending.soundFonts != soundFonts) {
    pending.soundFonts = soundFonts;
    pending.synth = std::async(std::launch::async, [soundFonts] { return prepareSynth(soundFonts); });
    return std::nullopt;
  }
  if (pending.synth.wait_for(std::chrono::seconds(0)) != std::future_status::ready) return std::nullopt;
  return pending.synth.get();
}

// The places looked in for a SoundFont, or "なし".
Message triedPlaces(const std::string& tried) {
  return tried.empty() ? Message("Media", "なし") : Message::fixed(tried);
}

// The SoundFonts of the list that are files, or the error text naming the
// places looked in when none is.
std::optional<Message> missingSoundFonts(const std::vector<std::string>& soundFonts) {
  std::string tried;
  for (const std::string& font : soundFonts) {
    std::error_code ec;
    if (std::filesystem::is_regular_file(font, ec)) return std::nullopt;
    tried += (tried.empty() ? "" : ", ") + font;
  }
  return triedPlaces(tried);
}

class MidiSource final : public SoundSource {
 public:
  // With no synthesiser the song is silent until it takes one loaded with `soundFonts`.
  MidiSource(MidiSong song, std::optional<Synth> synth, std::vector<std::string> soundFonts)
      : song_(std::move(song)), soundFonts_(std::move(soundFonts)) {
    if (synth) attach(std::move(*synth));
    events_.reserve(song_.events.size());
    for (const MidiEvent& e : song_.events) events_.push_back({toFrame(e.micros), e});
    length_ = toFrame(song_.lengthMicros);
  }

  std::int64_t lengthFrames() const override { return length_; }

  void mixInto(float* out, std::int64_t from, int frames) override {
    if (!synth_ && !takeSynthOnce()) return skip(from, frames);
    moveTo(from);
    constexpr int kBlock = 512;
    float block[kBlock * kOutputChannels];
    for (int done = 0; done < frames;) {
      sendDue(cursor_, true);
      const std::int64_t nextEvent = next_ < events_.size() ? events_[next_].frame : cursor_ + kBlock;
      const int n = static_cast<int>(std::min<std::int64_t>({frames - done, nextEvent - cursor_, kBlock}));
      fluid().fluid_synth_write_float(synth_, n, block, 0, 2, block, 1, 2);
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
    if (synth_) fluid().fluid_synth_system_reset(synth_);
    next_ = 0;
    cursor_ = 0;
  }

  void halt() override {
    if (synth_) fluid().fluid_synth_all_sounds_off(synth_, -1);
  }

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
      if (synth_) sendToSynth(synth_, song_, events_[next_].event, notes);
      ++next_;
    }
  }

  void attach(Synth synth) {
    owned_ = std::move(synth);
    synth_ = owned_.loaded ? owned_.synth.get() : nullptr;
  }

  // The first time the song must sound without a synthesiser: it takes the one
  // loaded ahead, once ready, and sets it up as the song stands (instruments,
  // controllers) before any note. A SoundFont that fails to load leaves it silent.
  bool takeSynthOnce() {
    if (gaveUp_) return false;
    std::optional<Synth> ready = takeSynthIfReady(soundFonts_);
    if (!ready) return false;
    attach(std::move(*ready));
    gaveUp_ = !synth_;
    if (synth_) {
      const std::int64_t at = cursor_;
      next_ = 0;
      sendDue(at - 1, false);
    }
    return synth_ != nullptr;
  }

  MidiSong song_;
  std::vector<std::string> soundFonts_;
  Synth owned_;
  fluid_synth_t* synth_ = nullptr;
  bool gaveUp_ = false;
  std::vector<TimedEvent> events_;
  std::int64_t length_ = 0;
  std::size_t next_ = 0;     // first event not yet sent
  std::int64_t cursor_ = 0;  // frame the synthesiser stands at
};

}  // namespace

void sendToSynth(fluid_synth_t* synth, const MidiSong& song, const MidiEvent& e, bool notes) {
  const int channel = e.status & 0x0F;
  switch (e.status & 0xF0) {
    case 0x80: fluid().fluid_synth_noteoff(synth, channel, e.data1); break;
    case 0x90:
      if (e.data2 == 0) fluid().fluid_synth_noteoff(synth, channel, e.data1);
      else if (notes) fluid().fluid_synth_noteon(synth, channel, e.data1, e.data2);
      break;
    case 0xA0: fluid().fluid_synth_key_pressure(synth, channel, e.data1, e.data2); break;
    case 0xB0: fluid().fluid_synth_cc(synth, channel, e.data1, e.data2); break;
    case 0xC0: fluid().fluid_synth_program_change(synth, channel, e.data1); break;
    case 0xD0: fluid().fluid_synth_channel_pressure(synth, channel, e.data1); break;
    case 0xE0: fluid().fluid_synth_pitch_bend(synth, channel, e.data1 | (e.data2 << 7)); break;
    case 0xF0: {
      const std::vector<std::uint8_t>& data = song.sysex[e.sysex];
      if (!data.empty())
        fluid().fluid_synth_sysex(synth, reinterpret_cast<const char*>(data.data()), static_cast<int>(data.size()),
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
                                      const std::vector<std::string>& soundFonts, bool render) {
  MidiSong song;
  try {
    song = readMidi(bytes);
  } catch (const MidiFormatError& e) {
    const Message what = e.truncated() ? Message("Media", "MIDI ファイルが途中で切れています")
                                       : Message("Media", "MIDI ファイルとして読めません");
    throw GameError(mediaErrorText(what, path, e.why()));
  }

  const auto noSoundFont = [&path](const Message& tried) {
    return GameError(mediaErrorText(Message("Media", "MIDI の音色ファイル (SoundFont) がないため再生できません"), path,
                                    Message("Media", "探した場所: %1", {tried})));
  };
  if (const std::optional<Message> missing = missingSoundFonts(soundFonts)) throw noSoundFont(*missing);

  // A kept rendering is played whenever there is one; one is made only for
  // music that is synthesised (a sound card, or GLAMORA_SYNTH_SILENT=1).
  std::optional<CachedMusicPlan> plan = planMusicCache(song, bytes, soundFonts);
  if (plan && musicCacheLooksComplete(plan->files, plan->frames)) return cachedMusic(std::move(*plan), nullptr);
  if (!render) plan.reset();

  std::unique_ptr<SoundSource> live;
  if (!render) {
    live = std::make_unique<MidiSource>(song, std::nullopt, soundFonts);
  } else {
    Synth synth = takeSynth(soundFonts);
    if (!synth.synth) throw GameError(mediaErrorText(Message("Media", "MIDI シンセサイザーを用意できません"), path));
    if (!synth.loaded) throw noSoundFont(triedPlaces(synth.tried));
    live = std::make_unique<MidiSource>(song, std::move(synth), soundFonts);
  }
  if (!plan) return live;
  return cachedMusic(std::move(*plan), std::move(live));
}

// Where and how the song is kept rendered; none when caching is turned off.
std::optional<CachedMusicPlan> planMusicCache(const MidiSong& song, const std::vector<std::uint8_t>& bytes,
                                              const std::vector<std::string>& soundFonts) {
  const std::string directory = musicCacheDirectory();
  if (directory == "off") return std::nullopt;
  const std::string font = firstSoundFont(soundFonts);
  CachedMusicPlan plan;
  plan.directory = directory;
  plan.files = musicCacheFiles(directory, musicCacheKey(bytes, font, synthSettingsText()));
  plan.frames = song.lengthMicros * kOutputRate / 1000000;  // as MidiSource counts it
  plan.synthesise = [song, soundFonts](const SongSink& sink) { return synthesiseSong(song, soundFonts, sink); };
  plan.makeLive = [song, soundFonts] {
    return std::unique_ptr<SoundSource>(std::make_unique<MidiSource>(song, std::nullopt, soundFonts));
  };
  return plan;
}

bool synthesiseSong(const MidiSong& song, const std::vector<std::string>& soundFonts,
                    const std::function<bool(const float*, int)>& sink) {
  Synth synth = prepareSynth(soundFonts);
  if (!synth.loaded) return false;
  MidiSource source(song, std::move(synth), soundFonts);
  constexpr int kBlock = 4096;
  std::vector<float> block(kBlock * kOutputChannels);
  for (std::int64_t at = 0; at < source.lengthFrames();) {
    const int n = static_cast<int>(std::min<std::int64_t>(kBlock, source.lengthFrames() - at));
    std::fill(block.begin(), block.end(), 0.0f);
    source.mixInto(block.data(), at, n);
    at += n;
    if (!sink(block.data(), n)) return false;
  }
  return true;
}

void loadSoundFontAhead(const std::vector<std::string>& soundFonts) {
  // Music played from its cache needs no SoundFont; a live song still loads
  // one when it first sounds.
  const std::string directory = musicCacheDirectory();
  if (directory != "off" && musicCacheHoldsSoundFont(directory, firstSoundFont(soundFonts), synthSettingsText()))
    return;
  Ahead& pending = ahead();
  std::lock_guard lock(pending.mutex);
  pending.soundFonts = soundFonts;
  pending.synth = std::async(std::launch::async, [soundFonts] { return prepareSynth(soundFonts); });
}

void waitForSoundFontAhead() {
  Ahead& pending = ahead();
  std::lock_guard lock(pending.mutex);
  if (pending.synth.valid()) pending.synth.wait();
}

}  // namespace glamora::media
