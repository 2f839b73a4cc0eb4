#include "session_files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "engine/errors.h"
#include "engine/text_checks.h"

namespace glamora {

namespace fs = std::filesystem;

std::optional<std::string> readSessionFile(const fs::path& path, Message& error) {
  const auto fail = [&](const Message& reason) {
    error = Message("Message", "%1: %2").arg(Message::fixed(printableText(path.string()))).arg(reason);
    return std::nullopt;
  };
  // Non-blocking, so that a FIFO or a device can be looked at without waiting
  // for a writer; only a regular file is then read.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return fail(systemErrorText(errno));
  struct Closer {
    int fd;
    ~Closer() { ::close(fd); }
  } closer{fd};
  struct stat info {};
  if (::fstat(fd, &info) != 0) return fail(systemErrorText(errno));
  if (!S_ISREG(info.st_mode)) return fail(Message("Message", "ファイルではありません"));
  const auto tooLarge = [&] {
    return fail(Message("Message", "ファイルが大きすぎます (%1 MiB まで)")
                    .arg(Message::fixed(static_cast<long long>(kMaxSessionFileBytes >> 20))));
  };
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
    if (got < 0) return fail(systemErrorText(errno));
    if (got == 0) break;
    have += static_cast<std::size_t>(got);
  }
  text.resize(have);
  error = Message();
  return text;
}

namespace {

bool allDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

struct Dated {
  fs::path path;
  fs::file_time_type time;
};

// Newest first by modification time; by name where the times are equal.
std::vector<fs::path> newestFirst(std::vector<Dated> files) {
  std::sort(files.begin(), files.end(), [](const Dated& a, const Dated& b) {
    return a.time != b.time ? a.time > b.time : a.path.filename() > b.path.filename();
  });
  std::vector<fs::path> paths;
  for (Dated& file : files) paths.push_back(std::move(file.path));
  return paths;
}

// The regular files of `directory` whose names pass `wanted`, with their times.
template <typename Wanted>
std::vector<Dated> filesIn(const fs::path& directory, Wanted wanted) {
  std::vector<Dated> files;
  std::error_code ec;
  for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code fileError;
    if (!wanted(it->path().filename().string()) || !it->is_regular_file(fileError)) continue;
    const fs::file_time_type time = fs::last_write_time(it->path(), fileError);
    if (!fileError) files.push_back({it->path(), time});
  }
  return files;
}

}  // namespace

bool isJournalName(const std::string& filename) {
  const std::string_view suffix = kSessionSuffix;
  if (filename.size() <= suffix.size() || !filename.ends_with(suffix)) return false;
  const std::string_view stem = std::string_view(filename).substr(0, filename.size() - suffix.size());
  if (stem.size() < 15 || !allDigits(stem.substr(0, 8)) || stem[8] != '-' || !allDigits(stem.substr(9, 6))) {
    return false;
  }
  const std::string_view rest = stem.substr(15);
  return rest.empty() || (rest[0] == '_' && allDigits(rest.substr(1)));
}

std::vector<fs::path> keptSessions(const fs::path& directory) {
  return newestFirst(filesIn(directory, [](const std::string& name) {
    return name.size() > std::strlen(kSessionSuffix) && name.ends_with(kSessionSuffix) && name[0] != '.';
  }));
}

void pruneSessions(const fs::path& directory, int keep) {
  const std::vector<fs::path> files = newestFirst(filesIn(directory, isJournalName));
  std::error_code ec;
  for (std::size_t i = static_cast<std::size_t>(std::max(keep, 1)); i < files.size(); ++i) fs::remove(files[i], ec);
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
  // Two runs started in the same second get distinct names; O_EXCL never
  // takes over a file that is there.
  fs::path path = directory / (stamp + kSessionSuffix);
  for (int n = 2;; ++n) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0644);
    if (fd >= 0) return std::unique_ptr<JournalFile>(new JournalFile(fd, path));
    if (errno != EEXIST || n > 1000) {
      error = path.string() + ": " + std::strerror(errno);
      return nullptr;
    }
    path = directory / (stamp + "_" + std::to_string(n) + kSessionSuffix);
  }
}

JournalFile::~JournalFile() {
  if (fd_ >= 0) ::close(fd_);
}

bool JournalFile::write(std::string_view text) {
  if (fd_ < 0) return false;
  std::size_t done = 0;
  while (done < text.size()) {
    const ssize_t n = ::write(fd_, text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      error_ = path_.string() + ": " + (n < 0 ? std::strerror(errno) : "nothing written");
      // A text written in part would end the file in half a line: cut it off.
      if (done > 0 && ::ftruncate(fd_, static_cast<off_t>(written_)) != 0) error_ += ", and half a line stays";
      ::close(fd_);
      fd_ = -1;
      return false;
    }
    done += static_cast<std::size_t>(n);
  }
  written_ += done;
  return true;
}

}  // namespace glamora
