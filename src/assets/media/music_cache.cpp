#include "music_cache.h"

#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

namespace glamora::media {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProgramVersion = GLAMORA_VERSION;
constexpr auto kStalePart = std::chrono::minutes(1);

std::uint64_t fnv1a(std::uint64_t hash, const void* data, std::size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ bytes[i]) * 0x100000001b3ULL;
  return hash;
}

std::uint64_t fnv1a(std::uint64_t hash, const std::string& text) {
  return fnv1a(fnv1a(hash, text.data(), text.size()), "\0", 1);
}

struct CheckRecord {
  std::uintmax_t size = 0;
  unsigned long crc = 0;
  std::int64_t frames = -1;
};

bool readCheck(const std::string& path, CheckRecord& record) {
  std::ifstream in(path);
  return static_cast<bool>(in >> record.size >> record.crc >> record.frames);
}

// The CRC-32 of a whole file; false when it cannot be read.
bool fileCrc(const std::string& path, unsigned long& crc) {
  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) return false;
  crc = crc32(0L, Z_NULL, 0);
  static thread_local unsigned char block[1 << 16];
  for (std::size_t n; (n = std::fread(block, 1, sizeof block, file.get())) > 0;)
    crc = crc32(crc, block, static_cast<uInt>(n));
  return !std::ferror(file.get());
}

}  // namespace

std::string musicCacheDirectory() {
  if (const char* dir = std::getenv("GLAMORA_MUSIC_CACHE"); dir && *dir) return dir;
  if (const char* xdg = std::getenv("XDG_CACHE_HOME"); xdg && *xdg) return std::string(xdg) + "/glamora/music";
  const char* home = std::getenv("HOME");
  return std::string(home && *home ? home : "/tmp") + "/.cache/glamora/music";
}

std::string firstSoundFont(const std::vector<std::string>& soundFonts) {
  for (const std::string& font : soundFonts) {
    std::error_code ec;
    if (fs::is_regular_file(font, ec)) return font;
  }
  return {};
}

namespace {

std::string hex(std::uint64_t hash) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

// The part of the key that does not depend on the MIDI file.
std::string synthPart(const std::string& soundFont, const std::string& settings) {
  std::error_code ec;
  const std::uintmax_t size = fs::file_size(soundFont, ec);
  const auto mtime = fs::last_write_time(soundFont, ec).time_since_epoch().count();
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  hash = fnv1a(hash, soundFont + '\n' + std::to_string(size) + '\n' + std::to_string(mtime));
  hash = fnv1a(hash, settings);
  return hex(fnv1a(hash, kProgramVersion));
}

}  // namespace

std::string musicCacheKey(const std::vector<std::uint8_t>& midi, const std::string& soundFont,
                          const std::string& settings) {
  return synthPart(soundFont, settings) + "-" + hex(fnv1a(0xcbf29ce484222325ULL, midi.data(), midi.size()));
}

bool musicCacheHoldsSoundFont(const std::string& directory, const std::string& soundFont, const std::string& settings) {
  const std::string prefix = synthPart(soundFont, settings) + "-";
  std::error_code ec;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind(prefix, 0) == 0 && entry.path().extension() == ".check") return true;
  }
  return false;
}

MusicCacheFiles musicCacheFiles(const std::string& directory, const std::string& key) {
  return {directory + "/" + key + ".flac", directory + "/" + key + ".check"};
}

bool musicCacheLooksComplete(const MusicCacheFiles& files, std::int64_t frames) {
  CheckRecord record;
  std::error_code ec;
  if (!readCheck(files.check, record) || record.frames != frames) return false;
  return fs::file_size(files.audio, ec) == record.size && !ec;
}

bool verifyMusicCache(const MusicCacheFiles& files, std::int64_t frames) {
  CheckRecord record;
  unsigned long crc = 0;
  return musicCacheLooksComplete(files, frames) && readCheck(files.check, record) && fileCrc(files.audio, crc) &&
         crc == record.crc;
}

bool sealMusicCache(const MusicCacheFiles& files, std::int64_t frames) {
  CheckRecord record{0, 0, frames};
  std::error_code ec;
  record.size = fs::file_size(files.audio, ec);
  if (ec || !fileCrc(files.audio, record.crc)) return false;
  const std::string partial = files.check + ".part";
  {
    std::ofstream out(partial, std::ios::trunc);
    out << record.size << ' ' << record.crc << ' ' << record.frames << '\n';
    out.flush();
    if (!out) {
      fs::remove(partial, ec);
      return false;
    }
  }
  fs::rename(partial, files.check, ec);
  if (ec) fs::remove(partial, ec);
  return !ec;
}

void removeMusicCache(const MusicCacheFiles& files) {
  std::error_code ec;
  fs::remove(files.check, ec);
  fs::remove(files.audio, ec);
}

void pruneMusicCache(const std::string& directory, int keep) {
  std::error_code ec;
  std::vector<std::pair<fs::file_time_type, fs::path>> checks;
  std::vector<fs::path> audio;
  for (const fs::directory_entry& entry : fs::directory_iterator(directory, ec)) {
    const fs::path& p = entry.path();
    if (p.extension() == ".check") checks.emplace_back(fs::last_write_time(p, ec), p);
    else if (p.extension() == ".flac") audio.push_back(p);
    // A partial file left by a game that was killed while rendering; a render
    // going on now writes to its file at least every second.
    else if (p.extension() == ".part" && fs::last_write_time(p, ec) < fs::file_time_type::clock::now() - kStalePart)
      fs::remove(p, ec);
  }
  std::sort(checks.begin(), checks.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
  for (std::size_t i = static_cast<std::size_t>(std::max(keep, 0)); i < checks.size(); ++i)
    fs::remove(checks[i].second, ec);
  // An audio file without its check file is unfinished or left over.
  for (const fs::path& p : audio) {
    fs::path check = p;
    if (!fs::exists(check.replace_extension(".check"), ec)) fs::remove(p, ec);
  }
}

}  // namespace glamora::media
