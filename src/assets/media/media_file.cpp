#include "media_file.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "engine/errors.h"
#include "engine/text_checks.h"

namespace glamora::media {

namespace {

// Voices are seconds long and the music a few minutes; anything this large
// is not a file of ours and would only cost memory.
constexpr std::uintmax_t kMaxFileBytes = 64u << 20;

std::string lowerExtension(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  std::transform(ext.begin(), ext.end(), ext.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return ext;
}

bool startsWith(const std::vector<std::uint8_t>& bytes, const char* magic) {
  const std::size_t n = std::strlen(magic);
  return bytes.size() >= n && std::memcmp(bytes.data(), magic, n) == 0;
}

}  // namespace

Message mediaErrorText(const Message& what, const std::string& path, const Message& detail) {
  const Message file = Message::fixed(printableText(path));
  if (detail.isFixed() && detail.fixedText().empty()) return Message("Message", "%1: %2", {what, file});
  return Message("Message", "%1: %2 (%3)", {what, file, detail});
}

std::vector<std::uint8_t> readMediaFile(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::file_status status = fs::status(path, ec);
  if (status.type() == fs::file_type::not_found || path.empty())
    throw GameError(mediaErrorText(Message("Media", "ファイルが見つかりません"), path));
  // A directory or a named pipe would fail late or block the game forever.
  if (!ec && status.type() != fs::file_type::regular)
    throw GameError(mediaErrorText(Message("Media", "ファイルではありません"), path));
  // Refused by its size before a byte is read; the read below stays bounded
  // for a file that grows meanwhile.
  if (const std::uintmax_t size = fs::file_size(path, ec); !ec && size > kMaxFileBytes)
    throw GameError(mediaErrorText(Message("Media", "ファイルが大きすぎます"), path));

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "rb"), &std::fclose);
  if (!file) throw GameError(mediaErrorText(Message("Media", "ファイルを開けません"), path, systemErrorText(errno)));

  std::vector<std::uint8_t> bytes;
  std::uint8_t block[65536];
  for (;;) {
    const std::size_t n = std::fread(block, 1, sizeof block, file.get());
    bytes.insert(bytes.end(), block, block + n);
    if (bytes.size() > kMaxFileBytes) throw GameError(mediaErrorText(Message("Media", "ファイルが大きすぎます"), path));
    if (n < sizeof block) break;
  }
  if (std::ferror(file.get()))
    throw GameError(mediaErrorText(Message("Media", "ファイルを読み込めません"), path, systemErrorText(errno)));
  if (bytes.empty()) throw GameError(mediaErrorText(Message("Media", "ファイルが空です"), path));
  return bytes;
}

MediaKind mediaKindOf(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  const std::string ext = lowerExtension(path);
  if (ext == ".wav" || ext == ".wave") return MediaKind::Wave;
  if (ext == ".mid" || ext == ".midi" || ext == ".smf") return MediaKind::Midi;
  if (startsWith(bytes, "MThd")) return MediaKind::Midi;
  if (startsWith(bytes, "RIFF")) return MediaKind::Wave;
  throw GameError(mediaErrorText(Message("Media", "再生できない種類のファイルです"), path));
}

}  // namespace glamora::media
