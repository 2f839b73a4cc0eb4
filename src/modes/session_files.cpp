#include "session_files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace glamora {

namespace fs = std::filesystem;

std::optional<std::string> readSessionFile(const fs::path& path, std::string& error) {
  const auto fail = [&](const std::string& reason) {
    error = path.string() + ": " + reason;
    return std::nullopt;
  };
  // Non-blocking, so that a FIFO or a device can be looked at without waiting
  // for a writer; only a regular file is then read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return fail(std::strerror(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) return fail(std::strerror(errno));
  if (!S_ISREG(info.st_mode)) return fail("not a regular file");
  const auto tooLarge = [&] { return fail("larger than " + std::to_string(kMaxSessionFileBytes >> 20) + " MiB"); };
  if (static_cast<std::uintmax_t>(info.st_size) > kMaxSessionFileBytes) return tooLarge();
  std::string text;
  text.resize(static_cast<std::size_t>(info.st_size));
  std::size_t have = 0;
  // The file may grow while it is read (the running game's own journal):
  // read what it holds now, and refuse it if it has grown past the limit.
  for (;;) {
    if (have == text.size()) {
      if (text.size() > kMaxSessionFileBytes) return tooLarge();
      text.resize(std::min<std::size_t>(text.size() + 65536, kMaxSessionFileBytes + 1));
    }
    const ssize_t got = ::read(fd, text.data() + have, text.size() - have);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return fail(std::strerror(errno));
    if (got == 0) break;
    have += static_cast<std::size_t>(got);
  }
  text.resize(have);
  error.clear();
  return text;
}

std::vector<fs::path> keptSessions(const fs::path& directory) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
    if (it->path().extension() == kSessionSuffix && it->is_regular_file(ec)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) { return a.filename() > b.filename(); });
  return files;
}

void pruneSessions(const fs::path& directory, int keep) {
  const std::vector<fs::path> files = keptSessions(directory);
  std::error_code ec;
  for (std::size_t i = static_cast<std::size_t>(std::max(keep, 0)); i < files.size(); ++i) fs::remove(files[i], ec);
}

std::unique_ptr<JournalFile> JournalFile::create(const fs::path& directory, const std::string& stamp,
                                                 std::string& error) {
  std::error_code ec;
  fs::create_directories(directory, ec);
  if (ec) {
    error = directory.string() + ": " + ec.message();
    return nullptr;
  }
  pruneSessions(directory, kKeptSessions - 1);
  // Two runs started in the same second get distinct names.
  fs::path path = directory / (stamp + kSessionSuffix);
  for (int n = 2; fs::exists(path, ec); ++n) path = directory / (stamp + "_" + std::to_string(n) + kSessionSuffix);
  std::FILE* file = std::fopen(path.c_str(), "wbx");
  if (!file) {
    error = path.string() + ": " + std::strerror(errno);
    return nullptr;
  }
  return std::unique_ptr<JournalFile>(new JournalFile(file, path));
}

JournalFile::~JournalFile() {
  if (file_) std::fclose(file_);
}

bool JournalFile::write(std::string_view text) {
  if (!file_) return false;
  if (std::fwrite(text.data(), 1, text.size(), file_) != text.size() || std::fflush(file_) != 0) {
    error_ = path_.string() + ": " + std::strerror(errno);
    std::fclose(file_);
    file_ = nullptr;
    return false;
  }
  return true;
}

}  // namespace glamora
