#include "wav_decoder.h"

#include <SDL.h>

#include <cstring>
#include <memory>
#include <string_view>

#include "engine/errors.h"
#include "media_file.h"
#include "mixer.h"

namespace glamora::media {

namespace {

Message notWave() { return Message("Media", "WAVE ファイルとして読めません"); }
// Far beyond any voice; keeps a bogus header from asking for gigabytes.
constexpr std::int64_t kMaxSeconds = 15 * 60;

// SDL's reason, which is English, in the words of the error box.
Message sdlReason() {
  const std::string_view reason = SDL_GetError();
  if (reason.find("fmt") != std::string_view::npos) return Message("Media", "fmt チャンクがないか、不正です");
  if (reason.find("data chunk") != std::string_view::npos) return Message("Media", "data チャンクがありません");
  if (reason.find("ut of memory") != std::string_view::npos) return Message("Message", "メモリーが足りません");
  return Message("Media", "対応していない形式か、壊れています");
}

// How much a chunk's header claims against what the file holds.
Message chunkSizes(bool data, std::uint32_t claimed, std::size_t available) {
  const std::vector<Message> sizes{Message::fixed(claimed), Message::fixed(static_cast<long long>(available))};
  if (data) return Message("Media", "データはヘッダーでは %1 バイト、ファイルには %2 バイト", sizes);
  return Message("Media", "チャンクはヘッダーでは %1 バイト、ファイルには %2 バイト", sizes);
}

std::uint32_t le32(const std::uint8_t* p) {
  return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

// Refuses what SDL must never see. SDL also takes a file with no RIFF header,
// and it allocates what a chunk's header claims before reading the chunk: a
// few hundred bytes that claim 4 GB would make it ask for 4 GB. So only RIFF/
// WAVE files pass, and every chunk up to and including "data" must lie
// within the file (a data chunk shorter than its header says would otherwise
// also be loaded without a word).
void checkChunks(const std::vector<std::uint8_t>& bytes, const std::string& path) {
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    throw GameError(mediaErrorText(notWave(), path, Message("Media", "RIFF/WAVE のヘッダーがありません")));
  std::size_t pos = 12;
  while (pos + 8 <= bytes.size()) {
    const std::uint32_t size = le32(bytes.data() + pos + 4);
    const std::size_t available = bytes.size() - pos - 8;
    const bool data = std::memcmp(bytes.data() + pos, "data", 4) == 0;
    if (size > available)
      throw GameError(mediaErrorText(Message("Media", "WAVE ファイルが途中で切れています"), path,
                                     chunkSizes(data, size, available)));
    if (data) return;
    pos += 8 + static_cast<std::size_t>(size) + (size & 1);
  }
  // No data chunk: SDL says so.
}

}  // namespace

DecodedWave decodeWav(const std::vector<std::uint8_t>& bytes, const std::string& path) {
  checkChunks(bytes, path);

  SDL_AudioSpec format{};
  Uint8* raw = nullptr;
  Uint32 rawBytes = 0;
  SDL_RWops* rw = SDL_RWFromConstMem(bytes.data(), static_cast<int>(bytes.size()));
  if (!rw || !SDL_LoadWAV_RW(rw, 1, &format, &raw, &rawBytes))
    throw GameError(mediaErrorText(notWave(), path, sdlReason()));
  std::unique_ptr<Uint8, void (*)(Uint8*)> owned(raw, &SDL_FreeWAV);

  const std::int64_t frameBytes = (SDL_AUDIO_BITSIZE(format.format) / 8) * format.channels;
  if (frameBytes <= 0 || format.freq <= 0)
    throw GameError(mediaErrorText(notWave(), path, Message("Media", "不正な形式")));
  if (static_cast<std::int64_t>(rawBytes) / frameBytes > kMaxSeconds * format.freq)
    throw GameError(mediaErrorText(Message("Media", "WAVE ファイルが長すぎます"), path));

  // A data chunk with no samples: SDL hands back no buffer at all.
  if (rawBytes == 0 || !raw) return {};

  // SDL_ConvertAudio keeps the exact length (an SDL_AudioStream would drop
  // the tail after a flush). A mono file stays mono: the mixer sends it to
  // both sides, as SDL's own mono-to-stereo step does.
  const int channels = format.channels == 1 ? 1 : kOutputChannels;
  SDL_AudioCVT cvt;
  if (SDL_BuildAudioCVT(&cvt, format.format, format.channels, format.freq, AUDIO_F32SYS, static_cast<Uint8>(channels),
                        kOutputRate) < 0)
    throw GameError(mediaErrorText(notWave(), path, sdlReason()));
  std::vector<std::uint8_t> work(static_cast<std::size_t>(rawBytes) * cvt.len_mult + 16);
  std::memcpy(work.data(), raw, rawBytes);
  cvt.buf = work.data();
  cvt.len = static_cast<int>(rawBytes);
  int outBytes = static_cast<int>(rawBytes);
  if (cvt.needed) {
    if (SDL_ConvertAudio(&cvt) != 0) throw GameError(mediaErrorText(notWave(), path, sdlReason()));
    outBytes = cvt.len_cvt;
  }
  const std::size_t frames = static_cast<std::size_t>(outBytes) / (sizeof(float) * channels);
  // A few samples at a very high rate can come out as no frame at all.
  DecodedWave wave{std::vector<float>(frames * channels), channels};
  if (!wave.samples.empty()) std::memcpy(wave.samples.data(), work.data(), wave.samples.size() * sizeof(float));
  return wave;
}

}  // namespace glamora::media
