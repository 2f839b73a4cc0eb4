#include "media_player.h"

#include <algorithm>
#include <mutex>

#include "media_file.h"
#include "midi_source.h"
#include "pcm_source.h"
#include "wav_decoder.h"

namespace glamora::media {

namespace {

std::int64_t toMs(std::int64_t frames) { return frames * 1000 / kOutputRate; }

}  // namespace

MediaPlayer::MediaPlayer(AudioOutput& output, std::vector<std::string> soundFonts, SoundKind kind)
    : output_(output), soundFonts_(std::move(soundFonts)) {
  output_.mixer().attach(this, kind);
}

MediaPlayer::~MediaPlayer() { output_.mixer().detach(this); }

void MediaPlayer::open(const std::string& path) {
  close();
  // Decoding and loading a SoundFont take a while: done outside the lock.
  const std::vector<std::uint8_t> bytes = readMediaFile(path);
  std::unique_ptr<SoundSource> source;
  if (mediaKindOf(path, bytes) == MediaKind::Midi) source = loadMidi(bytes, path, soundFonts_, output_.rendering());
  else source = std::make_unique<PcmSource>(decodeWav(bytes, path));
  output_.catchUp();
  std::lock_guard lock(output_.mixer().mutex());
  source_ = std::move(source);
  path_ = path;
  frame_ = 0;
  playing_ = false;
}

void MediaPlayer::close() {
  output_.catchUp();
  std::unique_ptr<SoundSource> old;
  {
    std::lock_guard lock(output_.mixer().mutex());
    old = std::move(source_);
    path_.clear();
    frame_ = 0;
    playing_ = false;
  }
}

bool MediaPlayer::isOpen() const {
  std::lock_guard lock(output_.mixer().mutex());
  return source_ != nullptr;
}

std::string MediaPlayer::path() const {
  std::lock_guard lock(output_.mixer().mutex());
  return path_;
}

void MediaPlayer::play() {
  output_.catchUp();
  std::lock_guard lock(output_.mixer().mutex());
  if (!source_) return;
  if (frame_ >= source_->lengthFrames()) {
    frame_ = 0;
    source_->restart();
  }
  playing_ = true;
}

void MediaPlayer::stop() {
  output_.catchUp();
  std::lock_guard lock(output_.mixer().mutex());
  if (!source_ || !playing_) return;
  playing_ = false;
  source_->halt();
}

void MediaPlayer::rewind() {
  output_.catchUp();
  std::lock_guard lock(output_.mixer().mutex());
  if (!source_) return;
  frame_ = 0;
  source_->restart();
}

bool MediaPlayer::playing() {
  output_.catchUp();
  std::lock_guard lock(output_.mixer().mutex());
  return playing_;
}

void MediaPlayer::hold(bool held) {
  output_.catchUp();
  std::lock_guard lock(output_.mixer().mutex());
  held_ = held;
}

std::int64_t MediaPlayer::position() {
  output_.catchUp();
  std::lock_guard lock(output_.mixer().mutex());
  return toMs(frame_);
}

std::int64_t MediaPlayer::length() {
  std::lock_guard lock(output_.mixer().mutex());
  return source_ ? toMs(source_->lengthFrames()) : 0;
}

void MediaPlayer::mixInto(float* out, int frames) {
  if (!playing_ || held_ || !source_) return;
  const int n = static_cast<int>(std::min<std::int64_t>(frames, source_->lengthFrames() - frame_));
  if (n > 0) source_->mixInto(out, frame_, n);
  frame_ += std::max(n, 0);
  if (frame_ >= source_->lengthFrames()) playing_ = false;
}

void MediaPlayer::skip(std::int64_t frames) {
  if (!playing_ || held_ || !source_) return;
  const std::int64_t n = std::min(frames, source_->lengthFrames() - frame_);
  if (n > 0) source_->skip(frame_, n);
  frame_ += std::max<std::int64_t>(n, 0);
  if (frame_ >= source_->lengthFrames()) playing_ = false;
}

}  // namespace glamora::media
