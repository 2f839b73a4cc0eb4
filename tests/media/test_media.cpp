#include "test_media.h"

#include <cmath>
#include <fstream>
#include <random>

namespace glamora::media::test {

namespace {

void put16(Bytes& b, int v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void put32(Bytes& b, std::uint32_t v) {
  put16(b, v & 0xFFFF);
  put16(b, v >> 16);
}
void putBe32(Bytes& b, std::uint32_t v) {
  for (int shift = 24; shift >= 0; shift -= 8) b.push_back((v >> shift) & 0xFF);
}
// Byte by byte: GCC 12 warns falsely (-Wstringop-overflow) on a range insert
// into the empty vector once it is inlined.
void putTag(Bytes& b, const char* tag) {
  for (int k = 0; k < 4; ++k) b.push_back(static_cast<unsigned char>(tag[k]));
}

}  // namespace

Bytes wavBytes(int frames, std::int16_t value, int rate, int channels) {
  const std::uint32_t dataBytes = frames * channels * 2;
  Bytes b;
  putTag(b, "RIFF");
  put32(b, 36 + dataBytes);
  putTag(b, "WAVE");
  putTag(b, "fmt ");
  put32(b, 16);
  put16(b, 1);  // PCM
  put16(b, channels);
  put32(b, rate);
  put32(b, rate * channels * 2);
  put16(b, channels * 2);
  put16(b, 16);
  putTag(b, "data");
  put32(b, dataBytes);
  for (int i = 0; i < frames * channels; ++i) put16(b, static_cast<std::uint16_t>(value));
  return b;
}

Bytes midiTrack(const Bytes& events) {
  Bytes b;
  putTag(b, "MTrk");
  putBe32(b, static_cast<std::uint32_t>(events.size()));
  b.insert(b.end(), events.begin(), events.end());
  return b;
}

Bytes midiFile(int format, int tracks, int division, const std::vector<Bytes>& chunks) {
  Bytes b;
  putTag(b, "MThd");
  putBe32(b, 6);
  b.push_back(format >> 8);
  b.push_back(format & 0xFF);
  b.push_back(tracks >> 8);
  b.push_back(tracks & 0xFF);
  b.push_back((division >> 8) & 0xFF);
  b.push_back(division & 0xFF);
  for (const Bytes& c : chunks) b.insert(b.end(), c.begin(), c.end());
  return b;
}

Bytes midiBytes(int notes) {
  Bytes e = {0x00, 0xC0, 0x00};  // piano
  for (int i = 0; i < notes; ++i) {
    // 480 ticks = 0x83 0x60 as a variable-length number
    Bytes note = {0x00, 0x90, 60, 100, 0x83, 0x60, 0x80, 60, 0};
    e.insert(e.end(), note.begin(), note.end());
  }
  Bytes end = {0x00, 0xFF, 0x2F, 0x00};
  e.insert(e.end(), end.begin(), end.end());
  return midiFile(0, 1, 480, {midiTrack(e)});
}

ScratchDir::ScratchDir() {
  std::random_device random;
  dir_ = std::filesystem::temp_directory_path() / ("glamora-media-" + std::to_string(random()));
  std::filesystem::create_directories(dir_);
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(dir_, ec);
}

std::string ScratchDir::write(const std::string& name, const Bytes& bytes) const {
  const std::string p = path(name);
  std::ofstream(p, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return p;
}

SilentLibrary::SilentLibrary(std::vector<std::string> soundFonts)
    : output(new SilentOutput([this] { return now; })),
      library(std::unique_ptr<AudioOutput>(output), std::move(soundFonts)) {}

double rms(const std::vector<float>& samples) {
  double sum = 0;
  for (float s : samples) sum += static_cast<double>(s) * s;
  return samples.empty() ? 0 : std::sqrt(sum / samples.size());
}

std::vector<float> listen(SilentLibrary& silent, std::int64_t ms) {
  std::vector<float> heard;
  silent.output->setTap([&](const float* s, int frames) { heard.insert(heard.end(), s, s + frames * 2); });
  silent.now += ms;
  silent.output->catchUp();
  silent.output->setTap(nullptr);
  return heard;
}

}  // namespace glamora::media::test
